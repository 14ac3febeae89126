#include "classtable.h"

#include "wording.h"

#include <QAccessible>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The last value a cell held that was accepted, to go back to.
constexpr int AcceptedRole = Qt::UserRole;

int columnOf(Scenario scenario)
{
    return scenario == Scenario::BothWalk ? 0 : 1;
}

// The rows of figures under the table, in the order of ClassTable::m_sums.
enum SumRow { Groups, Meetings, Average, SumRows };

} // namespace

ClassTable::ClassTable(QWidget *parent) : QWidget(parent)
{
    m_table = new QTableWidget(0, int(stats::Scenarios.size()), this);
    m_table->setAccessibleName(tr("Our class: meetings each group counted"));
    m_table->setAccessibleDescription(tr("One row per group. Delete or Backspace blanks the selected cells."));
    QStringList headings;
    for (Scenario scenario : stats::Scenarios)
        headings << tr("%1\n(“%2”)").arg(stats::plainName(scenario), stats::scenarioCaption(scenario));
    m_table->setHorizontalHeaderLabels(headings);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setTabKeyNavigation(false);
    m_table->installEventFilter(this);

    // Counts a simulation played say so above the table, so that no one
    // takes them for a class's own.
    m_simulated = new QLabel(this);
    m_simulated->setObjectName(QStringLiteral("simulated"));
    m_simulated->setWordWrap(true);
    m_simulated->setFocusPolicy(Qt::TabFocus);
    m_simulated->setFrameShape(QFrame::StyledPanel);
    m_simulated->hide();

    // A refused value's message, under the cells where the teacher is looking.
    m_refusal = new QFrame(this);
    m_refusal->setFrameShape(QFrame::StyledPanel);
    m_refusalIcon = new QLabel(m_refusal);
    m_refusalText = new QLabel(m_refusal);
    m_refusalText->setWordWrap(true);
    auto *refusalLayout = new QHBoxLayout(m_refusal);
    refusalLayout->addWidget(m_refusalIcon, 0, Qt::AlignTop);
    refusalLayout->addWidget(m_refusalText, 1);
    m_refusal->hide();

    auto *sums = new QGridLayout;
    const std::array<QString, SumRows> sumNames{tr("Groups counted"), tr("Meetings in all"), tr("Average meetings in a run")};
    for (int row = 0; row < SumRows; ++row)
        sums->addWidget(new QLabel(sumNames[std::size_t(row)], this), row + 1, 0);
    for (Scenario scenario : stats::Scenarios) {
        const int column = columnOf(scenario) + 1;
        sums->addWidget(new QLabel(stats::plainName(scenario), this), 0, column, Qt::AlignRight);
        for (int row = 0; row < SumRows; ++row) {
            QLabel *&label = m_sums[scenario][std::size_t(row)];
            label = new QLabel(this);
            sums->addWidget(label, row + 1, column, Qt::AlignRight);
        }
    }
    sums->setColumnStretch(0, 1);
    sums->setHorizontalSpacing(3 * fontMetrics().averageCharWidth());

    m_verdict = new QLabel(this);
    m_verdict->setWordWrap(true);
    m_verdict->setAccessibleName(tr("What the class's runs say"));
    m_verdict->setFocusPolicy(Qt::TabFocus);
    m_verdict->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    // The table scrolls: it takes the room the figures under it leave, and
    // asks for a few rows at least.
    m_table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_simulated);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_refusal);
    layout->addLayout(sums);
    layout->addWidget(m_verdict);
    connect(m_table, &QTableWidget::itemChanged, this, &ClassTable::cellChanged);
    changed();
}

void ClassTable::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        m_table->setMinimumHeight(fontMetrics().height() * 7);
}

