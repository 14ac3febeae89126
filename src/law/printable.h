#pragma once

#include <QString>

namespace stats {

// Text as an error line shows it: every control character (a NUL, a line
// break, an escape) as its code, \u000a and the like, so that one line stays
// one line and a terminal prints what the user typed or the file held.
QString printable(const QString &text);

} // namespace stats
