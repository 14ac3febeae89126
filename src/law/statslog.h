#pragma once

#include <QLoggingCategory>

// The statistics' own diagnostics (how far a sweep went, how the runs were
// written), off unless asked for: QT_LOGGING_RULES="meetling.stats.debug=true".
// What the tool tells its user goes to standard error directly instead.
Q_DECLARE_LOGGING_CATEGORY(lcStats)
