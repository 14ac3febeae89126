#include "answer/answerlog.h"

Q_LOGGING_CATEGORY(lcAnswer, "meetling.answer")
