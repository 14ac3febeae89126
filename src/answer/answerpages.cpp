#include "answer/answerpages.h"

#include "answer/classtable.h"
#include "answer/fastclasspage.h"
#include "pictures/boardmap.h"
#include "pictures/charts.h"
#include "answer/fittedchartview.h"
#include "pictures/picturefile.h"
#include "answer/veil.h"
#include "words/wording.h"

#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScatterSeries>
#include <QStackedWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <functional>

namespace {

QString titleOf(AnswerPages::Page page)
{
    switch (page) {
    case AnswerPages::Page::Law: return AnswerPages::tr("Meetings per run");
    case AnswerPages::Page::Waiting: return AnswerPages::tr("The first meeting");
    case AnswerPages::Page::OneRun: return AnswerPages::tr("One run of each");
    case AnswerPages::Page::Runs: return AnswerPages::tr("How many runs");
    case AnswerPages::Page::WhereToWait: return AnswerPages::tr("Where to wait");
    case AnswerPages::Page::OurClass: return AnswerPages::tr("Our class");
    case AnswerPages::Page::FastClass: return AnswerPages::tr("A class at speed");
    }
    return {};
}

// "How many runs": the statistics tool's chart with the runs of each where
// the right scenario's total first comes out ahead 90 and 99 times in 100,
// each marked by a shape of its own and named in the key.
QChart *runsChartMarked(const stats::Answer &report)
{
    QChart *chart = stats::runsChart(report);
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
    const std::array<Threshold, 2> thresholds{{{90, report.runsEach.runsFor90, QScatterSeries::MarkerShapeTriangle},
                                               {99, report.runsEach.runsFor99, QScatterSeries::MarkerShapeStar}}};
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
        if (!report.verdict.faster)
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
QString chartInWords(AnswerPages::Page page, const stats::Answer &report)
{
    if (page == AnswerPages::Page::Runs) {
        const stats::RunsEach &runs = report.runsEach;
        if (!report.verdict.faster)
            return AnswerPages::tr("Neither way meets more: no number of runs makes one of them the right answer.");
        // %1 and %2 "4 runs of each", or the most compared where a share is not reached.
        const QString most = stats::runsOfEach(stats::MaxRunsCompared);
        const QString for90 = runs.runsFor90 > 0 ? stats::runsOfEach(runs.runsFor90) : most;
        const QString for99 = runs.runsFor99 > 0 ? stats::runsOfEach(runs.runsFor99) : most;
        if (runs.runsFor90 > 0 && runs.runsFor99 > 0)
            return AnswerPages::tr("The right way comes out ahead 9 times in 10 from %1, 99 times in 100 from %2.").arg(for90, for99);
        if (runs.runsFor90 > 0)
            return AnswerPages::tr("The right way comes out ahead 9 times in 10 from %1, 99 times in 100 not within %2.").arg(for90, for99);
        return AnswerPages::tr("The right way comes out ahead 9 times in 10 not within %1, 99 times in 100 not within %2.").arg(for90, for99);
    }
    const QLocale locale;
    QString words;
    for (Scenario scenario : stats::Scenarios) {
        const stats::ExactResult &exact = report.exact[scenario];
        QString sentence;
        if (page == AnswerPages::Page::Waiting) {
            sentence = exact.medianFirstSeconds
                ? AnswerPages::tr("%1: half the runs have met within %2 s.").arg(stats::plainName(scenario), locale.toString(*exact.medianFirstSeconds, 'f', 1))
                : AnswerPages::tr("%1: more than half the runs never meet.").arg(stats::plainName(scenario));
        } else {
            const auto likeliest = std::max_element(exact.law.begin(), exact.law.end());
            //: %1 a way ("Both wander"), %2 the meetings on average, %3 the likeliest count of meetings, %4 its chance.
            sentence = AnswerPages::tr("%1: %2 meetings on average, most often %3 (%4).")
                           .arg(stats::plainName(scenario), locale.toString(exact.expectedMeetings, 'f', 2),
                                locale.toString(qlonglong(likeliest - exact.law.begin())), stats::percent(*likeliest));
        }
        //: Two sentences one after the other.
        words = words.isEmpty() ? sentence : AnswerPages::tr("%1 %2").arg(words, sentence);
    }
    return words;
}

QChart *chartOf(AnswerPages::Page page, const stats::Answer &report)
{
    switch (page) {
    case AnswerPages::Page::Waiting: return stats::waitingChart(report);
    case AnswerPages::Page::Runs: return runsChartMarked(report);
    default: return stats::lawChart(report);
    }
}

QString footerOf(const stats::Answer &report)
{
    return stats::contextLine(report.starts, report.seconds, QDate::currentDate());
}

// "One run of each": how often each way counts more, or they tie, as three
// bars across the whole width, each labelled with its chance; text in
// textPx pixels. The page and its saved picture both draw with it.
void paintOneRun(QPainter &painter, QRect area, const stats::Answer &report, int textPx)
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
    const std::array<Share, 3> shares{{{AnswerPages::tr("“%1” counts more").arg(stats::plainName(Scenario::BothWalk)), one.bothMore, both.color, both.fill},
                                       {AnswerPages::tr("A tie"), one.tie, QColor(0x99, 0x99, 0x99), Qt::Dense4Pattern},
                                       {AnswerPages::tr("“%1” counts more").arg(stats::plainName(Scenario::DogWalks)), one.oneMore, waits.color, waits.fill}}};
    QFont text = painter.font();
    text.setPixelSize(textPx);
    painter.setFont(text);
    painter.setPen(Qt::black);
    const int titleHeight = textPx * 3;
    painter.drawText(QRect(area.left(), area.top(), area.width(), titleHeight), Qt::AlignCenter | Qt::TextWordWrap,
                     AnswerPages::tr("One run of each, %L1 s each: which counts more meetings?").arg(report.seconds));
    const int rowHeight = (area.height() - titleHeight) / 3;
    const int labelWidth = area.width() * 2 / 5;
    const int valueWidth = textPx * 5;
    const int barSpace = std::max(1, area.width() - labelWidth - valueWidth);
    for (std::size_t i = 0; i < shares.size(); ++i) {
        const QRect row(area.left(), area.top() + titleHeight + int(i) * rowHeight, area.width(), rowHeight);
        painter.setPen(Qt::black);
        painter.drawText(QRect(row.left(), row.top(), labelWidth - textPx / 2, row.height()), Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap,
                         shares[i].name);
        const QRect bar(row.left() + labelWidth, row.top() + row.height() / 5, int(barSpace * shares[i].chance), row.height() * 3 / 5);
        painter.fillRect(bar, Qt::white);
        painter.fillRect(bar, QBrush(shares[i].color, shares[i].fill));
        painter.setPen(QPen(shares[i].color.darker(150), 2));
        painter.drawRect(bar);
        painter.setPen(Qt::black);
        painter.drawText(QRect(bar.right() + textPx / 2, row.top(), valueWidth, row.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         stats::percent(shares[i].chance));
    }
}

// "Our class" as a picture: the groups' counts as a table (as many rows as
// fit, then how many more), the class's verdict under it.
void paintClass(QPainter &painter, QRect area, const stats::Answer &report, int textPx)
{
    QFont text = painter.font();
    text.setPixelSize(textPx);
    painter.setFont(text);
    painter.setPen(Qt::black);
    const int line = textPx * 3 / 2;
    QFont bold = text;
    bold.setBold(true);
    painter.setFont(bold);
    const QString verdict = report.classCounts ? stats::classVerdict(report) : AnswerPages::tr("No group's counts yet.");
    const QRect verdictArea = painter.boundingRect(QRect(area.left(), 0, area.width(), area.height()), Qt::TextWordWrap, verdict);
    const int columns[] = {area.left(), area.left() + area.width() * 3 / 10, area.left() + area.width() * 13 / 20};
    painter.drawText(QRect(columns[0], area.top(), area.width(), line), titleOf(AnswerPages::Page::OurClass));
    int y = area.top() + line * 3 / 2;
    painter.drawText(QRect(columns[1], y, columns[2] - columns[1], line * 2), Qt::TextWordWrap, stats::plainName(Scenario::BothWalk));
    painter.drawText(QRect(columns[2], y, area.right() - columns[2], line * 2), Qt::TextWordWrap, stats::plainName(Scenario::DogWalks));
    y += line * 2;
    painter.setFont(text);
    const std::vector<stats::ClassGroup> groupsCounted =
        report.classCounts ? report.classCounts->groups : std::vector<stats::ClassGroup>{};
    const std::size_t groups = groupsCounted.size();
    const int room = std::max(1, (area.bottom() - verdictArea.height() - line * 2 - y) / line);
    const std::size_t shown = groups <= std::size_t(room) ? groups : std::size_t(room - 1);
    for (std::size_t g = 0; g < shown; ++g, y += line) {
        painter.drawText(QRect(columns[0], y, columns[1] - columns[0], line), AnswerPages::tr("Group %L1").arg(g + 1));
        for (Scenario s : stats::Scenarios) {
            const std::optional<int> &count = groupsCounted[g].counts[s];
            const int column = columns[s == Scenario::BothWalk ? 1 : 2];
            if (count)
                painter.drawText(QRect(column, y, textPx * 4, line), Qt::AlignRight, QLocale().toString(*count));
        }
    }
    if (shown < groups) {
        painter.drawText(QRect(columns[0], y, area.width(), line), AnswerPages::tr("… and %Ln more group(s)", nullptr, int(groups - shown)));
        y += line;
    }
    // Each scenario's runs added up.
    if (report.classCounts) {
        y += line / 2;
        for (Scenario s : stats::Scenarios) {
            const QString text = stats::classSumText(*report.classCounts, s);
            const QRect room(area.left(), y, area.width(), area.bottom() - y);
            painter.drawText(room, Qt::TextWordWrap, text);
            y += painter.boundingRect(room, Qt::TextWordWrap, text).height() + line / 4;
        }
    }
    painter.drawText(QRect(area.left(), y + line / 2, area.width(), area.bottom() - y), Qt::TextWordWrap, verdict);
}

} // namespace

// A page's chart, its text the window's text size.
class ChartPage final : public FittedChartView
{
public:
    ChartPage(AnswerPages::Page page, QWidget *parent) : FittedChartView(parent), m_page(page) { setAccessibleName(titleOf(page)); }

