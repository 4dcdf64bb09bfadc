#pragma once

// The clock's moments as Qt date-times, for the host's own files and tests.

#include "host/commands/clock.h"

class QDateTime;

namespace host {

/// A moment as a local QDateTime, to the nearest second.
QDateTime toQDateTime(DateTime moment);
/// A local QDateTime as a moment; milliseconds are dropped.
DateTime fromQDateTime(const QDateTime& moment);

} // namespace host
