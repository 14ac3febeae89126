#include "sheets.h"

#include "builtinpicture.h"
#include "charts.h"
#include "phrases.h"
#include "picturefile.h"
#include "savefile.h"
#include "wording.h"

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
constexpr double Margin = 40;

// Paints text from the top of room, wrapped, and returns the height it took.
double paragraph(QPainter &painter, const QRectF &room, const QString &text, int points, bool bold = false,
                 int flags = Qt::AlignLeft)
{
    painter.setFont(pictureFont(points, bold));
    const QRectF used = painter.boundingRect(room, flags | Qt::TextWordWrap, text);
    painter.drawText(room, flags | Qt::TextWordWrap, text);
    return used.height();
}

// The title and the date, then beside the question's start points on a
// small board what lead paints into the room left of it (returning the
// height it took), then the start points and the run's length in words:
// the top of both sheets. Returns where the sheet goes on under it.
double paintHeader(QPainter &painter, const QRectF &page, const Answer &answer, const SheetSetup &setup, const QString &title,
                   const std::function<double(const QRectF &)> &lead)
{
    painter.setPen(Qt::black);
    double y = page.top();
    painter.setFont(pictureFont(SmallPt));
    painter.drawText(QRectF(page.left(), y, page.width(), SmallPt * 1.5), Qt::AlignRight,
                     dateText(setup.date));
    y += paragraph(painter, QRectF(page.left(), y, page.width() * 0.75, TitlePt * 3), title, TitlePt, true) + TextPt * 0.6;

    const double board = 132;
    const QRectF story(page.left(), y, page.width() - board - 24, page.height());
    double storyHeight = lead(story);
    storyHeight += TextPt * 0.5;
    painter.setPen(Qt::black);
    storyHeight += paragraph(painter, story.adjusted(0, storyHeight, 0, 0),
                             //: %1 and %2 are Momotaro's start, %3 and %4 Dog's, %5 the run's seconds.
                             Sheets::tr("Momotaro starts at (%1, %2), Dog at (%3, %4). Each run lasts %5 seconds (a step every 0.2 s).")
                                 .arg(QString::number(int(answer.starts.momotaro.x)), QString::number(int(answer.starts.momotaro.y)),
                                      QString::number(int(answer.starts.dog.x)), QString::number(int(answer.starts.dog.y)),
                                      QLocale().toString(answer.seconds)),
                             TextPt, true);

    // The board, x to the right and y downwards, the walkers on their starts.
    const double cell = board / (BoardSide + 1);
    const QRectF grid(page.right() - BoardSide * cell, y + cell, BoardSide * cell, BoardSide * cell);
    painter.setPen(QPen(Qt::gray, 0.5));
    for (int i = 0; i <= BoardSide; ++i) {
        painter.drawLine(QPointF(grid.left() + i * cell, grid.top()), QPointF(grid.left() + i * cell, grid.bottom()));
        painter.drawLine(QPointF(grid.left(), grid.top() + i * cell), QPointF(grid.right(), grid.top() + i * cell));
    }
    painter.setPen(Qt::black);
    // The board's numbers are only landmarks: every other one, small.
    painter.setFont(pictureFont(7));
    for (int i = 0; i < BoardSide; i += 2) {
        painter.drawText(QRectF(grid.left() + i * cell, grid.top() - cell, cell, cell), Qt::AlignCenter, QString::number(i));
        painter.drawText(QRectF(grid.left() - cell, grid.top() + i * cell, cell, cell), Qt::AlignCenter, QString::number(i));
    }
    for (Walker walker : Walkers) {
        const Point p = walker == Walker::Dog ? answer.starts.dog : answer.starts.momotaro;
        const QPixmap picture = builtInPicture(walker == Walker::Dog ? ":/pictures/dog.png" : ":/pictures/momotaro.png");
        painter.drawPixmap(QRectF(grid.left() + int(p.x) * cell, grid.top() + int(p.y) * cell, cell, cell), picture, picture.rect());
    }
    return std::max(y + storyHeight, grid.bottom() + SmallPt) + TextPt;
}

