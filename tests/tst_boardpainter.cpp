// The board painter puts a point on its own cell, in pixels, wherever the
// board's square is and however wide its numbers' margin.

#include "pictures/boardpainter.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

Q_DECLARE_METATYPE(Point)

class TestBoardPainter : public QObject
{
    Q_OBJECT

private slots:
    void pointLandsOnItsCell_data()
    {
        QTest::addColumn<QRectF>("square");
        QTest::addColumn<double>("margin");
        QTest::addColumn<Point>("point");
        QTest::addColumn<QRect>("cell");
        QTest::newRow("top-left") << QRectF(0, 0, 110, 110) << 0.0 << Point{0, 0} << QRect(0, 0, 10, 10);
        QTest::newRow("bottom-right") << QRectF(0, 0, 110, 110) << 0.0 << Point{10, 10} << QRect(100, 100, 10, 10);
        QTest::newRow("x across, y down, a cell's margin")
            << QRectF(0, 0, 240, 240) << 1.0 << Point{3, 7} << QRect(80, 160, 20, 20);
        QTest::newRow("square moved, a part margin")
            << QRectF(30, 10, 232, 232) << 0.6 << Point{9, 2} << QRect(222, 62, 20, 20);
    }
    void pointLandsOnItsCell()
    {
        QFETCH(QRectF, square);
        QFETCH(double, margin);
        QFETCH(Point, point);
        QFETCH(QRect, cell);
        // Both walkers as dots on the point, the numbers white on white.
        const stats::BoardLook look{.margin = margin,
                                    .numbers = QFont(QString(), 8),
                                    .grid = stats::BoardLook::Grid::None,
                                    .walkers = stats::Starts{point, point},
                                    .walkerCells = 0.6,
                                    .dotsUnder = 1000};
        QImage image(300, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(Qt::white);
        stats::paintBoard(painter, square, look);
        painter.end();

        QRect drawn;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    drawn |= QRect(x, y, 1, 1);
            }
        }
        QVERIFY2(cell.contains(drawn) && drawn.contains(cell.center()), qPrintable(QDebug::toString(drawn)));
    }
};

QTEST_MAIN(TestBoardPainter)
#include "tst_boardpainter.moc"
