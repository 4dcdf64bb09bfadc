#include "host/sound/soundlog_p.h"

Q_LOGGING_CATEGORY(lcPlayer, "tikora.player", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSound, "tikora.sound", QtInfoMsg)
