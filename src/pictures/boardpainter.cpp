#include "pictures/boardpainter.h"

#include "forms/builtinpicture.h"
#include "words/numbers.h"

#include <QHash>
#include <QLocale>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace stats {

namespace {

// A cell's width in the board's logical square.
constexpr double Cell = 100;
constexpr double Side = Cell * BoardSide;
const QColor GridColor{160, 160, 160};
// A walker's dot, in the colour of its picture's background, a few of the
// painter's units at least.
const QColor DogDot{0x4C, 0xAF, 0x50};
const QColor MomotaroDot{0xF4, 0xC4, 0x30};
constexpr double DotLeast = 4;
// The ring where the walkers met: as wide as this many walkers, its line a
// third of a cell and a few of the painter's units at least.
const QColor MetColor{0xE6, 0x9F, 0x00};
constexpr double MetWalkers = 1.4;
constexpr double MetLeast = 2;

// The cells of a map on a board square, each coloured by its value on
// scale and showing it to one decimal in textPx pixels at numbers (within
// the cell, clear of the frames), the best points framed black and white.
void paintMapCells(QPainter &painter, const QRectF &board, const std::array<double, BoardPoints> &values,
                   const MapScale &scale, double textPx, Qt::Alignment numbers)
{
    const double cell = board.width() / BoardSide;
    auto box = [&](int index) {
        return QRectF(board.left() + index % BoardSide * cell, board.top() + index / BoardSide * cell, cell, cell);
    };
    painter.save();
    // The cells overlap by a pixel, so no seam shows between them at any scale.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int index = 0; index < BoardPoints; ++index)
        painter.fillRect(box(index).adjusted(0, 0, 1, 1), scaleColor(scale.position(values[std::size_t(index)])));
    painter.setRenderHint(QPainter::Antialiasing);

    // The best points: a thick black frame on the cell's edge with a thin
    // white one inside, seen on any colour and in any colour vision. The
    // numbers keep clear of both.
    const double frame = std::max(2.0, std::round(cell / 14));
    const double inner = std::max(1.0, std::round(frame / 2));
    const double inset = frame + inner + 1;
    QFont text = painter.font();
    text.setPixelSize(std::max(6, int(std::min(textPx, cell * 0.34))));
    painter.setFont(text);
    for (int index = 0; index < BoardPoints; ++index) {
        const double value = values[std::size_t(index)];
        const QRectF inside = box(index).adjusted(inset, inset, -inset, -inset);
        painter.setPen(scale.position(value) > 0.55 ? Qt::black : Qt::white);
        painter.drawText(inside, int(numbers) | Qt::TextDontClip, fixed(value, 1));
        // Above the scale: a corner mark says the colour is clipped.
        if (value > scale.high) {
            const QRectF b = box(index);
            painter.setBrush(Qt::black);
            painter.setPen(Qt::NoPen);
            painter.drawPolygon(
                QPolygonF({b.topRight(), b.topRight() + QPointF(-cell / 4, 0), b.topRight() + QPointF(0, cell / 4)}));
            painter.setBrush(Qt::NoBrush);
        }
    }
    for (int index : bestPoints(values)) {
        const QRectF b = box(index);
        painter.setPen(QPen(Qt::black, frame, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(b.adjusted(frame / 2, frame / 2, -frame / 2, -frame / 2));
        painter.setPen(QPen(Qt::white, inner, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawRect(b.adjusted(frame + inner / 2, frame + inner / 2, -frame - inner / 2, -frame - inner / 2));
    }
    painter.restore();
}

} // namespace

const QPixmap &walkerPicture(Walker walker, int side)
{
    static PerWalker<QHash<int, QPixmap>> cache;
    QHash<int, QPixmap> &sized = cache[walker];
    auto found = sized.find(side);
    if (found == sized.end()) {
        const QPixmap whole = builtInPicture(walker == Walker::Dog ? ":/pictures/dog.png" : ":/pictures/momotaro.png");
        found = sized.insert(side, side > 0 ? whole.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                            : whole);
    }
    return *found;
}

void paintBoard(QPainter &painter, const QRectF &square, const BoardLook &look)
{
    // The painter's units a logical one takes, and the device's pixels one of the painter's.
    const double unit = square.width() / (BoardSide + look.margin) / Cell;
    const double pixels = std::sqrt(std::abs(painter.deviceTransform().determinant()));
    const QPointF corner = square.topLeft() + QPointF(look.margin, look.margin) * Cell * unit;
    painter.save();
    if (look.heat)
        paintMapCells(painter, QRectF(corner, QSizeF(Side, Side) * unit), look.heat->values, look.heat->scale,
                      look.mapTextPx, look.mapNumbers);
    painter.translate(corner);
    painter.scale(unit, unit);
    if (look.grid != BoardLook::Grid::None && Cell * unit >= look.gridLeast) {
        painter.save();
        painter.setPen(QPen(GridColor, look.gridWidth / unit));
        const int edge = look.grid == BoardLook::Grid::Inner ? 1 : 0;
        for (int i = edge; i <= BoardSide - edge; ++i) {
            painter.drawLine(QPointF(i * Cell, 0), QPointF(i * Cell, Side));
            painter.drawLine(QPointF(0, i * Cell), QPointF(Side, i * Cell));
        }
        painter.restore();
    }
    if (look.margin > 0) {
        QFont font = look.numbers;
        font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() / unit))));
        painter.setFont(font);
        const double margin = look.margin * Cell;
        for (int i = 0; i < BoardSide; i += look.numberStep) {
            painter.drawText(QRectF(i * Cell, -margin, Cell, margin), Qt::AlignCenter | Qt::TextDontClip,
                             QLocale().toString(i));
            painter.drawText(QRectF(-margin, i * Cell, margin, Cell), Qt::AlignCenter | Qt::TextDontClip,
                             QLocale().toString(i));
        }
    }

