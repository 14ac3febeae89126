#pragma once

#include "law/answer.h"

#include <QString>

// The verdict (law/answer.h) in words, made where it is shown: the answer
// window, the tool's table and JSON, and the teacher's sheet.
namespace stats {

// What "faster" means wherever the answer uses the word, as one sentence a
// class can read aloud: more meetings in a run, on average.
QString fasterMeans();

// The answer to read from the back of the room: a one-line headline, then a
// few short sentences of detail.
QString headline(const Answer &answer);
QString detail(const Answer &answer);
// Both as one text: the headline, a line break, then the detail.
QString verdictText(const Answer &answer);

} // namespace stats
