#include "host/sound/soundlog.h"

Q_LOGGING_CATEGORY(lcPlayer, "tikora.player", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSound, "tikora.sound", QtInfoMsg)
