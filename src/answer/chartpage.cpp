#include "answer/chartpage.h"

#include "pictures/charts.h"
#include "words/wording.h"

#include <QBarSeries>
#include <QEvent>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>

namespace {

// "How many runs": the statistics tool's chart with the runs of each where
// the right scenario's total first comes out ahead 90 and 99 times in 100,
// each marked by a shape of its own and named in the key.
QChart *runsChartMarked(const stats::Answer &answer)
{
    QChart *chart = stats::runsChart(answer);
    // Five keys: they stand beside the chart, one under another.
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    chart->legend()->setAlignment(Qt::AlignRight);
    auto *x = qobject_cast<QValueAxis *>(chart->axes(Qt::Horizontal).value(0));
    auto *y = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
    struct Threshold
    {
        int chance;
        int runs;
        QScatterSeries::MarkerShape shape;
    };
    const std::array<Threshold, 2> thresholds{{{90, answer.runsEach.runsFor90, QScatterSeries::MarkerShapeTriangle},
                                               {99, answer.runsEach.runsFor99, QScatterSeries::MarkerShapeStar}}};
    for (const Threshold &t : thresholds) {
        const bool shown = t.runs > 0 && t.runs <= int(x->max());
        auto *mark = new QScatterSeries;
        mark->setMarkerShape(t.shape);
        mark->setMarkerSize(stats::PictureTextPx * 1.4);
        mark->setColor(Qt::black);
        mark->setBorderColor(Qt::white);
        // "9 in 10: 4 runs" (of each: the axis says so).
        const QString share = t.chance == 90 ? AnswerPages::tr("9 in 10") : AnswerPages::tr("99 in 100");
        const int runs = shown ? t.runs : t.runs > 0 ? int(x->max()) : stats::MaxRunsCompared;
        if (!answer.verdict.faster)
            //: A key on the chart of how many runs: %1 is a share of the runs, as "9 in 10".
            mark->setName(AnswerPages::tr("%1: never").arg(share));
        else if (shown)
            //: A key on the chart of how many runs: %1 is a share of the runs, as "9 in 10"; %n runs of each way.
            mark->setName(AnswerPages::tr("%1: %n run(s)", nullptr, runs).arg(share));
        else
            //: A key on the chart of how many runs: %1 is a share of the runs, as "9 in 10"; more than %n runs of each way.
            mark->setName(AnswerPages::tr("%1: over %n run(s)", nullptr, runs).arg(share));
        if (shown)
            mark->append(t.runs, t.chance);
        chart->addSeries(mark);
        mark->attachAxis(x);
        mark->attachAxis(y);
        if (shown) {
            // A thin guide down to the axis.
            auto *guide = new QLineSeries;
            guide->setPen(QPen(Qt::gray, 2, Qt::DashLine));
            guide->append(t.runs, t.chance);
            guide->append(t.runs, y->min());
            chart->addSeries(guide);
            guide->attachAxis(x);
            guide->attachAxis(y);
            chart->legend()->markers(guide).value(0)->setVisible(false);
        }
    }
    return chart;
}

// What a chart shows, in words, for a screen reader.
QString chartInWords(AnswerPages::Page page, const stats::Answer &answer)
{
    if (page == AnswerPages::Page::Runs) {
        const stats::RunsEach &runs = answer.runsEach;
        if (!answer.verdict.faster)
            return AnswerPages::tr("Neither way meets more: no number of runs makes one of them the right answer.");
        // %1 and %2 "4 runs of each", or the most compared where a share is not reached.
        const QString most = stats::runsOfEach(stats::MaxRunsCompared);
        const QString for90 = runs.runsFor90 > 0 ? stats::runsOfEach(runs.runsFor90) : most;
        const QString for99 = runs.runsFor99 > 0 ? stats::runsOfEach(runs.runsFor99) : most;
        if (runs.runsFor90 > 0 && runs.runsFor99 > 0)
            return AnswerPages::tr("The right way comes out ahead 9 times in 10 from %1, 99 times in 100 from %2.")
                .arg(for90, for99);
        if (runs.runsFor90 > 0)
            return AnswerPages::tr(
                       "The right way comes out ahead 9 times in 10 from %1, 99 times in 100 not within %2.")
                .arg(for90, for99);
        return AnswerPages::tr(
                   "The right way comes out ahead 9 times in 10 not within %1, 99 times in 100 not within %2.")
            .arg(for90, for99);
    }
    const QLocale locale;
    QString words;
    for (Scenario scenario : stats::Scenarios) {
        const stats::ExactResult &exact = answer.exact[scenario];
        QString sentence;
        if (page == AnswerPages::Page::Waiting) {
            sentence = exact.medianFirstSeconds
                           ? AnswerPages::tr("%1: half the runs have met within %2 s.")
                                 .arg(stats::plainName(scenario), stats::fixed(*exact.medianFirstSeconds, 1))
                           : AnswerPages::tr("%1: more than half the runs never meet.").arg(stats::plainName(scenario));
        } else {
            const auto likeliest = std::max_element(exact.law.begin(), exact.law.end());
            //: %1 a way ("Both wander"), %2 the meetings on average, %3 the likeliest count of meetings, %4 its chance.
            sentence = AnswerPages::tr("%1: %2 meetings on average, most often %3 (%4).")
                           .arg(stats::plainName(scenario), stats::fixed(exact.expectedMeetings, 2),
                                locale.toString(qlonglong(likeliest - exact.law.begin())), stats::percent(*likeliest));
        }
        //: Two sentences one after the other.
        words = words.isEmpty() ? sentence : AnswerPages::tr("%1 %2").arg(words, sentence);
    }
    return words;
}

QChart *chartOf(AnswerPages::Page page, const stats::Answer &answer)
{
    switch (page) {
    case AnswerPages::Page::Waiting: return stats::waitingChart(answer);
    case AnswerPages::Page::Runs: return runsChartMarked(answer);
    default: return stats::lawChart(answer);
    }
}

} // namespace

ChartPage::ChartPage(AnswerPages::Page page, QWidget *parent) : FittedChartView(parent), m_page(page)
{
    setAccessibleName(AnswerPages::title(page));
}

void ChartPage::changeEvent(QEvent *event)
{
    FittedChartView::changeEvent(event);
    // The chart itself is made again by the pages, in the language now in use.
    if (event->type() == QEvent::LanguageChange)
        setAccessibleName(AnswerPages::title(m_page));
}

void ChartPage::showAnswer(const stats::Answer &answer)
{
    QChart *chart = chartOf(m_page, answer);
    if (m_page == AnswerPages::Page::Law) {
        for (QAbstractSeries *series : chart->series()) {
            if (auto *bars = qobject_cast<QBarSeries *>(series))
                QObject::connect(bars, &QBarSeries::hovered, this, &ChartPage::hovered);
        }
    }
    setAccessibleDescription(chartInWords(m_page, answer));
    replaceChart(chart);
}

bool ChartPage::save(const stats::Answer &answer, const QString &file, const QString &footer, QString &error) const
{
    std::unique_ptr<QChart> chart(chartOf(m_page, answer));
    return stats::saveChart(*chart, file, footer, error);
}

void ChartPage::hovered(bool on, int index, QBarSet *set)
{
    if (!on) {
        QToolTip::hideText();
        return;
    }
    //: %1 a way ("Both wander"), %n a count of meetings in a run, %2 its chance in percent.
    const QString text =
        AnswerPages::tr("%1, %n meeting(s): %2%", nullptr, index).arg(set->label(), stats::fixed(set->at(index), 2));
    QToolTip::showText(QCursor::pos(), text, this);
    setAccessibleDescription(text);
}
