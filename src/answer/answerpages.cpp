#include "answerpages.h"

#include "classtable.h"
#include "pictures.h"

#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QGraphicsLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QRadioButton>
#include <QResizeEvent>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <functional>

namespace {

// The charts are laid out at this size and scaled to fit their page, so
// that their text grows with the window (1280 px across: the statistics
// tool's 28 px text is 20 px and more on a full-screen page of a 1920 x 1080
// projector).
constexpr QSizeF ChartLayoutSize{1280, 760};

QString pageTitle(AnswerPages::Page page)
{
    switch (page) {
    case AnswerPages::Page::Law: return QStringLiteral("Meetings per run");
    case AnswerPages::Page::Waiting: return QStringLiteral("Waiting for the first meeting");
    case AnswerPages::Page::OneRun: return QStringLiteral("One run of each");
    case AnswerPages::Page::Runs: return QStringLiteral("How many runs");
    case AnswerPages::Page::WhereToWait: return QStringLiteral("Where to wait");
    case AnswerPages::Page::OurClass: return QStringLiteral("Our class");
    }
    return {};
}

// "How many runs": the statistics tool's chart with the 90% and 99% lines
// and the runs of each where the right scenario first reaches them.
QChart *runsChartMarked(const stats::Report &report)
{
    QChart *chart = stats::runsChart(report);
    auto *x = qobject_cast<QValueAxis *>(chart->axes(Qt::Horizontal).value(0));
    auto *y = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
    const std::array<std::pair<double, int>, 2> thresholds{{{90, report.runsEach.runsFor90}, {99, report.runsEach.runsFor99}}};
    for (const auto &[chance, runs] : thresholds) {
        auto *line = new QLineSeries;
        line->setName(runs > 0 && runs <= int(x->max()) ? QStringLiteral("%1%: %2 runs of each").arg(chance).arg(runs)
                                                        : QStringLiteral("%1%").arg(chance));
        line->setPen(QPen(Qt::black, chance == 90 ? 3 : 2, chance == 90 ? Qt::DashDotLine : Qt::DashDotDotLine));
        line->append(x->min(), chance);
        line->append(x->max(), chance);
        if (runs > 0 && runs <= int(x->max())) {
            line->append(runs, chance);
            line->append(runs, y->min());
        }
        chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
    }
    return chart;
}

// What a chart shows, in words, for a screen reader.
QString chartInWords(AnswerPages::Page page, const stats::Report &report)
{
    QStringList sentences;
    for (Scenario scenario : stats::Scenarios) {
        const stats::ExactResult &exact = report.exact[scenario];
        if (page == AnswerPages::Page::Waiting) {
            sentences << QStringLiteral("%1: half the runs have met within %2").arg(stats::plainName(scenario),
                         exact.medianFirstSeconds ? QStringLiteral("%1 s").arg(*exact.medianFirstSeconds, 0, 'f', 1) : QStringLiteral("never"));
        } else {
            const auto likeliest = std::max_element(exact.law.begin(), exact.law.end());
            sentences << QStringLiteral("%1: %2 meetings on average, most often %3 (%4)")
                         .arg(stats::plainName(scenario), QString::number(exact.expectedMeetings, 'f', 2))
                         .arg(likeliest - exact.law.begin())
                         .arg(stats::percent(*likeliest));
        }
    }
    if (page == AnswerPages::Page::Runs) {
        const stats::RunsEach &runs = report.runsEach;
        return QStringLiteral("The right way comes out ahead 9 times in 10 from %1 runs of each, 99 times in 100 from %2.")
            .arg(runs.runsFor90)
            .arg(runs.runsFor99);
    }
    return sentences.join(QStringLiteral(". ")) + u'.';
}

QChart *chartOf(AnswerPages::Page page, const stats::Report &report)
{
    switch (page) {
    case AnswerPages::Page::Waiting: return stats::waitingChart(report);
    case AnswerPages::Page::Runs: return runsChartMarked(report);
    default: return stats::lawChart(report);
    }
}

// "One run of each": how often each way counts more, or they tie, as three
// bars across the whole width, each labelled with its chance.
void paintOneRun(QPainter &painter, QRect area, const stats::Report &report)
{
    const stats::OneRunEach &one = report.runsEach.byRuns.front();
    struct Share
    {
        QString name;
        double chance;
        QColor color;
        Qt::BrushStyle fill;
    };
    const stats::Look &both = stats::lookOf(Scenario::BothWalk);
    const stats::Look &waits = stats::lookOf(Scenario::DogWalks);
    const std::array<Share, 3> shares{{{QStringLiteral("Both wander counts more"), one.bothMore, both.color, both.fill},
                                     {QStringLiteral("A tie"), one.tie, QColor(0x99, 0x99, 0x99), Qt::Dense4Pattern},
                                     {QStringLiteral("Momotaro waiting counts more"), one.oneMore, waits.color, waits.fill}}};
    QFont text = painter.font();
    text.setPixelSize(std::max(10, area.height() / 16));
    painter.setFont(text);
    painter.setPen(Qt::black);
    painter.drawText(QRect(area.left(), area.top(), area.width(), area.height() / 6), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("One run of each scenario, %1 s each: which counts more meetings?").arg(report.options.seconds));
    const int rowHeight = area.height() * 5 / 6 / 3;
    const int labelWidth = area.width() * 2 / 5;
    const int barSpace = area.width() - labelWidth - area.width() / 6;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        const QRect row(area.left(), area.top() + area.height() / 6 + int(i) * rowHeight, area.width(), rowHeight);
        painter.setPen(Qt::black);
        painter.drawText(QRect(row.left(), row.top(), labelWidth - 10, row.height()), Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap,
                         shares[i].name);
        const QRect bar(row.left() + labelWidth, row.top() + row.height() / 5, int(barSpace * shares[i].chance), row.height() * 3 / 5);
        painter.fillRect(bar, Qt::white);
        painter.fillRect(bar, QBrush(shares[i].color, shares[i].fill));
        painter.setPen(QPen(shares[i].color.darker(150), 2));
        painter.drawRect(bar);
        painter.setPen(Qt::black);
        painter.drawText(QRect(bar.right() + 10, row.top(), area.width() / 6 + barSpace - bar.width(), row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, stats::percent(shares[i].chance));
    }
}

} // namespace

