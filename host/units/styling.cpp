#include "host/units/styling_p.h"

#include "host/values/codec_p.h"

#include <QFont>
#include <QWidget>

namespace host::detail {

QColor toQColor(Color color)
{
    return QColor(color.red, color.green, color.blue);
}

Qt::Alignment alignmentOf(const UnitLayout& layout)
{
    Qt::Alignment alignment = layout.alignment == HorizontalAlignment::Center  ? Qt::AlignHCenter
                              : layout.alignment == HorizontalAlignment::Right ? Qt::AlignRight
                                                                               : Qt::AlignLeft;
    return alignment | (layout.verticallyCentred ? Qt::AlignVCenter : Qt::AlignTop);
}

void applyFont(QWidget* widget, const UnitLayout& layout)
{
    if (!layout.font)
        return;
    // A face with a stand-in (黑体, see initialise()) is asked for by the stand-in's own
    // name: asking for 黑体 itself has the toolkit resolve an unknown family through
    // fontconfig, which reads its whole font cache into the program's memory.
    QFont font(QFont::substitute(codec::toQString(layout.font->face)));
    font.setPixelSize(layout.font->height);
    font.setBold(layout.font->bold);
    widget->setFont(font);
}

void applyColours(QWidget* widget, const UnitLayout& layout, QPalette::ColorRole textRole,
                  QPalette::ColorRole backgroundRole)
{
    QPalette palette = widget->palette();
    if (layout.textColor)
        palette.setColor(textRole, toQColor(*layout.textColor));
    if (layout.backgroundColor) {
        const QColor background = *layout.backgroundColor == kButtonFace ? palette.color(QPalette::Window)
                                                                          : toQColor(*layout.backgroundColor);
        palette.setColor(backgroundRole, background);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

} // namespace host::detail
