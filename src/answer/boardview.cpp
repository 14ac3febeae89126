#include "answer/boardview.h"

#include "pictures/boardpainter.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

// The board's point cells and the margin for the axis labels, in cells.
constexpr double LabelCells = 1.0;
const QColor BoardColor{255, 255, 255};
// The share of a cell's height a map's number takes, at the cell's bottom.
constexpr double MapNumberShare = 0.4;

QString walkerName(Walker walker)
{
    return walker == Walker::Dog ? BoardView::tr("Dog") : BoardView::tr("Momotaro");
}

Point clamped(int x, int y)
{
    return {std::clamp(x, 0, rules::BoardMax), std::clamp(y, 0, rules::BoardMax)};
}

} // namespace

// A walker's picture on the board: focusable, moved by dragging or by the
// arrow keys, named with its position for a screen reader.
class WalkerPiece final : public QWidget
{
public:
    WalkerPiece(Walker walker, BoardView &board) : QWidget(&board), m_walker(walker), m_board(board)
    {
        m_picture = stats::walkerPicture(walker);
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::OpenHandCursor);
        retranslate();
    }

    void retranslate()
    {
        setAccessibleDescription(
            BoardView::tr("Drag, or use the arrow keys, to move %1's start point").arg(walkerName(m_walker)));
        setToolTip(accessibleDescription());
        name();
    }

    Point point() const { return m_point; }
    void setPoint(Point point)
    {
        if (point == m_point)
            return;
        m_point = point;
        name();
        m_board.placePieces();
        emit m_board.moved(m_walker, point);
    }

protected:
    void changeEvent(QEvent *event) override
    {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::LanguageChange)
            retranslate();
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSize fit = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
        painter.drawPixmap(QRect(QPoint((width() - fit.width()) / 2, (height() - fit.height()) / 2), fit), m_picture);
        if (hasFocus()) {
            // A dashed frame as well as the colour: the focus shows without colour vision.
            painter.setPen(QPen(palette().color(QPalette::Highlight), 3, Qt::DashLine));
            painter.drawRect(rect().adjusted(1, 1, -2, -2));
        }
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        int dx = 0;
        int dy = 0;
        switch (event->key()) {
        case Qt::Key_Left: dx = -1; break;
        case Qt::Key_Right: dx = 1; break;
        case Qt::Key_Up: dy = -1; break;
        case Qt::Key_Down: dy = 1; break;
        default: QWidget::keyPressEvent(event); return;
        }
        setPoint(clamped(int(m_point.x) + dx, int(m_point.y) + dy));
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        setFocus(Qt::MouseFocusReason);
        m_dragging = event->button() == Qt::LeftButton;
        setCursor(Qt::ClosedHandCursor);
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (m_dragging)
            setPoint(m_board.pointAt(mapToParent(event->position().toPoint())));
    }
    void mouseReleaseEvent(QMouseEvent *) override
    {
        m_dragging = false;
        setCursor(Qt::OpenHandCursor);
    }

private:
    // "Momotaro, x 4, y 4". Changing the name sends assistive technology a
    // name change event: that is how the move is reported.
    void name()
    {
        //: A walker's name and where it stands on the board.
        setAccessibleName(
            BoardView::tr("%1, x %2, y %3").arg(walkerName(m_walker)).arg(int(m_point.x)).arg(int(m_point.y)));
    }

    Walker m_walker;
    BoardView &m_board;
    QPixmap m_picture;
    Point m_point{};
    bool m_dragging = false;
};

BoardView::BoardView(QWidget *parent) : QWidget(parent)
{
    retranslate();
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(300, 300);
    // Dog first in the Tab order, as in the board program.
    for (Walker walker : stats::Walkers)
        m_pieces[walker] = new WalkerPiece(walker, *this);
    m_pieces[Walker::Momotaro]->setPoint(rules::DefaultMomotaroStart);
    m_pieces[Walker::Dog]->setPoint(rules::DefaultDogStart);
}

void BoardView::retranslate()
{
    setAccessibleName(tr("Board"));
    setAccessibleDescription(tr("%1 by %1 points, x from 0 to %2 to the right, y from 0 to %2 downwards")
                                 .arg(stats::BoardSide)
                                 .arg(rules::BoardMax));
}

void BoardView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

Point BoardView::position(Walker walker) const
{
    return m_pieces[walker]->point();
}

void BoardView::setPosition(Walker walker, Point point)
{
    m_pieces[walker]->setPoint(clamped(int(point.x), int(point.y)));
}

QWidget *BoardView::piece(Walker walker) const
{
    return m_pieces[walker];
}

void BoardView::setHeat(const std::optional<stats::BoardHeat> &heat)
{
    m_heat = heat;
    setCursor(heat ? Qt::PointingHandCursor : Qt::ArrowCursor);
    placePieces();
    update();
}

QRect BoardView::boardArea() const
{
    const int side = std::min(width(), height());
    const int cell = int(side / (stats::BoardSide + LabelCells));
    const int labels = int(cell * LabelCells);
    const int used = labels + cell * stats::BoardSide;
    // Centred across, at the top: right under the run's length.
    return {(width() - used) / 2 + labels, labels, cell * stats::BoardSide, cell * stats::BoardSide};
}

QRect BoardView::cellRect(Point point) const
{
    const QRect area = boardArea();
    const int cell = area.width() / stats::BoardSide;
    return {area.left() + int(point.x) * cell, area.top() + int(point.y) * cell, cell, cell};
}

Point BoardView::pointAt(QPoint position) const
{
    const QRect area = boardArea();
    const int cell = std::max(1, area.width() / stats::BoardSide);
    return clamped((position.x() - area.left()) / cell - (position.x() < area.left() ? 1 : 0),
                   (position.y() - area.top()) / cell - (position.y() < area.top() ? 1 : 0));
}

void BoardView::placePieces()
{
    for (Walker walker : stats::Walkers) {
        QRect cell = cellRect(m_pieces[walker]->point());
        // Over a map, the picture keeps to the cell's top and its number shows below.
        if (m_heat)
            cell.setHeight(cell.height() * (1 - MapNumberShare));
        // Two walkers on one point share it side by side.
        if (position(Walker::Dog) == position(Walker::Momotaro)) {
            cell.setWidth(cell.width() / 2);
            if (walker == Walker::Momotaro)
                cell.translate(cell.width(), 0);
        }
        m_pieces[walker]->setGeometry(cell);
    }
}

void BoardView::resizeEvent(QResizeEvent *)
{
    placePieces();
}

void BoardView::mousePressEvent(QMouseEvent *event)
{
    if (m_heat && boardArea().contains(event->position().toPoint()))
        emit pointClicked(pointAt(event->position().toPoint()));
}

void BoardView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = boardArea();
    const int cell = area.width() / stats::BoardSide;
    painter.fillRect(area, BoardColor);
    QFont labels = font();
    labels.setPixelSize(std::max(9, cell * 2 / 5));
    labels.setBold(true);
    const QRect square = area.adjusted(-cell, -cell, 0, 0);
    painter.setPen(palette().color(QPalette::WindowText));
    stats::paintBoard(painter, square,
                      {.margin = LabelCells,
                       .numbers = labels,
                       .heat = m_heat ? &*m_heat : nullptr,
                       .mapTextPx = cell * MapNumberShare * 0.8,
                       .mapNumbers = Qt::AlignHCenter | Qt::AlignBottom});
    painter.setFont(labels);
    painter.drawText(QRect(square.topLeft(), QSize(cell, cell)), Qt::AlignCenter, QStringLiteral("x→\ny↓"));
}