// A chart scaled to fit its page, its text growing with it.
class ChartPage final : public QChartView
{
public:
    ChartPage(AnswerPages::Page page, QWidget *parent) : QChartView(parent), m_page(page)
    {
        setRenderHint(QPainter::Antialiasing);
        setFocusPolicy(Qt::StrongFocus);
        setAccessibleName(pageTitle(page));
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setMinimumSize(200, 120);
    }

    void showReport(const stats::Report &report)
    {
        QChart *chart = chartOf(m_page, report);
        chart->setAnimationOptions(QChart::NoAnimation);
        if (m_page == AnswerPages::Page::Law) {
            for (QAbstractSeries *series : chart->series()) {
                if (auto *bars = qobject_cast<QBarSeries *>(series))
                    QObject::connect(bars, &QBarSeries::hovered, this, &ChartPage::hovered);
            }
        }
        setAccessibleDescription(chartInWords(m_page, report));
        QChart *old = this->chart();
        setChart(chart);
        delete old;
        chart->resize(ChartLayoutSize);
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
        if (!chart())
            return;
        // The view's own scene rectangle: the chart view sets it to its size.
        setSceneRect(QRectF(QPointF(), ChartLayoutSize));
        fitInView(sceneRect(), Qt::KeepAspectRatio);
    }
    // A bar's chance where the pointer is, and for a screen reader in the
    // chart's description.
    void hovered(bool on, int index, QBarSet *set)
    {
        if (!on) {
            QToolTip::hideText();
            return;
        }
        const QString text = QStringLiteral("%1, %2 meetings: %3%").arg(set->label()).arg(index).arg(set->at(index), 0, 'f', 2);
        QToolTip::showText(QCursor::pos(), text, this);
        setAccessibleDescription(text);
    }

    AnswerPages::Page m_page;
};

class OneRunPicture final : public QWidget
{
public:
    explicit OneRunPicture(QWidget *parent) : QWidget(parent)
    {
        setAccessibleName(pageTitle(AnswerPages::Page::OneRun));
        setFocusPolicy(Qt::StrongFocus);
    }
    void setAnswer(const answer::Answer &answer)
    {
        m_answer = answer;
        if (answer) {
            const stats::OneRunEach &one = answer->runsEach.byRuns.front();
            setAccessibleDescription(QStringLiteral("Both wander counts more %1 of the time, a tie %2, Momotaro waiting counts more %3")
                                         .arg(stats::percent(one.bothMore), stats::percent(one.tie), stats::percent(one.oneMore)));
        }
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!m_answer)
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), Qt::white);
        paintOneRun(painter, rect().adjusted(10, 10, -10, -10), *m_answer);
    }

private:
    answer::Answer m_answer;
};