// The groups' tally: a row a run, a wide cell for each way's strokes and a
// narrow one for the run's count, then the totals.
double paintTally(QPainter &painter, const QRectF &room, int rows)
{
    // Rows as tall as the room allows, within reason for a pencil.
    const double line = std::clamp((room.height() - SmallPt * 3) / (rows + 1), TextPt * 2.0, TextPt * 3.6);
    const double label = 60;
    const double count = 60;
    const double tally = (room.width() - label - 2 * count) / 2;
    const std::array<double, 5> columns{room.left(), room.left() + label, room.left() + label + tally,
                                        room.left() + label + tally + count, room.left() + label + 2 * tally + count};
    const double right = room.right();
    double y = room.top();
    painter.setFont(pictureFont(SmallPt, true));
    //: The tally's columns: a way's name, where a group makes a stroke for each meeting. A line break may divide it.
    const auto strokes = [](Scenario scenario) { return Sheets::tr("%1: a stroke a meeting").arg(plainName(scenario)); };
    //: The tally's columns: the run's number, and each run's count of meetings.
    const QStringList headings{Sheets::tr("Run"), strokes(Scenario::BothWalk), Sheets::tr("Count"), strokes(Scenario::DogWalks),
                               Sheets::tr("Count")};
    const double headingHeight = SmallPt * 3;
    for (int c = 0; c < 5; ++c) {
        const double end = c + 1 < 5 ? columns[std::size_t(c) + 1] : right;
        painter.drawText(QRectF(columns[std::size_t(c)] + 4, y, end - columns[std::size_t(c)] - 8, headingHeight),
                         Qt::AlignCenter | Qt::TextWordWrap, headings[c]);
    }
    painter.setFont(pictureFont(TextPt));
    const int lines = rows + 1;
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
    double y = paintHeader(painter, page, answer, setup, Sheets::tr("Meetling experiment: who finds whom first?"), [&](const QRectF &room) {
        //: %1 and %2 are the board's captions.
        const QString story = Sheets::tr(
            "Two people look for each other in a crowd. Is it faster for both to wander, or for one to stand still and wait? "
            "Momotaro and Dog try it on an 11 × 11 board. At every step a walker moves one point in one of eight directions, "
            "chosen at random, and stays on the board. When they land on the same point, that is a meeting, and both go back "
            "to their start points. “%1”: both wander. “%2”: Dog wanders, Momotaro waits where he started.")
                                  .arg(scenarioCaption(Scenario::BothWalk), scenarioCaption(Scenario::DogWalks));
        return paragraph(painter, room, story, TextPt);
    });
    y += paragraph(painter, QRectF(page.left(), y, page.width(), page.height()),
                   //: Lines for the group to write on.
                   Sheets::tr("Group: ______________________   Names: ____________________________________________"), TextPt) +
         TextPt;
    y += paragraph(painter, QRectF(page.left(), y, page.width(), page.height()),
                   Sheets::tr("Our guess, before we start: which way do Momotaro and Dog meet more often in a run, and why?"),
                   HeadingPt, true);
    y += TextPt * 0.4;
    painter.setPen(QPen(Qt::gray, 0.5));
    for (int i = 0; i < 3; ++i) {
        y += TextPt * 2.2;
        painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
    }
    painter.setPen(Qt::black);
    y += TextPt * 1.5;
    y += paragraph(painter, QRectF(page.left(), y, page.width(), page.height()),
                   Sheets::tr("Run each way %Ln time(s). Make a stroke for every meeting, then write each run's count.", nullptr, setup.rows),
                   TextPt, true) +
         TextPt * 0.6;
    // The tally takes what the conclusion's lines leave of the page.
    const double after = HeadingPt * 3 + TextPt * 2.2 * 3 + TextPt * 1.5;
    y += paintTally(painter, QRectF(page.left(), y, page.width(), page.bottom() - y - after), setup.rows) + TextPt * 1.5;
    y += paragraph(painter, QRectF(page.left(), y, page.width(), page.height()),
                   Sheets::tr("What our runs say: which way met more often, on average? Was our guess right?"), HeadingPt, true);
    painter.setPen(QPen(Qt::gray, 0.5));
    for (int i = 0; i < 3 && y + TextPt * 2.2 < page.bottom(); ++i) {
        y += TextPt * 2.2;
        painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
    }
}

