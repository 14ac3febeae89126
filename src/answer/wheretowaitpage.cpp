#include "answer/wheretowaitpage.h"

#include "answer/answerpages.h"
#include "pictures/boardmap.h"
#include "words/wording.h"

#include <QButtonGroup>
#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

WhereToWaitPage::WhereToWaitPage(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    m_explain = new QLabel(this);
    m_explain->setWordWrap(true);
    layout->addWidget(m_explain);
    m_choice = new QButtonGroup(this);
    for (Scenario scenario : stats::Scenarios) {
        auto *choice = new QRadioButton(this);
        m_choice->addButton(choice, int(scenario));
        layout->addWidget(choice);
    }
    m_choice->button(int(Scenario::DogWalks))->setChecked(true);
    m_best = new QLabel(this);
    m_best->setWordWrap(true);
    m_best->setObjectName(QStringLiteral("best"));
    m_best->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(m_best);
    layout->addStretch(1);
    connect(m_choice, &QButtonGroup::idClicked, this, &WhereToWaitPage::choiceChanged);
    retranslate();
}

// The best points are worded again by the pages, with the rest of the answer.
void WhereToWaitPage::retranslate()
{
    m_explain->setText(
        AnswerPages::tr("The board shows, for every point, the meetings in a run on average if Momotaro "
                        "starts there, Dog starting where it is. Lighter is more; the best points are framed "
                        "black and white. Click a point to move Momotaro there."));
    for (Scenario scenario : stats::Scenarios)
        m_choice->button(int(scenario))->setText(stats::plainName(scenario));
    // A screen reader reads the best points themselves; this says what they are.
    m_best->setAccessibleDescription(AnswerPages::tr("The best points"));
}

void WhereToWaitPage::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void WhereToWaitPage::setMap(const SharedMap &map)
{
    m_map = map;
}

Scenario WhereToWaitPage::chosen() const
{
    return Scenario(m_choice->checkedId());
}

void WhereToWaitPage::choose(Scenario scenario)
{
    m_choice->button(int(scenario))->setChecked(true);
}

bool WhereToWaitPage::showBest()
{
    if (!m_map) {
        m_best->setText(AnswerPages::tr("Working out the map…"));
        return false;
    }
    const Scenario scenario = chosen();
    QString points;
    for (int index : stats::bestPoints((*m_map)[scenario])) {
        const Point p = stats::pointAt(index);
        const QString point = QStringLiteral("(%1, %2)").arg(int(p.x)).arg(int(p.y));
        //: Points on the board the one or the other, as "(4, 4) or (6, 4)".
        points = points.isEmpty() ? point : AnswerPages::tr("%1 or %2").arg(points, point);
    }
    //: %1 a way ("Momotaro waits"), %2 points on the board, %3 the meetings on average.
    m_best->setText(AnswerPages::tr("Best for \"%1\": Momotaro starting at %2, %3 meetings in a run on average.")
                        .arg(stats::plainName(scenario), points,
                             stats::fixed(*std::max_element((*m_map)[scenario].begin(), (*m_map)[scenario].end()), 2)));
    return true;
}

void WhereToWaitPage::clearBest()
{
    m_best->clear();
}

bool WhereToWaitPage::save(const stats::Answer &answer, const QString &file, QString &error) const
{
    if (!m_map) {
        error = AnswerPages::tr("the map is still being worked out");
        return false;
    }
    return stats::saveMeetingMap(*m_map, answer.starts, answer.seconds, file, error);
}