    // A walker larger than a cell is moved in from the board's edge, whole.
    const double side = look.walkerCells * Cell;
    auto centre = [&](Point p) {
        const double half = std::min(side, Side) / 2;
        return QPointF(std::clamp((int(p.x) + 0.5) * Cell, half, Side - half),
                       std::clamp((int(p.y) + 0.5) * Cell, half, Side - half));
    };
    painter.setClipRect(QRectF(0, 0, Side, Side), Qt::IntersectClip);
    // On a screen or an image a picture is scaled once to its pixels; a PDF
    // or an SVG file gets it whole, for the printer or the viewer to scale.
    const bool raster = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
    for (Walker walker : {Walker::Momotaro, Walker::Dog}) {
        if (!look.walkers)
            break;
        const QPointF at = centre(walker == Walker::Dog ? look.walkers->dog : look.walkers->momotaro);
        if (side * unit < look.dotsUnder) {
            const double radius = std::max(std::floor(side * unit), DotLeast) / unit / 2;
            painter.setPen(QPen(Qt::black, 0));
            painter.setBrush(walker == Walker::Dog ? DogDot : MomotaroDot);
            painter.drawEllipse(at, radius, radius);
        } else {
            const QPixmap &picture = walkerPicture(walker, raster ? int(side * unit * pixels) : 0);
            const QSizeF drawn = raster ? QSizeF(picture.size()) / (unit * pixels)
                                        : QSizeF(picture.size()).scaled(side, side, Qt::KeepAspectRatio);
            painter.drawPixmap(QRectF(at - QPointF(drawn.width(), drawn.height()) / 2, drawn), picture,
                               QRectF(picture.rect()));
        }
    }
    if (look.metAt) {
        painter.setPen(QPen(MetColor, std::max(MetLeast / unit, Cell / 3)));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre(*look.metAt), side * MetWalkers / 2, side * MetWalkers / 2);
    }
    painter.restore();
}

} // namespace stats
