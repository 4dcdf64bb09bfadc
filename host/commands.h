#pragma once

// The free-standing host commands: text and number conversions, the clock,
// the program's folder and the screen, writing and removing files, the
// message box and the open-file dialog, moving units, the popup menu,
// appending to edit boxes, hiding and showing again all windows, and the
// blocking delay. All run on the user-interface thread.

#include "host/commands/clock.h"
#include "host/commands/conversions.h"
#include "host/commands/delay.h"
#include "host/commands/dialogs.h"
#include "host/commands/environment.h"
#include "host/commands/files.h"
#include "host/commands/units.h"
#include "host/commands/windows.h"
