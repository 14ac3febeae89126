#pragma once

#include "exactlaw.h"

#include <QWidget>

#include <array>
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
    // Values by point (stats::pointIndex), or none for the bare board.
    void setHeat(const std::optional<std::array<double, stats::BoardPoints>> &values);
    // The walker's piece, for a test or a layout to reach it as a user would.
    QWidget *piece(Walker walker) const;

    QSize sizeHint() const override { return {440, 440}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

signals:
    void moved(Walker walker, Point point);
    // A click on a point while the heat overlay is shown.
    void pointClicked(Point point);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    friend class WalkerPiece;
    // The board's square and one point's cell in it.
    QRect boardArea() const;
    QRect cellRect(Point point) const;
    // The point under a position in the widget, clamped to the board.
    Point pointAt(QPoint position) const;
    void placePieces();

    stats::PerWalker<WalkerPiece *> m_pieces{};
    std::optional<std::array<double, stats::BoardPoints>> m_heat;
    std::vector<int> m_best;
};
