#pragma once

#include <QLoggingCategory>

// Diagnostics of the answer window and its engine, filtered by Qt's
// logging rules (QT_LOGGING_RULES="meetling.answer.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcAnswer)