    void showReport(const stats::Answer &report)
    {
        QChart *chart = chartOf(m_page, report);
        if (m_page == AnswerPages::Page::Law) {
            for (QAbstractSeries *series : chart->series()) {
                if (auto *bars = qobject_cast<QBarSeries *>(series))
                    QObject::connect(bars, &QBarSeries::hovered, this, &ChartPage::hovered);
            }
        }
        setAccessibleDescription(chartInWords(m_page, report));
        replaceChart(chart);
    }

private:
    // A bar's chance where the pointer is, and for a screen reader in the
    // chart's description.
    void hovered(bool on, int index, QBarSet *set)
    {
        if (!on) {
            QToolTip::hideText();
            return;
        }
        //: %1 a way ("Both wander"), %n a count of meetings in a run, %2 its chance in percent.
        const QString text = AnswerPages::tr("%1, %n meeting(s): %2%", nullptr, index).arg(set->label(), QLocale().toString(set->at(index), 'f', 2));
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
        setAccessibleName(titleOf(AnswerPages::Page::OneRun));
        setFocusPolicy(Qt::StrongFocus);
    }
    void setAnswer(const answer::Answer &answer)
    {
        m_answer = answer;
        setAccessibleDescription(QString());
        if (answer) {
            const stats::OneRunEach &one = answer->runsEach.byRuns.front();
            setAccessibleDescription(AnswerPages::tr("%1 counts more %2 of the time, a tie %3, %4 counts more %5")
                                         .arg(stats::plainName(Scenario::BothWalk), stats::percent(one.bothMore), stats::percent(one.tie),
                                              stats::plainName(Scenario::DogWalks), stats::percent(one.oneMore)));
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
        const int margin = fontInfo().pixelSize();
        paintOneRun(painter, rect().adjusted(margin, margin, -margin, -margin), *m_answer, fontInfo().pixelSize());
    }

private:
    answer::Answer m_answer;
};

AnswerPages::AnswerPages(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(tr("Pages of detail"));
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &AnswerPages::refresh);
    m_law = new ChartPage(Page::Law, this);
    m_waiting = new ChartPage(Page::Waiting, this);
    m_oneRun = new OneRunPicture(this);
    m_runs = new ChartPage(Page::Runs, this);

