#pragma once

// Fonts, colours and alignment from a unit's layout, shared by the types
// whose widgets show text.

#include "host/runtime/layout.h"

#include <QColor>
#include <QPalette>

class QWidget;

namespace host::detail {

QColor toQColor(Color color);
Qt::Alignment alignmentOf(const UnitLayout& layout);
void applyFont(QWidget* widget, const UnitLayout& layout);
/// Text colour and background; the background may be the window's own colour.
void applyColours(QWidget* widget, const UnitLayout& layout, QPalette::ColorRole textRole,
                  QPalette::ColorRole backgroundRole);

} // namespace host::detail
