#pragma once

#include "law/answer.h"

#include <QDate>

class QPainter;
class QRectF;
class QString;

// The lesson's printed sheets, one page each: the pupils' sheet the groups
// tally their meetings on, and the teacher's with the answer. The answer
// window prints them and meetling-stats writes them as PDF, both with
// paintSheet().
namespace stats {

enum class Sheet { Pupils, Teacher };
// The paper the lesson's sheets are written for.
enum class Paper { A4, Letter };
// The most runs of each the pupils' sheet has rows for.
inline constexpr int MostSheetRows = 10;

struct SheetSetup
{
    // The runs of each scenario a group tallies on the pupils' sheet.
    int rows = 5;
    QDate date;
};

// Draws a sheet on page, a whole sheet of paper in points (1/72 inch) of
// the painter's coordinates, laid out for its size and way up: on a
// landscape page the pupils' sheet takes two columns and the teacher's
// stays portrait, turned a quarter to the left. Nothing is set under 10 pt.
// The pupils' sheet holds no figure of the answer; the teacher's holds the
// answer, its figures and charts, and the class's counts with their
// verdict when answer has them.
void paintSheet(QPainter &painter, const QRectF &page, Sheet sheet, const Answer &answer, const SheetSetup &setup);

// The sheet as a one-page PDF on paper, written whole or not at all. On
// failure, error says why.
bool saveSheet(const QString &file, Sheet sheet, const Answer &answer, const SheetSetup &setup, Paper paper,
               QString &error);

} // namespace stats
