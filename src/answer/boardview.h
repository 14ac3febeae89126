#pragma once

#include "pictures/boardpainter.h"
#include "law/exactlaw.h"

#include <QWidget>

#include <optional>
#include <vector>

class WalkerPiece;

// The 11 x 11 board of the board program, drawn to fill the widget: x to
// the right and y downwards, 0..10 labelled, Momotaro's and Dog's pictures
// on their points. Either walker is dragged to another point (it snaps to
// the grid and never leaves the board) or, given the keyboard focus, moved
// with the arrow keys. A heat overlay can colour every point by a value
// (the map of where to wait), its best points framed; clicking a point then
// asks for Momotaro to go there.
class BoardView final : public QWidget
{
    Q_OBJECT

public:
    explicit BoardView(QWidget *parent = nullptr);

    Point position(Walker walker) const;
    // Puts a walker on a point (clamped to the board); emits moved when it
    // changes.
    void setPosition(Walker walker, Point point);
    // A map drawn as the saved map draws it (its numbers under the walkers'
    // pictures, which shrink to make room), or none for the bare board.
    void setHeat(const std::optional<stats::BoardHeat> &heat);
    // The walker's piece, for a test or a layout to reach it as a user would.
    QWidget *piece(Walker walker) const;

    // The board is drawn as the largest square the widget holds: it asks for
    // no more than its least size and takes whatever room it is given.
    QSize sizeHint() const override { return minimumSize(); }

signals:
    void moved(Walker walker, Point point);
    // A click on a point while the heat overlay is shown.
    void pointClicked(Point point);

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    friend class WalkerPiece;
    // Sets its texts in the language in use.
    void retranslate();
    // The board's square and one point's cell in it.
    QRect boardArea() const;
    QRect cellRect(Point point) const;
    // The point under a position in the widget, clamped to the board.
    Point pointAt(QPoint position) const;
    void placePieces();

    stats::PerWalker<WalkerPiece *> m_pieces{};
    std::optional<stats::BoardHeat> m_heat;
};