    m_where = new QWidget(this);
    auto *whereLayout = new QVBoxLayout(m_where);
    auto *explain = new QLabel(tr("The board shows, for every point, the meetings in a run on average if Momotaro "
                                  "starts there, Dog starting where it is. Lighter is more; the best points are framed "
                                  "black and white. Click a point to move Momotaro there."),
                               m_where);
    explain->setWordWrap(true);
    whereLayout->addWidget(explain);
    m_waitChoice = new QButtonGroup(m_where);
    for (Scenario scenario : stats::Scenarios) {
        auto *choice = new QRadioButton(stats::plainName(scenario), m_where);
        m_waitChoice->addButton(choice, int(scenario));
        whereLayout->addWidget(choice);
    }
    m_waitChoice->button(int(Scenario::DogWalks))->setChecked(true);
    m_best = new QLabel(m_where);
    m_best->setWordWrap(true);
    // A screen reader reads the best points themselves; this says what they are.
    m_best->setAccessibleDescription(tr("The best points"));
    m_best->setObjectName(QStringLiteral("best"));
    m_best->setFocusPolicy(Qt::TabFocus);
    whereLayout->addWidget(m_best);
    whereLayout->addStretch(1);
    // The map again, of the scenario chosen.
    connect(m_waitChoice, &QButtonGroup::idClicked, this, [this] { setMap(m_map); });

