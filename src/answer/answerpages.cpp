#include "answer/answerpages.h"

#include "answer/chartpage.h"
#include "answer/classtable.h"
#include "answer/classatspeedpage.h"
#include "pictures/boardmap.h"
#include "answer/onerunpage.h"
#include "answer/ourclasspicture.h"
#include "answer/veil.h"
#include "answer/wheretowaitpage.h"
#include "words/wording.h"

#include <QDate>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QResizeEvent>
#include <QStackedWidget>

#include <algorithm>

namespace {

// Said in place of the class verdict, which holds the class's runs against the exact answer.
QString hiddenVerdict()
{
    return AnswerPages::tr("The answer is hidden: the class's verdict shows with it (F5).");
}

} // namespace

QString AnswerPages::title(Page page)
{
    switch (page) {
    case Page::Law: return tr("Meetings per run");
    case Page::Waiting: return tr("The first meeting");
    case Page::OneRun: return tr("One run of each");
    case Page::Runs: return tr("How many runs");
    case Page::WhereToWait: return tr("Where to wait");
    case Page::OurClass: return tr("Our class");
    case Page::ClassAtSpeed: return tr("A class at speed");
    }
    return {};
}

AnswerPages::AnswerPages(QWidget *parent) : QWidget(parent)
{
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &AnswerPages::refresh);
    m_law = new ChartPage(Page::Law, this);
    m_waiting = new ChartPage(Page::Waiting, this);
    m_oneRun = new OneRunPage(this);
    m_runs = new ChartPage(Page::Runs, this);
    m_where = new WhereToWaitPage(this);
    // The map again, of the scenario chosen.
    connect(m_where, &WhereToWaitPage::choiceChanged, this, [this] { setMap(m_where->map()); });

    m_class = new ClassTable(this);
    connect(m_class, &ClassTable::countsChanged, this, &AnswerPages::classChanged);
    m_fast = new ClassAtSpeedPage(this);
    connect(m_fast, &ClassAtSpeedPage::countsOffered, this, &AnswerPages::takeSimulatedCounts);
    connect(m_fast, &ClassAtSpeedPage::playingChanged, this, &AnswerPages::classPlayingChanged);

    m_list = new QListWidget(this);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    m_stack = new QStackedWidget(this);
    const std::array<QWidget *, AllPages.size()> pages{m_law, m_waiting, m_oneRun, m_runs, m_where, m_class, m_fast};
    for (Page page : AllPages) {
        m_list->addItem(QString());
        m_stack->addWidget(pages[std::size_t(page)]);
    }
    m_veil = new Veil(m_stack, QString());
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    layout->addWidget(m_stack, 1);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_stack->setCurrentIndex(row);
        updateGeometry();
        refresh();
        emit boardHeatChanged();
    });
    m_list->setCurrentRow(0);
    retranslate();
}

void AnswerPages::retranslate()
{
    setAccessibleName(tr("Pages of detail"));
    m_list->setAccessibleName(tr("Pages"));
    for (Page page : AllPages)
        m_list->item(int(page))->setText(title(page));
    m_veil->setHiddenText(tr("The answer is hidden\nShow the answer (F5)"));
    if (m_hidden)
        m_class->setVerdict(hiddenVerdict());
    // The list as wide as its longest title in this language.
    setTextPixels(m_textPixels);
    m_stale.fill(true);
    refresh();
}

void AnswerPages::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
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

SharedAnswer AnswerPages::classAnswer() const
{
    if (!m_answer)
        return nullptr;
    const stats::ClassCounts counts = m_class->counts();
    if (!counts.hasRuns())
        return m_answer;
    auto withClass = std::make_shared<stats::Answer>(*m_answer);
    withClass->classCounts = counts;
    return withClass;
}

void AnswerPages::setAnswer(const SharedAnswer &answer)
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

void AnswerPages::setMap(const SharedMap &map)
{
    m_where->setMap(map);
    m_stale[std::size_t(Page::WhereToWait)] = true;
    refresh();
    emit boardHeatChanged();
}

void AnswerPages::takeSimulatedCounts(const stats::ClassCounts &counts)
{
    if (m_class->counts().hasRuns() && m_class->counts().simulated.isEmpty() &&
        QMessageBox::question(this, window()->windowTitle(),
                              tr("Our class already holds counts. Replace them with the %Ln simulated group(s)?",
                                 nullptr, int(counts.groups.size()))) != QMessageBox::Yes)
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

std::optional<stats::BoardHeat> AnswerPages::boardHeat() const
{
    const SharedMap &map = m_where->map();
    if (m_hidden || currentIndex() != int(Page::WhereToWait) || !map)
        return std::nullopt;
    return stats::BoardHeat{(*map)[m_where->chosen()], stats::mapScale(*map)};
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
        m_where->clearBest();
        m_class->setVerdict(hiddenVerdict());
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
    emit boardHeatChanged();
}

void AnswerPages::refresh()
{
    const Page page = Page(currentIndex());
    // The class's own pages stay in use while the answer is worked out or
    // hidden: only what they hold of the answer is left out.
    const bool ours = page == Page::OurClass || page == Page::ClassAtSpeed;
    if (m_hidden) {
        m_veil->cover(ours ? Veil::Reason::None : Veil::Reason::Hidden);
        return;
    }
    const bool working = page == Page::WhereToWait ? !m_where->map() : page != Page::OurClass && !m_answer;
    m_veil->cover(working ? Veil::Reason::Working : Veil::Reason::None);
    if (!m_stale[std::size_t(page)])
        return;
    switch (page) {
    case Page::Law:
        if (m_answer)
            m_law->showAnswer(*classAnswer());
        break;
    case Page::Waiting:
        if (m_answer)
            m_waiting->showAnswer(*m_answer);
        break;
    case Page::OneRun: m_oneRun->setAnswer(m_answer); break;
    case Page::ClassAtSpeed: break;
    case Page::Runs:
        if (m_answer)
            m_runs->showAnswer(*m_answer);
        break;
    case Page::WhereToWait:
        if (!m_where->showBest())
            return;
        break;
    case Page::OurClass: {
        if (!m_answer) {
            m_class->setVerdict(Veil::working());
            return;
        }
        const SharedAnswer withClass = classAnswer();
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
    const QString footer = stats::contextLine(m_answer->starts, m_answer->seconds, QDate::currentDate());
    switch (Page(currentIndex())) {
    case Page::Law: return m_law->save(*classAnswer(), file, footer, error);
    case Page::Waiting: return m_waiting->save(*classAnswer(), file, footer, error);
    case Page::OneRun: return OneRunPage::save(*m_answer, file, footer, error);
    case Page::Runs: return m_runs->save(*classAnswer(), file, footer, error);
    case Page::WhereToWait: return m_where->save(*m_answer, file, error);
    case Page::OurClass: return saveOurClass(*classAnswer(), file, footer, error);
    case Page::ClassAtSpeed: return m_fast->save(file, footer, error);
    }
    return false;
}
