#include "answerpages.h"

#include "classtable.h"
#include "fastclasspage.h"
#include "boardmap.h"
#include "charts.h"
#include "fittedchartview.h"
#include "picturefile.h"
#include "veil.h"
#include "wording.h"

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
    case AnswerPages::Page::Law: return QStringLiteral("Meetings per run");
    case AnswerPages::Page::Waiting: return QStringLiteral("The first meeting");
    case AnswerPages::Page::OneRun: return QStringLiteral("One run of each");
    case AnswerPages::Page::Runs: return QStringLiteral("How many runs");
    case AnswerPages::Page::WhereToWait: return QStringLiteral("Where to wait");
    case AnswerPages::Page::OurClass: return QStringLiteral("Our class");
    case AnswerPages::Page::FastClass: return QStringLiteral("A class at speed");
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
        const QString share = t.chance == 90 ? QStringLiteral("9 in 10") : QStringLiteral("99 in 100");
        const int runs = shown ? t.runs : t.runs > 0 ? int(x->max()) : stats::MaxRunsCompared;
        if (!report.verdict.faster)
            mark->setName(QStringLiteral("%1: never").arg(share));
        else
            mark->setName(QStringLiteral("%1: %2%3 %4").arg(share, shown ? QString() : QStringLiteral("over "))
                              .arg(runs)
                              .arg(runs == 1 ? QStringLiteral("run") : QStringLiteral("runs")));
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
            return QStringLiteral("Neither way meets more: no number of runs makes one of them the right answer.");
        auto reach = [](int n) {
            return n > 0 ? QStringLiteral("from %1").arg(stats::runsOfEach(n))
                         : QStringLiteral("not within %1").arg(stats::runsOfEach(stats::MaxRunsCompared));
        };
        return QStringLiteral("The right way comes out ahead 9 times in 10 %1, 99 times in 100 %2.").arg(reach(runs.runsFor90), reach(runs.runsFor99));
    }
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
    return sentences.join(QStringLiteral(". ")) + u'.';
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
    const std::array<Share, 3> shares{{{QStringLiteral("“%1” counts more").arg(stats::plainName(Scenario::BothWalk)), one.bothMore, both.color, both.fill},
                                       {QStringLiteral("A tie"), one.tie, QColor(0x99, 0x99, 0x99), Qt::Dense4Pattern},
                                       {QStringLiteral("“%1” counts more").arg(stats::plainName(Scenario::DogWalks)), one.oneMore, waits.color, waits.fill}}};
    QFont text = painter.font();
    text.setPixelSize(textPx);
    painter.setFont(text);
    painter.setPen(Qt::black);
    const int titleHeight = textPx * 3;
    painter.drawText(QRect(area.left(), area.top(), area.width(), titleHeight), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("One run of each, %1 s each: which counts more meetings?").arg(report.seconds));
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
    const QString verdict = report.classCounts ? stats::classVerdict(report) : QStringLiteral("No group's counts yet.");
    const QRect verdictArea = painter.boundingRect(QRect(area.left(), 0, area.width(), area.height()), Qt::TextWordWrap, verdict);
    const int columns[] = {area.left(), area.left() + area.width() * 3 / 10, area.left() + area.width() * 13 / 20};
    painter.drawText(QRect(columns[0], area.top(), area.width(), line), QStringLiteral("Our class"));
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
        painter.drawText(QRect(columns[0], y, columns[1] - columns[0], line), QStringLiteral("Group %1").arg(g + 1));
        for (Scenario s : stats::Scenarios) {
            const std::optional<int> &count = groupsCounted[g].counts[s];
            const int column = columns[s == Scenario::BothWalk ? 1 : 2];
            if (count)
                painter.drawText(QRect(column, y, textPx * 4, line), Qt::AlignRight, QString::number(*count));
        }
    }
    if (shown < groups) {
        painter.drawText(QRect(columns[0], y, area.width(), line), QStringLiteral("… and %1 more groups").arg(groups - shown));
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
        setAccessibleName(titleOf(AnswerPages::Page::OneRun));
        setFocusPolicy(Qt::StrongFocus);
    }
    void setAnswer(const answer::Answer &answer)
    {
        m_answer = answer;
        setAccessibleDescription(QString());
        if (answer) {
            const stats::OneRunEach &one = answer->runsEach.byRuns.front();
            setAccessibleDescription(QStringLiteral("%1 counts more %2 of the time, a tie %3, %4 counts more %5")
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
        auto *choice = new QRadioButton(stats::plainName(scenario), m_where);
        m_waitChoice->addButton(choice, int(scenario));
        whereLayout->addWidget(choice);
    }
    m_waitChoice->button(int(Scenario::DogWalks))->setChecked(true);
    m_best = new QLabel(m_where);
    m_best->setWordWrap(true);
    m_best->setAccessibleName(QStringLiteral("The best points"));
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

    m_list = new QListWidget(this);
    m_list->setAccessibleName(QStringLiteral("Pages"));
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    m_stack = new QStackedWidget(this);
    const std::array<QWidget *, AllPages.size()> pages{m_law, m_waiting, m_oneRun, m_runs, m_where, m_class, m_fast};
    for (Page page : AllPages) {
        m_list->addItem(titleOf(page));
        m_stack->addWidget(pages[std::size_t(page)]);
    }
    m_veil = new Veil(m_stack, QStringLiteral("The answer is hidden\nShow the answer (F5)"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    layout->addWidget(m_stack, 1);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_stack->setCurrentIndex(row);
        refresh();
        emit heatChanged();
    });
    m_list->setCurrentRow(0);
    setTextPixels(m_textPixels);
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
                                 QStringLiteral("Our class already holds counts. Replace them with the %1 simulated groups?").arg(counts.groups.size()))
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
        m_class->setVerdict(QStringLiteral("The answer is hidden: the class's verdict shows with it (F5)."));
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
            m_best->setText(QStringLiteral("Working out the map…"));
            return;
        }
        const Scenario scenario = chosenForWaiting();
        QStringList points;
        for (int index : stats::bestPoints((*m_map)[scenario])) {
            const Point p = stats::pointAt(index);
            points << QStringLiteral("(%1, %2)").arg(int(p.x)).arg(int(p.y));
        }
        m_best->setText(QStringLiteral("Best for \"%1\": Momotaro starting at %2, %3 meetings in a run on average.")
                            .arg(stats::plainName(scenario), points.join(QStringLiteral(" or ")))
                            .arg(*std::max_element((*m_map)[scenario].begin(), (*m_map)[scenario].end()), 0, 'f', 2));
        break;
    }
    case Page::OurClass: {
        if (!m_answer) {
            m_class->setVerdict(QStringLiteral("Working out the answer…"));
            return;
        }
        const answer::Answer withClass = classAnswer();
        m_class->setVerdict(withClass->classCounts ? stats::classVerdict(*withClass)
                                                           : QStringLiteral("Type the meetings each group counted."));
        break;
    }
    }
    if (page == Page::WhereToWait || m_answer)
        m_stale[std::size_t(page)] = false;
}

bool AnswerPages::saveCurrent(const QString &file, QString &error) const
{
    if (m_hidden) {
        error = QStringLiteral("the answer is hidden");
        return false;
    }
    if (!m_answer) {
        error = QStringLiteral("the answer is still being worked out");
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
            error = QStringLiteral("the map is still being worked out");
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