    m_class = new ClassTable(this);
    connect(m_class, &ClassTable::countsChanged, this, &AnswerPages::classChanged);
    m_fast = new FastClassPage(this);
    connect(m_fast, &FastClassPage::countsOffered, this, &AnswerPages::takeSimulatedCounts);
    connect(m_fast, &FastClassPage::playingChanged, this, &AnswerPages::classPlayingChanged);

    m_list = new QListWidget(this);
    m_list->setAccessibleName(tr("Pages"));
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    m_stack = new QStackedWidget(this);
    const std::array<QWidget *, AllPages.size()> pages{m_law, m_waiting, m_oneRun, m_runs, m_where, m_class, m_fast};
    for (Page page : AllPages) {
        m_list->addItem(titleOf(page));
        m_stack->addWidget(pages[std::size_t(page)]);
    }
    m_veil = new Veil(m_stack, tr("The answer is hidden\nShow the answer (F5)"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    layout->addWidget(m_stack, 1);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_stack->setCurrentIndex(row);
        updateGeometry();
        refresh();
        emit heatChanged();
    });
    m_list->setCurrentRow(0);
    setTextPixels(m_textPixels);
}

QSize AnswerPages::minimumSizeHint() const
{
    QSize least = QWidget::minimumSizeHint();
    least.setHeight(std::max(least.height(), m_leastHeight));
    const QWidget *page = m_stack->currentWidget();
    if (page && page->hasHeightForWidth() && page->layout())
        least.setHeight(std::max(least.height(), page->layout()->totalMinimumHeightForWidth(m_stack->width())));
    return least;
}

void AnswerPages::setLeastHeight(int pixels)
{
    m_leastHeight = pixels;
    updateGeometry();
}

void AnswerPages::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // At another width the page in view needs another height.
    if (event->size().width() != event->oldSize().width())
        updateGeometry();
}

int AnswerPages::currentIndex() const
{
    return m_stack->currentIndex();
}

void AnswerPages::setCurrentIndex(int index)
{
    m_list->setCurrentRow(index);
}

QWidget *AnswerPages::currentWidget() const
{
    return m_stack->currentWidget();
}

void AnswerPages::setTextPixels(int pixels)
{
    m_textPixels = pixels;
    for (ChartPage *chart : {m_law, m_waiting, m_runs})
        chart->setTextPixels(pixels);
    m_fast->setTextPixels(pixels);
    // The list as wide as its longest title.
    int widest = 0;
    for (int row = 0; row < m_list->count(); ++row)
        widest = std::max(widest, m_list->fontMetrics().horizontalAdvance(m_list->item(row)->text()));
    m_list->setFixedWidth(widest + 2 * m_list->frameWidth() + pixels * 2);
    m_list->setMinimumHeight(m_list->count() * (m_list->fontMetrics().height() + 4) + 2 * m_list->frameWidth());
    QFont veil = font();
    veil.setPixelSize(pixels * 3 / 2);
    m_veil->setFont(veil);
}

