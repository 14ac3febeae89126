#include "answer/classatspeedpicture.h"

#include "pictures/charts.h"
#include "answer/classboards.h"
#include "answer/classatspeedpage.h"
#include "pictures/picturefile.h"
#include "law/simulation.h"
#include "words/wording.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <memory>

QChart *classChart(const stats::Answer &answer, const stats::ClassCounts &done, bool titled)
{
    const int runs = int(done.groups.size());
    stats::PerScenario<stats::Simulation> marks;
    for (Scenario scenario : stats::Scenarios) {
        stats::Simulation &m = marks[scenario];
        m.runs = runs;
        for (int count : done.runs(scenario)) {
            if (std::size_t(count) >= m.histogram.size())
                m.histogram.resize(std::size_t(count) + 1, 0);
            ++m.histogram[std::size_t(count)];
        }
    }
    QChart *chart = stats::lawChart(answer, runs > 0 ? &marks : nullptr);
    if (!titled)
        chart->setTitle(QString());
    if (runs == 0)
        return chart;
    auto *x = qobject_cast<QValueAxis *>(chart->axes(Qt::Horizontal).value(0));
    auto *y = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
    for (Scenario scenario : stats::Scenarios) {
        const double mean = done.sum(scenario).mean();
        auto *line = new QLineSeries;
        line->setPen(QPen(stats::lookOf(scenario).color.darker(170), 2));
        line->append(mean, y->min());
        line->append(mean, y->max());
        chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
        chart->legend()->markers(line).value(0)->setVisible(false);
    }
    return chart;
}

bool saveClassAtSpeed(const stats::Answer &answer, const stats::ClassAtSpeed &motion, const QString &headline,
                      const QString &state, const QString &file, const QString &footer, QString &error)
{
    std::unique_ptr<QChart> chart(classChart(answer, motion.counts(), true));
    //: %1 how far the class is, as "3 of 30 groups done; averages 2.1 and 1.5".
    const QString said = ClassAtSpeedPage::tr("%1. Thin lines on the chart: the class's averages so far.").arg(state);
    return stats::savePicture(
        file, stats::PictureSize,
        [&](QPainter &painter) {
            const QSize size = stats::PictureSize;
            painter.fillRect(QRect(QPoint(), size), Qt::white);
            const int line = stats::PictureTextPx * 3 / 2;
            const int top = 20 + 3 * line;
            painter.setPen(Qt::black);
            painter.setFont(stats::pictureFont(stats::PictureTextPx, true));
            painter.drawText(QRect(40, 20, size.width() - 80, 2 * line),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, headline);
            painter.setFont(stats::pictureFont(stats::PictureTextPx));
            painter.drawText(QRect(40, 20 + 2 * line, size.width() - 80, line), Qt::AlignLeft | Qt::AlignVCenter, said);
            const QRect below(0, top, size.width(), stats::footerArea(size).top() - top);
            paintClassBoards(painter, below.adjusted(40, 10, -below.width() / 2 - 10, -10), motion,
                             stats::PictureTextPx);
            painter.setRenderHint(QPainter::Antialiasing);
            stats::paintChart(painter, *chart, QRectF(below.adjusted(below.width() / 2, 0, 0, 0)));
            stats::paintFooter(painter, size, footer);
        },
        error);
}
