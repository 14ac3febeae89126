#pragma once

#include <QLoggingCategory>

// The sound's diagnostics: why a connection or a stream was dropped, a cue
// given up, a module loaded. Off unless the logging rules turn them on
// (QT_LOGGING_RULES="meetling.sound.debug=true"). What a user must see (the
// sound lost or back, a file that cannot be played) goes to standard error
// whatever the rules.
Q_DECLARE_LOGGING_CATEGORY(lcSound)