void AnswerPages::takeOver(const AnswerPages &other)
{
    m_class->setCounts(other.m_class->counts());
    m_class->setMistyped(other.m_class->mistyped());
    m_waitChoice->button(other.m_waitChoice->checkedId())->setChecked(true);
    m_fast->takeOver(*other.m_fast);
    setCurrentIndex(other.currentIndex());
}

answer::Answer AnswerPages::classAnswer() const
{
    if (!m_answer)
        return nullptr;
    const stats::ClassCounts counts = m_class->counts();
    if (!counts.hasRuns())
        return m_answer;
    auto report = std::make_shared<stats::Answer>(*m_answer);
    report->classCounts = counts;
    return report;
}

void AnswerPages::setAnswer(const answer::Answer &answer)
{
    m_answer = answer;
    m_fast->setAnswer(answer);
    m_stale.fill(true);
    if (answer) {
        m_refresh.start();
    } else {
        m_refresh.stop();
        refresh();
    }
}

void AnswerPages::setMap(const answer::Map &map)
{
    m_map = map;
    m_stale[std::size_t(Page::WhereToWait)] = true;
    refresh();
    emit heatChanged();
}

void AnswerPages::takeSimulatedCounts(const stats::ClassCounts &counts)
{
    if (m_class->counts().hasRuns() && m_class->counts().simulated.isEmpty()
        && QMessageBox::question(this, window()->windowTitle(),
                                 tr("Our class already holds counts. Replace them with the %Ln simulated group(s)?", nullptr, int(counts.groups.size())))
            != QMessageBox::Yes)
        return;
    m_class->setCounts(counts);
    setCurrentIndex(int(Page::OurClass));
}

void AnswerPages::classChanged()
{
    m_fast->suggestGroups(int(m_class->counts().groups.size()));
    m_stale[std::size_t(Page::Law)] = true;
    m_stale[std::size_t(Page::OurClass)] = true;
    refresh();
}

Scenario AnswerPages::chosenForWaiting() const
{
    return Scenario(m_waitChoice->checkedId());
}

std::optional<BoardHeat> AnswerPages::heat() const
{
    if (m_hidden || currentIndex() != int(Page::WhereToWait) || !m_map)
        return std::nullopt;
    return BoardHeat{(*m_map)[chosenForWaiting()], stats::mapScale(*m_map)};
}

void AnswerPages::setAnswerHidden(bool hidden)
{
    if (hidden == m_hidden)
        return;
    m_hidden = hidden;
    m_fast->setAnswerHidden(hidden);
    if (hidden) {
        // What a screen reader would read of the pages drawn so far goes
        // too; every page is drawn afresh once the answer shows again.
        for (ChartPage *chart : {m_law, m_waiting, m_runs})
            chart->setAccessibleDescription(QString());
        m_oneRun->setAnswer(nullptr);
        m_best->clear();
        // The class verdict holds the class's runs against the exact answer.
        m_class->setVerdict(tr("The answer is hidden: the class's verdict shows with it (F5)."));
        m_stale.fill(true);
    }
    refresh();
    // A page out of sight is laid out only when shown: until then its least
    // size is that of its text and font when it was last in view. Each is
    // laid out now, so that the pages take the same room whatever they held.
    for (int index = 0; index < m_stack->count(); ++index) {
        if (QLayout *layout = m_stack->widget(index)->layout()) {
            layout->invalidate();
            layout->activate();
        }
    }
    m_stack->updateGeometry();
    emit heatChanged();
}

