#include "pictures/sheets.h"

#include "pictures/boardpainter.h"
#include "pictures/charts.h"
#include "words/phrases.h"
#include "pictures/picturefile.h"
#include "law/savefile.h"
#include "words/verdictwords.h"
#include "words/wording.h"

#include <QAbstractAxis>
#include <QBuffer>
#include <QChart>
#include <QCoreApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

namespace stats {

namespace {

struct Sheets
{
    Q_DECLARE_TR_FUNCTIONS(stats::Sheets)
};

// Text sizes in points: nothing under 10, so a photocopy stays readable.
constexpr int TitlePt = 17;
constexpr int HeadingPt = 13;
constexpr int TextPt = 11;
constexpr int SmallPt = 10;
// A sheet's charts, their text at SmallPt.
constexpr double ChartScale = double(SmallPt) / PictureTextPx;
// Wider than the edge a printer cannot reach; no wider, as Letter is short.
constexpr double Margin = 32;
// Between a landscape page's two columns, and between a text and the board.
constexpr double Gutter = 24;
// A board point, wide enough for "10" at SmallPt.
constexpr double BoardCell = 13.5;
constexpr double Board = BoardCell * (BoardSide + 1);
// Under this width a text goes above the board rather than beside it.
constexpr double NarrowestBeside = 280;
// A writing line's spacing, and the tally's rows: as tall as the page
// allows, up to what a pencil needs.
constexpr double WritingLine = TextPt * 2.2;
constexpr double TallestRow = TextPt * 3.6;

// The height text takes from the top of room, wrapped.
double heightOf(QPainter &painter, const QRectF &room, const QString &text, int points, bool bold = false)
{
    painter.setFont(pictureFont(points, bold));
    return painter.boundingRect(QRectF(room.left(), 0, room.width(), 1e6), Qt::TextWordWrap, text).height();
}

// Paints text from the top of room, wrapped to its width (its height does
// not limit it), and returns the height it took.
double paragraph(QPainter &painter, const QRectF &room, const QString &text, int points, bool bold = false)
{
    painter.setFont(pictureFont(points, bold));
    // Room enough below that the text is never clipped.
    const QRectF below(room.topLeft(), QSizeF(room.width(), 1e6));
    const QRectF used = painter.boundingRect(below, Qt::TextWordWrap, text);
    painter.drawText(below, Qt::TextWordWrap, text);
    return used.height();
}

// Lines to write on, across room from y; returns where they end.
double writingLines(QPainter &painter, const QRectF &room, double y, int lines)
{
    painter.save();
    painter.setPen(QPen(Qt::gray, 0.5));
    for (int i = 0; i < lines; ++i) {
        y += WritingLine;
        painter.drawLine(QPointF(room.left(), y), QPointF(room.right(), y));
    }
    painter.restore();
    return y;
}

// The title and the date across the top of page. Returns where the sheet
// goes on under them.
double paintTitle(QPainter &painter, const QRectF &page, const SheetSetup &setup, const QString &title)
{
    painter.setPen(Qt::black);
    painter.setFont(pictureFont(SmallPt));
    const QString date = dateText(setup.date);
    painter.drawText(QRectF(page.left(), page.top(), page.width(), SmallPt * 1.5), Qt::AlignRight, date);
    const double dateWidth = painter.fontMetrics().horizontalAdvance(date) + Gutter;
    return page.top() +
           paragraph(painter, QRectF(page.left(), page.top(), page.width() - dateWidth, 0), title, TitlePt, true) +
           TextPt * 0.6;
}

// What lead paints into the room it is given (returning the height it
// took), then the start points and the run's length in words, beside the
// question's start points on a small board; in a narrow room, lead goes
// above the board instead. Returns the height it all took in room.
double paintQuestion(QPainter &painter, const QRectF &room, const Answer &answer,
                     const std::function<double(const QRectF &)> &lead)
{
    const bool beside = room.width() - Board - Gutter >= NarrowestBeside;
    const double above = beside ? 0 : lead(QRectF(room.left(), room.top(), room.width(), 0)) + TextPt * 0.5;
    const QRectF text(room.left(), room.top() + above, room.width() - Board - Gutter, 0);
    double textHeight = beside ? lead(text) + TextPt * 0.5 : 0;
    painter.setPen(Qt::black);
    textHeight += paragraph(
        painter, text.adjusted(0, textHeight, 0, 0),
        //: %1 and %2 are Momotaro's start, %3 and %4 Dog's, %5 the run's seconds.
        Sheets::tr("Momotaro starts at (%1, %2), Dog at (%3, %4). Each run lasts %5 seconds (a step every 0.2 s).")
            .arg(QString::number(int(answer.starts.momotaro.x)), QString::number(int(answer.starts.momotaro.y)),
                 QString::number(int(answer.starts.dog.x)), QString::number(int(answer.starts.dog.y)),
                 QLocale().toString(answer.seconds)),
        TextPt, true);

    // The board, x to the right and y downwards, the walkers on their starts;
    // its numbers are only landmarks: every other one.
    const QRectF square(room.right() - Board, text.top(), Board, Board);
    paintBoard(
        painter, square,
        {.margin = 1, .numbers = pictureFont(SmallPt), .numberStep = 2, .gridWidth = 0.5, .walkers = answer.starts});
    return std::max(above + textHeight, square.bottom() - room.top()) + TextPt;
}

// The groups' tally in room: a row a run, a wide cell for each way's
// strokes and a narrow one for the run's count, then the totals. Its rows
// share the room's height, none taller than TallestRow. Returns its height.
double paintTally(QPainter &painter, const QRectF &room, int rows)
{
    const double label = 60;
    const double count = 60;
    const double tally = (room.width() - label - 2 * count) / 2;
    const std::array<double, 5> columns{room.left(), room.left() + label, room.left() + label + tally,
                                        room.left() + label + tally + count, room.left() + label + 2 * tally + count};
    const double right = room.right();
    double y = room.top();
    //: The tally's columns: a way's name, where a group makes a stroke for each meeting. A line break may divide it.
    const auto strokes = [](Scenario scenario) {
        return Sheets::tr("%1: a stroke a meeting").arg(plainName(scenario));
    };
    //: The tally's columns: the run's number, and each run's count of meetings.
    const QStringList headings{Sheets::tr("Run"), strokes(Scenario::BothWalk), Sheets::tr("Count"),
                               strokes(Scenario::DogWalks), Sheets::tr("Count")};
    // The headings as tall as the longest needs, two lines at least.
    painter.setFont(pictureFont(SmallPt, true));
    double headingHeight = SmallPt * 3;
    for (int c = 0; c < 5; ++c) {
        const double end = c + 1 < 5 ? columns[std::size_t(c) + 1] : right;
        headingHeight =
            std::max(headingHeight, painter.boundingRect(QRectF(0, 0, end - columns[std::size_t(c)] - 8, 1e6),
                                                         Qt::AlignCenter | Qt::TextWordWrap, headings[c])
                                            .height() +
                                        SmallPt);
    }
    for (int c = 0; c < 5; ++c) {
        const double end = c + 1 < 5 ? columns[std::size_t(c) + 1] : right;
        painter.drawText(QRectF(columns[std::size_t(c)] + 4, y, end - columns[std::size_t(c)] - 8, headingHeight),
                         Qt::AlignCenter | Qt::TextWordWrap, headings[c]);
    }
    const int lines = rows + 1;
    const double line = std::min((room.height() - headingHeight) / lines, TallestRow);
    painter.setFont(pictureFont(TextPt));
    for (int r = 0; r < lines; ++r) {
        const double top = y + headingHeight + r * line;
        painter.drawText(QRectF(columns[0] + 4, top, label - 8, line), Qt::AlignVCenter | Qt::AlignLeft,
                         r < rows ? QLocale().toString(r + 1) : Sheets::tr("In all"));
    }
    const double bottom = y + headingHeight + lines * line;
    painter.setPen(QPen(Qt::black, 0.8));
    painter.drawRect(QRectF(room.left(), y, right - room.left(), bottom - y));
    for (int r = 0; r <= lines; ++r) {
        const double at = y + headingHeight + r * line;
        // Heavier under the headings and above the totals.
        painter.setPen(QPen(Qt::black, r == 0 || r == rows ? 1.2 : 0.5));
        painter.drawLine(QPointF(room.left(), at), QPointF(right, at));
    }
    for (int c = 1; c < 5; ++c)
        painter.drawLine(QPointF(columns[std::size_t(c)], y), QPointF(columns[std::size_t(c)], bottom));
    return bottom - y;
}

void paintPupils(QPainter &painter, const QRectF &page, const Answer &answer, const SheetSetup &setup)
{
    //: The pupils' sheet's title; "Meetling experiment" is the board program's name.
    const double top = paintTitle(painter, page, setup, Sheets::tr("Meetling experiment: who finds whom first?"));
    // Portrait, the sheet is one column; landscape, two side by side under the title.
    const bool landscape = page.width() > page.height();
    const QRectF first(page.left(), top, landscape ? (page.width() - Gutter) / 2 : page.width(), page.bottom() - top);
    double y =
        top + paintQuestion(painter, first, answer, [&](const QRectF &room) {
            //: %1 and %2 are the board's captions.
            const QString story =
                Sheets::tr(
                    "Two people look for each other in a crowd. Is it faster for both to wander, or for one to stand still and wait? "
                    "Momotaro and Dog try it on an 11 × 11 board. At every step a walker moves one point in one of eight directions, "
                    "chosen at random, and stays on the board. When they land on the same point, that is a meeting, and both go back "
                    "to their start points. “%1”: both wander. “%2”: Dog wanders, Momotaro waits where he started.")
                    .arg(scenarioCaption(Scenario::BothWalk), scenarioCaption(Scenario::DogWalks));
            return paragraph(painter, room, story, TextPt);
        });
    y += paragraph(painter, QRectF(first.left(), y, first.width(), 0),
                   //: Lines for the group to write on.
                   Sheets::tr("Group: ______________________   Names: ____________________________________________"),
                   TextPt) +
         TextPt;
    y += paragraph(
        painter, QRectF(first.left(), y, first.width(), 0),
        Sheets::tr("Our guess, before we start: which way do Momotaro and Dog meet more often in a run, and why?"),
        HeadingPt, true);
    y = writingLines(painter, first, y + TextPt * 0.4, 3) + TextPt * 1.5;

    // The tally takes what the conclusion and its lines leave of its column.
    const QRectF second = landscape ? QRectF(first.right() + Gutter, top, first.width(), first.height())
                                    : QRectF(first.left(), y, first.width(), page.bottom() - y);
    const QString conclusion =
        Sheets::tr("What our runs say: which way met more often, on average? Was our guess right?");
    const double after = TextPt * 1.5 + heightOf(painter, second, conclusion, HeadingPt, true) + 3 * WritingLine;
    y = second.top() +
        paragraph(painter, second,
                  Sheets::tr("Run each way %Ln time(s). Make a stroke for every meeting, then write each run's count.",
                             nullptr, setup.rows),
                  TextPt, true) +
        TextPt * 0.6;
    y += paintTally(painter, QRectF(second.left(), y, second.width(), second.bottom() - y - after), setup.rows) +
         TextPt * 1.5;
    y += paragraph(painter, QRectF(second.left(), y, second.width(), 0), conclusion, HeadingPt, true);
    writingLines(painter, second, y, 3);
}

// The figures, both ways side by side, across room from its top; returns
// their height.
double paintFigures(QPainter &painter, const QRectF &room, const Answer &answer)
{
    const double valueWidth = room.width() * 0.24;
    double y = room.top();
    painter.setFont(pictureFont(SmallPt, true));
    double headingHeight = SmallPt * 3;
    for (Scenario scenario : Scenarios) {
        const double left = room.right() - (scenario == Scenario::BothWalk ? 2 : 1) * valueWidth;
        //: A column's heading: %1 is a way's name, %2 the board's caption.
        const QString heading = Sheets::tr("%1 (“%2”)").arg(plainName(scenario), scenarioCaption(scenario));
        headingHeight = std::max(
            headingHeight, painter.boundingRect(QRectF(0, 0, valueWidth, 1e6), Qt::TextWordWrap, heading).height());
        painter.drawText(QRectF(left, y, valueWidth, 1e6), Qt::AlignRight | Qt::TextWordWrap, heading);
    }
    y += headingHeight;
    painter.setFont(pictureFont(SmallPt));
    for (Figure figure : Figures) {
        // A row as high as its longest text ("never: ... is the slower way" wraps).
        double rowHeight = SmallPt * 1.5;
        rowHeight = std::max(rowHeight, painter.boundingRect(QRectF(0, 0, room.width() - 2 * valueWidth, 1e6),
                                                             Qt::TextWordWrap, figureHeading(figure))
                                                .height() +
                                            SmallPt * 0.3);
        for (Scenario scenario : Scenarios) {
            const QRectF needs = painter.boundingRect(QRectF(0, 0, valueWidth - 6, 1e6), Qt::TextWordWrap,
                                                      figureValue(figure, answer, scenario));
            rowHeight = std::max(rowHeight, needs.height() + SmallPt * 0.3);
        }
        painter.drawText(QRectF(room.left(), y, room.width() - 2 * valueWidth, rowHeight),
                         Qt::AlignVCenter | Qt::TextWordWrap, figureHeading(figure));
        for (Scenario scenario : Scenarios) {
            const double left = room.right() - (scenario == Scenario::BothWalk ? 2 : 1) * valueWidth;
            painter.drawText(QRectF(left + 6, y, valueWidth - 6, rowHeight),
                             Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap,
                             figureValue(figure, answer, scenario));
        }
        y += rowHeight;
    }
    return y - room.top();
}

// The class's counts under a heading, across room from its top; returns
// their height, none without counts.
double paintClass(QPainter &painter, const QRectF &room, const Answer &answer, bool paint = true)
{
    if (!answer.classCounts)
        return 0;
    const ClassCounts &counts = *answer.classCounts;
    const QString heading =
        counts.simulated.isEmpty() ? Sheets::tr("Our class") : Sheets::tr("Our class (simulated counts)");
    const QString text = classSumText(counts, Scenario::BothWalk) + u'\n' + classSumText(counts, Scenario::DogWalks) +
                         u'\n' + classVerdict(answer);
    if (!paint)
        return HeadingPt * 0.5 + heightOf(painter, room, heading, HeadingPt, true) +
               heightOf(painter, room, text, SmallPt);
    double y = room.top() + HeadingPt * 0.5;
    y += paragraph(painter, QRectF(room.left(), y, room.width(), 0), heading, HeadingPt, true);
    y += paragraph(painter, QRectF(room.left(), y, room.width(), 0), text, SmallPt);
    return y - room.top();
}

// The chart with narrow margins and its upright axis titles broken at
// their last space (Japanese, which has none: before the unit's bracket),
// so that the short charts of a sheet hold them whole.
void fitForSheet(QChart &chart)
{
    chart.setMargins(QMargins(2, 2, 2, 2));
    for (QAbstractAxis *axis : chart.axes(Qt::Vertical)) {
        QString title = axis->titleText();
        const qsizetype space = title.lastIndexOf(u' ');
        const qsizetype bracket = title.lastIndexOf(u'\uFF08');
        if (space > 0)
            axis->setTitleText(title.replace(space, 1, QStringLiteral("<br>")));
        else if (bracket > 0)
            axis->setTitleText(title.insert(bracket, QStringLiteral("<br>")));
    }
}

void paintTeacher(QPainter &painter, const QRectF &page, const Answer &answer, const SheetSetup &setup)
{
    //: The teacher's sheet's title; "Meetling experiment" is the board program's name.
    const double top = paintTitle(painter, page, setup, Sheets::tr("Meetling experiment: the answer"));
    // The answer in words beside the board, where the pupils have the story.
    double y = top + paintQuestion(painter, QRectF(page.left(), top, page.width(), 0), answer, [&](const QRectF &room) {
                   const double above = paragraph(painter, room, headline(answer), HeadingPt, true) + 4;
                   return above + paragraph(painter, room.adjusted(0, above, 0, 0), detail(answer), SmallPt);
               });
    y += paintFigures(painter, QRectF(page.left(), y, page.width(), 0), answer) + SmallPt * 0.5;

    // The charts: the law across, the wait and several runs side by side;
    // with a class's counts, its verdict under them.
    const QRectF charts(page.left(), y, page.width(), page.bottom() - y - paintClass(painter, page, answer, false));
    std::unique_ptr<QChart> law(lawChart(answer));
    std::unique_ptr<QChart> waiting(waitingChart(answer));
    std::unique_ptr<QChart> runs(runsChart(answer));
    for (QChart *chart : {law.get(), waiting.get(), runs.get()})
        fitForSheet(*chart);
    // The law's title takes a line more with the class's marks.
    const double lawHeight = charts.height() * (answer.classCounts ? 0.53 : 0.5);
    paintChart(painter, *law, QRectF(charts.left(), charts.top(), charts.width(), lawHeight), ChartScale);
    const QRectF lower(charts.left(), charts.top() + lawHeight, charts.width(), charts.height() - lawHeight);
    paintChart(painter, *waiting, QRectF(lower.left(), lower.top(), lower.width() / 2, lower.height()), ChartScale);
    paintChart(painter, *runs, QRectF(lower.center().x(), lower.top(), lower.width() / 2, lower.height()), ChartScale);
    paintClass(painter, QRectF(page.left(), lower.bottom(), page.width(), 0), answer);
}

} // namespace

void paintSheet(QPainter &painter, const QRectF &page, Sheet sheet, const Answer &answer, const SheetSetup &setup)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF inside = page.adjusted(Margin, Margin, -Margin, -Margin);
    if (sheet == Sheet::Pupils) {
        paintPupils(painter, inside, answer, setup);
    } else {
        // The answer's charts need a portrait page's height: on a landscape
        // one the sheet stays upright, turned a quarter to the left.
        if (inside.width() > inside.height()) {
            painter.translate(inside.bottomLeft());
            painter.rotate(-90);
            inside = QRectF(0, 0, inside.height(), inside.width());
        }
        paintTeacher(painter, inside, answer, setup);
    }
    painter.restore();
}

bool saveSheet(const QString &file, Sheet sheet, const Answer &answer, const SheetSetup &setup, Paper paper,
               QString &error)
{
    const QPageSize size(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&bytes);
        pdf.setTitle(withoutJoiners(sheet == Sheet::Pupils ? Sheets::tr("Meetling experiment: the pupils' sheet")
                                                           : Sheets::tr("Meetling experiment: the teacher's sheet")));
        pdf.setCreator(QStringLiteral("Meetling experiment"));
        pdf.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
        // Drawn in points, whatever the writer's resolution.
        pdf.setResolution(72);
        QPainter painter(&pdf);
        paintSheet(painter, QRectF(QPointF(), size.size(QPageSize::Point)), sheet, answer, setup);
    }
    return saveFile(file, bytes.data(), error);
}

} // namespace stats
