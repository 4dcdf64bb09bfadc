#pragma once

// The host's own edge to Qt: texts shown by widgets and read back from them.
// Private to the host (and its tests), so that the program's code never
// handles a Qt string.

#include "host/values/codec.h"

#include <QString>

namespace host::codec {

/// Text shown by a widget.
QString toQString(const Text& text);
/// Text read back from a widget.
Text fromQString(const QString& string);

} // namespace host::codec