AnswerPages::AnswerPages(QWidget *parent) : QTabWidget(parent)
{
    setAccessibleName(QStringLiteral("Pages of detail"));
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &AnswerPages::refresh);
    m_law = new ChartPage(Page::Law, this);
    m_waiting = new ChartPage(Page::Waiting, this);
    m_oneRun = new OneRunPicture(this);
    m_runs = new ChartPage(Page::Runs, this);

    m_where = new QWidget(this);
    auto *whereLayout = new QVBoxLayout(m_where);
    auto *explain = new QLabel(QStringLiteral("The board shows, for every point, the meetings in a run on average if Momotaro "
                                              "starts there, Dog starting where it is. Lighter is more; the best points are framed "
                                              "black and white. Click a point to move Momotaro there."),
                               m_where);
    explain->setWordWrap(true);
    whereLayout->addWidget(explain);
    m_waitChoice = new QButtonGroup(m_where);
    for (Scenario scenario : stats::Scenarios) {
        auto *choice = new QRadioButton(scenario == Scenario::DogWalks ? QStringLiteral("Momotaro stands still")
                                                                       : QStringLiteral("Both wander"),
                                        m_where);
        m_waitChoice->addButton(choice, int(scenario));
        whereLayout->addWidget(choice);
    }
    m_waitChoice->button(int(Scenario::DogWalks))->setChecked(true);
    m_best = new QLabel(m_where);
    m_best->setWordWrap(true);
    m_best->setAccessibleName(QStringLiteral("The best points"));
    m_best->setFocusPolicy(Qt::TabFocus);
    whereLayout->addWidget(m_best);
    whereLayout->addStretch(1);
    connect(m_waitChoice, &QButtonGroup::idClicked, this, [this] {
        refresh();
        emit heatChanged();
    });

    m_class = new ClassTable(this);
    connect(m_class, &ClassTable::countsChanged, this, &AnswerPages::classChanged);

    addTab(m_law, pageTitle(Page::Law));
    addTab(m_waiting, pageTitle(Page::Waiting));
    addTab(m_oneRun, pageTitle(Page::OneRun));
    addTab(m_runs, pageTitle(Page::Runs));
    addTab(m_where, pageTitle(Page::WhereToWait));
    addTab(m_class, pageTitle(Page::OurClass));
    connect(this, &QTabWidget::currentChanged, this, [this] {
        refresh();
        emit heatChanged();
    });
}

answer::Answer AnswerPages::classAnswer() const
{
    if (!m_answer)
        return nullptr;
    const stats::ClassCounts counts = m_class->counts();
    if (!counts.hasRuns())
        return m_answer;
    auto report = std::make_shared<stats::Report>(*m_answer);
    report->options.classCounts = counts;
    return report;
}

void AnswerPages::setAnswer(const answer::Answer &answer)
{
    m_answer = answer;
    m_stale.fill(true);
    m_refresh.start();
}

void AnswerPages::setMap(const answer::Map &map)
{
    m_map = map;
    m_stale[std::size_t(Page::WhereToWait)] = true;
    refresh();
    emit heatChanged();
}

void AnswerPages::classChanged()
{
    m_stale[std::size_t(Page::Law)] = true;
    m_stale[std::size_t(Page::OurClass)] = true;
    refresh();
}

std::optional<std::array<double, stats::BoardPoints>> AnswerPages::heat() const
{
    if (currentIndex() != int(Page::WhereToWait) || !m_map)
        return std::nullopt;
    return (*m_map)[Scenario(m_waitChoice->checkedId())];
}

void AnswerPages::refresh()
{
    const Page page = Page(currentIndex());
    if (!m_stale[std::size_t(page)])
        return;
    if (!m_answer)
        return;
    switch (page) {
    case Page::Law: m_law->showReport(*classAnswer()); break;
    case Page::Waiting: m_waiting->showReport(*m_answer); break;
    case Page::OneRun: m_oneRun->setAnswer(m_answer); break;
    case Page::Runs: m_runs->showReport(*m_answer); break;
    case Page::WhereToWait: {
        if (!m_map) {
            m_best->setText(QStringLiteral("Working out the map…"));
            return;
        }
        const Scenario scenario = Scenario(m_waitChoice->checkedId());
        QStringList points;
        for (int index : stats::bestPoints((*m_map)[scenario])) {
            const Point p = stats::pointAt(index);
            points << QStringLiteral("(%1, %2)").arg(int(p.x)).arg(int(p.y));
        }
        m_best->setText(QStringLiteral("Best: %1, %2 meetings in a run on average.")
                            .arg(points.join(QStringLiteral(", ")))
                            .arg(*std::max_element((*m_map)[scenario].begin(), (*m_map)[scenario].end()), 0, 'f', 2));
        break;
    }
    case Page::OurClass: {
        const answer::Answer withClass = classAnswer();
        m_class->setVerdict(withClass->options.classCounts ? stats::classVerdict(*withClass)
                                                           : QStringLiteral("Type the meetings each group counted."));
        break;
    }
    }
    m_stale[std::size_t(page)] = false;
}

bool AnswerPages::saveCurrent(const QString &file, QString &error) const
{
    if (!m_answer) {
        error = QStringLiteral("the answer is still being worked out");
        return false;
    }
    const Page page = Page(currentIndex());
    switch (page) {
    case Page::OneRun:
        return stats::savePicture(file, stats::PictureSize, [this](QPainter &painter) {
            painter.fillRect(QRect(QPoint(), stats::PictureSize), Qt::white);
            paintOneRun(painter, QRect(QPoint(40, 40), stats::PictureSize - QSize(80, 80)), *m_answer);
        }, error);
    case Page::WhereToWait: {
        if (!m_map) {
            error = QStringLiteral("the map is still being worked out");
            return false;
        }
        stats::Report report = *m_answer;
        report.map = *m_map;
        return stats::saveMeetingMap(report, file, error);
    }
    default: {
        std::unique_ptr<QChart> chart(chartOf(page, *classAnswer()));
        return stats::saveChart(*chart, file, error);
    }
    }
}
