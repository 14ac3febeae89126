#pragma once

#include "pictures/charts.h"
#include "pictures/picturefile.h"

#include <QChart>
#include <QChartView>

#include <algorithm>

// A chart scaled to fit its view, laid out as the saved pictures are at the
// size that makes their text the window's text once scaled to the view.
class FittedChartView : public QChartView
{
public:
    explicit FittedChartView(QWidget *parent) : QChartView(parent)
    {
        setRenderHint(QPainter::Antialiasing);
        setFocusPolicy(Qt::StrongFocus);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setFrameShape(QFrame::NoFrame);
    }

    // Shows chart (the view's from now on) in place of the one before.
    void replaceChart(QChart *chart)
    {
        chart->setAnimationOptions(QChart::NoAnimation);
        QChart *old = this->chart();
        setChart(chart);
        delete old;
        fit();
    }
    // The chart shrinks with its view: a few lines of text high at least.
    QSize minimumSizeHint() const override { return {m_textPixels * 8, m_textPixels * 3}; }
    void setTextPixels(int pixels)
    {
        m_textPixels = pixels;
        fit();
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QGraphicsView::resizeEvent(event);
        fit();
    }

private:
    void fit()
    {
        if (!chart() || viewport()->width() <= 0)
            return;
        // Never laid out smaller than LeastLayout: on a view too small for
        // the window's text, the text shrinks with the chart rather than
        // leave its axes' labels no room but for "…".
        const double scale =
            std::min({double(m_textPixels) / stats::PictureTextPx, viewport()->width() / double(LeastLayout.width()),
                      viewport()->height() / double(LeastLayout.height())});
        const QSizeF layout = QSizeF(viewport()->size()) / scale;
        chart()->resize(layout);
        // The chart view takes the chart's least size as its own; here the
        // chart is scaled to the view, so the view has none.
        setMinimumSize(0, 0);
        setSceneRect(QRectF(QPointF(), layout));
        fitInView(sceneRect(), Qt::KeepAspectRatio);
    }

    // The least layout, in the saved pictures' units, that has room for
    // every label of the law's chart.
    static constexpr QSize LeastLayout{640, 480};
    int m_textPixels = 13;
};