bool ClassTable::eventFilter(QObject *watched, QEvent *event)
{
    // Only the table's own keys: a cell being edited has its editor's.
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) && key->modifiers() == Qt::NoModifier) {
            clearSelectedCells();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ClassTable::setRowCount(int rows)
{
    m_filling = true;
    const int before = m_table->rowCount();
    m_table->setRowCount(rows);
    for (int row = before; row < rows; ++row) {
        for (int column = 0; column < m_table->columnCount(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem);
    }
    QStringList groups;
    for (int row = 0; row < rows; ++row)
        groups << tr("Group %1").arg(row + 1);
    m_table->setVerticalHeaderLabels(groups);
    m_filling = false;
}

void ClassTable::keepOneBlankRow()
{
    const int used = int(counts().groups.size());
    setRowCount(std::min(used + 1, stats::MaxClassRuns));
}

void ClassTable::changed()
{
    keepOneBlankRow();
    const stats::ClassCounts now = counts();
    const QLocale locale;
    for (Scenario scenario : stats::Scenarios) {
        const stats::ClassSum sum = now.sum(scenario);
        const std::array<QString, SumRows> texts{locale.toString(sum.runs), locale.toString(sum.meetings),
                                                 sum.runs == 0 ? tr("–") : locale.toString(sum.mean(), 'f', 2)};
        const std::array<QString, SumRows> names{
            tr("%1: %n group(s) counted", nullptr, sum.runs).arg(stats::plainName(scenario)),
            tr("%1: %2 meetings in all").arg(stats::plainName(scenario), texts[Meetings]),
            sum.runs == 0 ? tr("%1: no average yet").arg(stats::plainName(scenario))
                          : tr("%1: %2 meetings in a run on average").arg(stats::plainName(scenario), texts[Average])};
        for (int row = 0; row < SumRows; ++row) {
            m_sums[scenario][std::size_t(row)]->setText(texts[std::size_t(row)]);
            m_sums[scenario][std::size_t(row)]->setAccessibleName(names[std::size_t(row)]);
        }
    }
    emit countsChanged();
}

void ClassTable::showRefusal(const QString &text)
{
    m_refusalText->setText(text);
    m_refusalText->setAccessibleName(text);
    const int side = m_refusalText->fontMetrics().height() * 3 / 2;
    m_refusalIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
    m_refusal->setVisible(!text.isEmpty());
    if (!text.isEmpty()) {
        QAccessibleEvent alert(m_refusalText, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void ClassTable::cellChanged(QTableWidgetItem *item)
{
    if (m_filling)
        return;
    const QString typed = item->text().trimmed();
    // Read as the class file reads a cell (full-width digits included).
    const std::optional<int> count = stats::readClassCount(typed);
    const bool accepted = typed.isEmpty() || count;
    m_filling = true;
    if (accepted) {
        const QString value = count ? QString::number(*count) : QString();
        item->setText(value);
        item->setData(AcceptedRole, value);
    } else {
        item->setText(item->data(AcceptedRole).toString());
    }
    m_filling = false;
    if (!accepted) {
        const Scenario scenario = stats::Scenarios[std::size_t(item->column())];
        showRefusal(tr("Group %1, “%2”: “%3” is not a count. Type a whole number of meetings from 0 to %4, or leave the cell blank.")
                        .arg(item->row() + 1)
                        .arg(stats::plainName(scenario), typed)
                        .arg(stats::MaxClassCount));
        // The message takes room from the cells: the refused one is kept in
        // view once the layout has given it.
        QTimer::singleShot(0, m_table, [this] { m_table->scrollTo(m_table->currentIndex()); });
        return;
    }
    showRefusal(QString());
    changed();
}

void ClassTable::clearSelectedCells()
{
    QList<QTableWidgetItem *> cells = m_table->selectedItems();
    if (cells.isEmpty() && m_table->currentItem())
        cells << m_table->currentItem();
    m_filling = true;
    for (QTableWidgetItem *cell : cells) {
        cell->setText(QString());
        cell->setData(AcceptedRole, QString());
    }
    m_filling = false;
    showRefusal(QString());
    changed();
}

stats::ClassCounts ClassTable::counts() const
{
    stats::ClassCounts counts;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        stats::ClassGroup group;
        for (Scenario scenario : stats::Scenarios) {
            const QString text = m_table->item(row, columnOf(scenario))->text();
            if (!text.isEmpty())
                group.counts[scenario] = text.toInt();
        }
        counts.groups.push_back(group);
    }
    while (!counts.groups.empty() && counts.groups.back().blank())
        counts.groups.pop_back();
    counts.simulated = m_simulatedBy;
    return counts;
}

void ClassTable::setCounts(const stats::ClassCounts &counts)
{
    const int rows = int(std::min(counts.groups.size(), std::size_t(stats::MaxClassRuns)));
    m_table->setRowCount(0);
    setRowCount(rows);
    m_filling = true;
    for (int row = 0; row < rows; ++row) {
        for (Scenario scenario : stats::Scenarios) {
            const std::optional<int> &count = counts.groups[std::size_t(row)].counts[scenario];
            QTableWidgetItem *item = m_table->item(row, columnOf(scenario));
            item->setText(count ? QString::number(*count) : QString());
            item->setData(AcceptedRole, item->text());
        }
    }
    m_filling = false;
    m_simulatedBy = counts.simulated;
    m_simulated->setText(tr("Not a class's own counts: %1").arg(counts.simulated));
    m_simulated->setAccessibleName(m_simulated->text());
    m_simulated->setVisible(!counts.simulated.isEmpty());
    showRefusal(QString());
    changed();
}

QByteArray ClassTable::csv() const
{
    return stats::classCountsCsv(counts());
}

std::optional<QString> ClassTable::readCsv(const QByteArray &text)
{
    auto read = stats::readClassCounts(text);
    if (const auto *reason = std::get_if<QString>(&read))
        return *reason;
    setCounts(std::get<stats::ClassCounts>(read));
    return std::nullopt;
}

void ClassTable::clear()
{
    setCounts({});
}

void ClassTable::setVerdict(const QString &text)
{
    m_verdict->setText(text);
}