void AnswerPages::refresh()
{
    const Page page = Page(currentIndex());
    // The class's own pages stay in use while the answer is worked out or
    // hidden: only what they hold of the answer is left out.
    const bool ours = page == Page::OurClass || page == Page::FastClass;
    if (m_hidden) {
        m_veil->cover(ours ? Veil::Reason::None : Veil::Reason::Hidden);
        return;
    }
    const bool working = page == Page::WhereToWait ? !m_map : page != Page::OurClass && !m_answer;
    m_veil->cover(working ? Veil::Reason::Working : Veil::Reason::None);
    if (!m_stale[std::size_t(page)])
        return;
    switch (page) {
    case Page::Law:
        if (m_answer)
            m_law->showReport(*classAnswer());
        break;
    case Page::Waiting:
        if (m_answer)
            m_waiting->showReport(*m_answer);
        break;
    case Page::OneRun: m_oneRun->setAnswer(m_answer); break;
    case Page::FastClass: break;
    case Page::Runs:
        if (m_answer)
            m_runs->showReport(*m_answer);
        break;
    case Page::WhereToWait: {
        if (!m_map) {
            m_best->setText(tr("Working out the map…"));
            return;
        }
        const Scenario scenario = chosenForWaiting();
        QString points;
        for (int index : stats::bestPoints((*m_map)[scenario])) {
            const Point p = stats::pointAt(index);
            const QString point = QStringLiteral("(%1, %2)").arg(int(p.x)).arg(int(p.y));
            //: Points on the board the one or the other, as "(4, 4) or (6, 4)".
            points = points.isEmpty() ? point : tr("%1 or %2").arg(points, point);
        }
        //: %1 a way ("Momotaro waits"), %2 points on the board, %3 the meetings on average.
        m_best->setText(tr("Best for \"%1\": Momotaro starting at %2, %3 meetings in a run on average.")
                            .arg(stats::plainName(scenario), points,
                                 QLocale().toString(*std::max_element((*m_map)[scenario].begin(), (*m_map)[scenario].end()), 'f', 2)));
        break;
    }
    case Page::OurClass: {
        if (!m_answer) {
            m_class->setVerdict(tr("Working out the answer…"));
            return;
        }
        const answer::Answer withClass = classAnswer();
        m_class->setVerdict(withClass->classCounts ? stats::classVerdict(*withClass)
                                                           : tr("Type the meetings each group counted."));
        break;
    }
    }
    if (page == Page::WhereToWait || m_answer)
        m_stale[std::size_t(page)] = false;
}

bool AnswerPages::saveCurrent(const QString &file, QString &error) const
{
    if (m_hidden) {
        error = tr("the answer is hidden");
        return false;
    }
    if (!m_answer) {
        error = tr("the answer is still being worked out");
        return false;
    }
    const QString footer = footerOf(*m_answer);
    const QRect above(QPoint(), QSize(stats::PictureSize.width(), stats::footerArea(stats::PictureSize).top()));
    const Page page = Page(currentIndex());
    switch (page) {
    case Page::OneRun:
        return stats::savePicture(file, stats::PictureSize, [&](QPainter &painter) {
            painter.fillRect(QRect(QPoint(), stats::PictureSize), Qt::white);
            paintOneRun(painter, above.adjusted(40, 40, -40, -20), *m_answer, stats::PictureTitlePx);
            stats::paintFooter(painter, stats::PictureSize, footer);
        }, error);
    case Page::WhereToWait: {
        if (!m_map) {
            error = tr("the map is still being worked out");
            return false;
        }
        return stats::saveMeetingMap(*m_map, m_answer->starts, m_answer->seconds, file, error);
    }
    case Page::FastClass: return m_fast->save(file, footer, error);
    case Page::OurClass: {
        const answer::Answer withClass = classAnswer();
        std::unique_ptr<QChart> chart(stats::lawChart(*withClass));
        return stats::savePicture(file, stats::PictureSize, [&](QPainter &painter) {
            painter.fillRect(QRect(QPoint(), stats::PictureSize), Qt::white);
            const QRect left = above.adjusted(40, 30, -above.width() * 11 / 20, -10);
            paintClass(painter, left, *withClass, stats::PictureTextPx);
            stats::paintChart(painter, *chart, QRectF(above.adjusted(above.width() * 9 / 20, 0, 0, 0)));
            stats::paintFooter(painter, stats::PictureSize, footer);
        }, error);
    }
    default: {
        std::unique_ptr<QChart> chart(chartOf(page, *classAnswer()));
        return stats::saveChart(*chart, file, footer, error);
    }
    }
}
