#include "pictures/boardmap.h"

#include "pictures/boardpainter.h"
#include "pictures/picturefile.h"
#include "words/wording.h"

#include <QCoreApplication>
#include <QDate>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace stats {

namespace {

struct BoardMap
{
    Q_DECLARE_TR_FUNCTIONS(stats::BoardMap)
};

// The axis numbers' margin, in cells.
constexpr double NumbersMargin = 0.6;

// From dark blue through green to yellow (as viridis), for 0 <= t <= 1:
// it grows lighter all the way, so it reads in any colour vision and in grey.
const std::array<QColor, 5> ScaleStops{QColor(0x2c, 0x1e, 0x6e), QColor(0x2a, 0x6f, 0x97), QColor(0x2e, 0xa3, 0x84),
                                       QColor(0x9b, 0xcf, 0x4c), QColor(0xfb, 0xe7, 0x2d)};

} // namespace

QColor scaleColor(double t)
{
    t = std::clamp(t, 0.0, 1.0) * (ScaleStops.size() - 1);
    const int i = std::min(int(t), int(ScaleStops.size()) - 2);
    const double f = t - i;
    auto mix = [f](int a, int b) { return int(a + (b - a) * f + 0.5); };
    return QColor(mix(ScaleStops[i].red(), ScaleStops[i + 1].red()),
                  mix(ScaleStops[i].green(), ScaleStops[i + 1].green()),
                  mix(ScaleStops[i].blue(), ScaleStops[i + 1].blue()));
}

double MapScale::position(double value) const
{
    return high > low ? std::clamp((value - low) / (high - low), 0.0, 1.0) : 0.5;
}

MapScale mapScale(const MeetingMap &map)
{
    constexpr double Quantile = 0.95;
    std::vector<double> all;
    for (Scenario scenario : Scenarios)
        all.insert(all.end(), map[scenario].begin(), map[scenario].end());
    std::sort(all.begin(), all.end());
    const double high = all[std::size_t(Quantile * double(all.size() - 1))];
    return {all.front(), high, high < all.back()};
}

namespace {

// One scenario's map with its title, Dog's start circled, the axes numbered.
void paintBoardMap(QPainter &painter, QRect area, const std::array<double, BoardPoints> &values, const MapScale &scale,
                   Point dog, const QString &title, const QString &subtitle)
{
    painter.setPen(Qt::black);
    painter.setFont(pictureFont(PictureTitlePx, true));
    painter.drawText(QRect(area.left(), area.top(), area.width(), 50), Qt::AlignCenter, title);
    painter.setFont(pictureFont(PictureTextPx));
    painter.drawText(QRect(area.left(), area.top() + 50, area.width(), 40), Qt::AlignCenter, subtitle);
    const int cell = std::min(area.width() - 100, area.height() - 180) / BoardSide;
    const QPoint origin(area.left() + 50 + (area.width() - 50 - cell * BoardSide) / 2, area.top() + 172);

    const BoardHeat heat{values, scale};
    painter.setFont(pictureFont(PictureTextPx - 6));
    paintBoard(
        painter,
        QRectF(origin, QSizeF(cell, cell) * BoardSide).adjusted(-NumbersMargin * cell, -NumbersMargin * cell, 0, 0),
        {.margin = NumbersMargin,
         .numbers = pictureFont(PictureTextPx),
         .grid = BoardLook::Grid::None,
         .heat = &heat,
         .mapTextPx = PictureTextPx - 6});
    const QRect dogBox(origin + QPoint(int(dog.x) * cell, int(dog.y) * cell), QSize(cell, cell));
    painter.setPen(QPen(Qt::white, 4, Qt::DashLine));
    painter.drawEllipse(dogBox.adjusted(6, 6, -6, -6));

    painter.setPen(Qt::black);
    painter.setFont(pictureFont(PictureTextPx, true));
    painter.drawText(QRect(origin.x(), origin.y() - 72, cell * BoardSide, 34), Qt::AlignCenter, QStringLiteral("x"));
    painter.drawText(QRect(origin.x() - 90, origin.y(), 40, cell * BoardSide), Qt::AlignCenter, QStringLiteral("y"));
}

} // namespace

bool saveMeetingMap(const MeetingMap &map, const Starts &starts, double seconds, const QString &file, QString &error)
{
    const MapScale scale = mapScale(map);
    const Point dog = starts.dog;

    return savePicture(
        file, PictureSize,
        [&](QPainter &painter) {
            painter.fillRect(QRect(QPoint(), PictureSize), Qt::white);
            const int half = PictureSize.width() / 2;
            // In the table's order: both wandering on the left.
            for (Scenario scenario : Scenarios) {
                const bool both = scenario == Scenario::BothWalk;
                paintBoardMap(painter, QRect(both ? 10 : half + 10, 10, half - 20, 850), map[scenario], scale, dog,
                              plainName(scenario),
                              //: %1 is the board's caption.
                              (both ? BoardMap::tr("\"%1\": Momotaro starts at the point")
                                    : BoardMap::tr("\"%1\": Momotaro waits at the point"))
                                  .arg(scenarioCaption(scenario)));
            }

            // The colour scale, shared by both boards, as one gradient.
            const QRect bar(420, 880, PictureSize.width() - 840, 40);
            QLinearGradient gradient(bar.topLeft(), bar.topRight());
            for (std::size_t i = 0; i < ScaleStops.size(); ++i)
                gradient.setColorAt(double(i) / double(ScaleStops.size() - 1), ScaleStops[i]);
            painter.fillRect(bar, gradient);
            painter.setPen(Qt::black);
            painter.setFont(pictureFont(PictureTextPx));
            painter.drawText(QRect(bar.left() - 200, bar.top() - 10, 190, bar.height() + 20),
                             Qt::AlignRight | Qt::AlignVCenter, fixed(scale.low, 1));
            painter.drawText(
                QRect(bar.right() + 10, bar.top() - 10, 400, bar.height() + 20), Qt::AlignLeft | Qt::AlignVCenter,
                //: The top of the colour scale, past which the colour is clipped (a corner mark ◥ says so).
                scale.clipped ? BoardMap::tr("%1 and more ◥").arg(fixed(scale.high, 1)) : fixed(scale.high, 1));
            painter.drawText(
                QRect(0, bar.bottom() + 10, PictureSize.width(), footerArea(PictureSize).top() - bar.bottom() - 10),
                Qt::AlignCenter | Qt::TextWordWrap,
                BoardMap::tr("Meetings in a run, on average, for each start of Momotaro; Dog's start is circled. "
                             "The best points are framed black and white."));
            paintFooter(painter, PictureSize, contextLine(starts, seconds, QDate::currentDate()));
        },
        error);
}

} // namespace stats
