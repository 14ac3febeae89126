#include "law/statslog.h"

Q_LOGGING_CATEGORY(lcStats, "meetling.stats", QtInfoMsg)
