#pragma once

class QString;
namespace stats {
struct Answer;
}

// "Our class" as a picture: the groups' counts and the class's verdict
// beside the law of meetings with the counts marked on it, footer under
// them. answer holds the class's counts, if it has any. On failure, error
// says why.
bool saveOurClass(const stats::Answer &answer, const QString &file, const QString &footer, QString &error);
