#pragma once

#include <QLoggingCategory>

// Logging categories of the sound service: "tikora.player" for the player
// component and its pipeline, "tikora.sound" for the requests of the logic.
// Debug output is off unless QT_LOGGING_RULES="tikora.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcPlayer)
Q_DECLARE_LOGGING_CATEGORY(lcSound)