void paintTeacher(QPainter &painter, const QRectF &page, const Answer &answer, const SheetSetup &setup)
{
    // The answer in words beside the board, where the pupils have the story.
    //: The teacher's sheet's title; "Meetling experiment" is the board program's name.
    double y = paintHeader(painter, page, answer, setup, Sheets::tr("Meetling experiment: the answer"), [&](const QRectF &room) {
        const double headline = paragraph(painter, room, answer.verdict.headline, HeadingPt, true) + 4;
        return headline + paragraph(painter, room.adjusted(0, headline, 0, 0), answer.verdict.detail, SmallPt);
    });

    // The figures, both ways side by side.
    const double valueWidth = page.width() * 0.24;
    const QRectF headingRoom(page.left(), y, page.width() - 2 * valueWidth, SmallPt * 3);
    painter.setFont(pictureFont(SmallPt, true));
    for (Scenario scenario : Scenarios) {
        const double left = page.right() - (scenario == Scenario::BothWalk ? 2 : 1) * valueWidth;
        painter.drawText(QRectF(left, y, valueWidth, SmallPt * 3), Qt::AlignRight | Qt::TextWordWrap,
                         //: A column's heading: %1 is a way's name, %2 the board's caption.
                         Sheets::tr("%1 (“%2”)").arg(plainName(scenario), scenarioCaption(scenario)));
    }
    y += headingRoom.height();
    painter.setFont(pictureFont(SmallPt));
    for (Figure figure : Figures) {
        // A row as high as its longest text ("never: ... is the slower way" wraps).
        double rowHeight = SmallPt * 1.5;
        rowHeight = std::max(rowHeight, painter.boundingRect(QRectF(0, 0, page.width() - 2 * valueWidth, page.height()), Qt::TextWordWrap,
                                                             figureHeading(figure)).height() + SmallPt * 0.3);
        for (Scenario scenario : Scenarios) {
            const QRectF needs = painter.boundingRect(QRectF(0, 0, valueWidth - 6, page.height()), Qt::TextWordWrap,
                                                      figureValue(figure, answer, scenario));
            rowHeight = std::max(rowHeight, needs.height() + SmallPt * 0.3);
        }
        painter.drawText(QRectF(page.left(), y, page.width() - 2 * valueWidth, rowHeight), Qt::AlignVCenter | Qt::TextWordWrap,
                         figureHeading(figure));
        for (Scenario scenario : Scenarios) {
            const double left = page.right() - (scenario == Scenario::BothWalk ? 2 : 1) * valueWidth;
            painter.drawText(QRectF(left + 6, y, valueWidth - 6, rowHeight), Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap,
                             figureValue(figure, answer, scenario));
        }
        y += rowHeight;
    }
    y += TextPt * 0.8;

    // The charts: the law across, the wait and several runs side by side;
    // with a class's counts, its verdict under them.
    const QString classText = answer.classCounts ? classSumText(*answer.classCounts, Scenario::BothWalk) + u'\n'
            + classSumText(*answer.classCounts, Scenario::DogWalks) + u'\n' + classVerdict(answer)
                                                 : QString();
    painter.setFont(pictureFont(SmallPt));
    const double classHeight = classText.isEmpty()
        ? 0
        : painter.boundingRect(QRectF(page.left(), 0, page.width(), page.height()), Qt::TextWordWrap, classText).height() + HeadingPt * 2;
    const double room = page.bottom() - y - classHeight;
    std::unique_ptr<QChart> law(lawChart(answer));
    std::unique_ptr<QChart> waiting(waitingChart(answer));
    std::unique_ptr<QChart> runs(runsChart(answer));
    const double lawHeight = room * 0.5;
    paintChart(painter, *law, QRectF(page.left(), y, page.width(), lawHeight), ChartScale);
    const QRectF lower(page.left(), y + lawHeight, page.width(), room - lawHeight);
    paintChart(painter, *waiting, QRectF(lower.left(), lower.top(), lower.width() / 2, lower.height()), ChartScale);
    paintChart(painter, *runs, QRectF(lower.center().x(), lower.top(), lower.width() / 2, lower.height()), ChartScale);
    if (!classText.isEmpty()) {
        y = lower.bottom() + HeadingPt * 0.5;
        const ClassCounts &counts = *answer.classCounts;
        y += paragraph(painter, QRectF(page.left(), y, page.width(), HeadingPt * 2),
                       counts.simulated.isEmpty() ? Sheets::tr("Our class") : Sheets::tr("Our class (simulated counts)"), HeadingPt, true);
        paragraph(painter, QRectF(page.left(), y, page.width(), page.bottom() - y), classText, SmallPt);
    }
}

} // namespace

void paintSheet(QPainter &painter, const QRectF &page, Sheet sheet, const Answer &answer, const SheetSetup &setup)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF inside = page.adjusted(Margin, Margin, -Margin, -Margin);
    if (sheet == Sheet::Pupils)
        paintPupils(painter, inside, answer, setup);
    else
        paintTeacher(painter, inside, answer, setup);
    painter.restore();
}

bool saveSheet(const QString &file, Sheet sheet, const Answer &answer, const SheetSetup &setup, Paper paper, QString &error)
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
