#include "answer/classtable.h"

#include "words/wording.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>

#include <utility>

namespace {

// The text a cell held before it was typed, to tell a change from none.
constexpr int BeforeRole = Qt::UserRole;

} // namespace

int ClassTable::columnOf(Scenario scenario)
{
    return scenario == Scenario::BothWalk ? 0 : 1;
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

int ClassTable::usedRows() const
{
    for (int row = m_table->rowCount(); row > 0; --row) {
        for (int column = 0; column < m_table->columnCount(); ++column) {
            if (!m_table->item(row - 1, column)->text().isEmpty())
                return row;
        }
    }
    return 0;
}

void ClassTable::keepOneBlankRow()
{
    setRowCount(std::min(usedRows() + 1, stats::MaxClassRuns));
}

void ClassTable::changed()
{
    keepOneBlankRow();
    showSums();
    emit countsChanged();
}

void ClassTable::showSums()
{
    const stats::ClassCounts now = counts();
    const QLocale locale;
    for (Scenario scenario : stats::Scenarios) {
        const stats::ClassSum sum = now.sum(scenario);
        const std::array<QString, SumRows> texts{locale.toString(sum.runs), locale.toString(sum.meetings),
                                                 sum.runs == 0 ? tr("–") : stats::fixed(sum.mean(), 2)};
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
}

void ClassTable::markMistyped(QTableWidgetItem *cell)
{
    const QString text = cell->text();
    const bool mistyped = !text.isEmpty() && !stats::readClassCount(text);
    const Scenario scenario = cell->column() == columnOf(Scenario::BothWalk) ? Scenario::BothWalk : Scenario::DogWalks;
    const QString why =
        mistyped
            ? tr("Group %1, “%2”: “%3” is not a count. Type a whole number of meetings from 0 to %4, or leave the cell blank.")
                  .arg(cell->row() + 1)
                  .arg(stats::plainName(scenario), text)
                  .arg(stats::MaxClassCount)
            : QString();
    const bool filling = std::exchange(m_filling, true);
    cell->setToolTip(why);
    cell->setData(Qt::AccessibleDescriptionRole, why);
    cell->setIcon(mistyped ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
    if (mistyped)
        cell->setBackground(QColor(255, 214, 214));
    else
        cell->setData(Qt::BackgroundRole, QVariant());
    m_filling = filling;
}

void ClassTable::showRefusal(const QTableWidgetItem *typed)
{
    const QTableWidgetItem *shown = typed && !typed->toolTip().isEmpty() ? typed : nullptr;
    for (int row = 0; row < m_table->rowCount() && !shown; ++row) {
        for (int column = 0; column < m_table->columnCount() && !shown; ++column) {
            if (!m_table->item(row, column)->toolTip().isEmpty())
                shown = m_table->item(row, column);
        }
    }
    const QString text = shown ? shown->toolTip() : QString();
    const bool news = text != m_refusalText->text() || m_refusal->isHidden();
    m_refusalText->setText(text);
    m_refusalText->setAccessibleName(text);
    const int side = m_refusalText->fontMetrics().height() * 3 / 2;
    m_refusalIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
    // A table shown read-only is mended elsewhere: its marked cells say
    // why they are marked, and the room goes to the counts.
    m_refusal->setVisible(shown && m_readOnly->isHidden());
    if (shown && shown == typed && news) {
        QAccessibleEvent alert(m_refusalText, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
        // The message takes room from the cells: the refused one is kept in
        // view once the layout has given it.
        QTimer::singleShot(0, m_table, [this] { m_table->scrollTo(m_table->currentIndex()); });
    }
}

void ClassTable::showSimulated()
{
    m_simulated->setText(tr("Not a class's own counts: %1").arg(m_simulatedBy));
    m_simulated->setAccessibleName(m_simulated->text());
    m_simulated->setVisible(!m_simulatedBy.isEmpty());
}

void ClassTable::endSimulated()
{
    m_simulatedBy.clear();
    showSimulated();
}

void ClassTable::cellChanged(QTableWidgetItem *item)
{
    if (m_filling)
        return;
    if (!m_readOnly->isHidden()) {
        m_filling = true;
        item->setText(item->data(BeforeRole).toString());
        m_filling = false;
        return;
    }
    const QString typed = item->text().trimmed();
    // Read as the class file reads a cell (full-width digits included); what
    // is no count stays as typed, to be mended.
    const std::optional<int> count = stats::readClassCount(typed);
    const QString value = count ? QString::number(*count) : typed;
    if (value != item->data(BeforeRole).toString())
        endSimulated();
    m_filling = true;
    item->setText(value);
    item->setData(BeforeRole, value);
    m_filling = false;
    markMistyped(item);
    showRefusal(item);
    changed();
}

void ClassTable::clearSelectedCells()
{
    if (!m_readOnly->isHidden())
        return;
    QList<QTableWidgetItem *> cells = m_table->selectedItems();
    if (cells.isEmpty() && m_table->currentItem())
        cells << m_table->currentItem();
    m_filling = true;
    for (QTableWidgetItem *cell : cells) {
        if (!cell->text().isEmpty())
            endSimulated();
        cell->setText(QString());
        cell->setData(BeforeRole, QString());
        markMistyped(cell);
    }
    m_filling = false;
    showRefusal();
    changed();
}

stats::ClassCounts ClassTable::counts() const
{
    stats::ClassCounts counts;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        stats::ClassGroup group;
        for (Scenario scenario : stats::Scenarios) {
            // A cell typed as no count counts as blank.
            group.counts[scenario] = stats::readClassCount(m_table->item(row, columnOf(scenario))->text());
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
    if (!m_readOnly->isHidden())
        return;
    const int rows = int(std::min(counts.groups.size(), std::size_t(stats::MaxClassRuns)));
    m_table->setRowCount(0);
    setRowCount(rows);
    m_filling = true;
    for (int row = 0; row < rows; ++row) {
        for (Scenario scenario : stats::Scenarios) {
            const std::optional<int> &count = counts.groups[std::size_t(row)].counts[scenario];
            QTableWidgetItem *item = m_table->item(row, columnOf(scenario));
            item->setText(count ? QString::number(*count) : QString());
            item->setData(BeforeRole, item->text());
            markMistyped(item);
        }
    }
    m_filling = false;
    m_simulatedBy = counts.simulated;
    showSimulated();
    showRefusal();
    changed();
}

QByteArray ClassTable::csv() const
{
    return stats::classCountsCsv(counts());
}

std::optional<QString> ClassTable::readCsv(const QByteArray &text)
{
    if (!m_readOnly->isHidden())
        return m_readOnly->text();
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

QStringList ClassTable::mistyped() const
{
    QStringList cells;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        for (int column = 0; column < m_table->columnCount(); ++column) {
            const QTableWidgetItem *cell = m_table->item(row, column);
            if (!cell->toolTip().isEmpty())
                cells << QStringLiteral("%1,%2,%3").arg(row + 1).arg(column + 1).arg(cell->text());
        }
    }
    return cells;
}

void ClassTable::setMistyped(const QStringList &cells)
{
    if (!m_readOnly->isHidden())
        return;
    for (const QString &entry : cells) {
        const QStringList parts = entry.split(u',');
        bool rowRead = false;
        bool columnRead = false;
        const int row = parts.value(0).toInt(&rowRead) - 1;
        const int column = parts.value(1).toInt(&columnRead) - 1;
        // The text as typed, commas and all.
        const QString text = entry.section(u',', 2).trimmed();
        if (!rowRead || !columnRead || row < 0 || row >= stats::MaxClassRuns || column < 0 ||
            column >= m_table->columnCount() || text.isEmpty() || stats::readClassCount(text))
            continue;
        if (row >= m_table->rowCount())
            setRowCount(row + 1);
        QTableWidgetItem *cell = m_table->item(row, column);
        m_filling = true;
        cell->setText(text);
        cell->setData(BeforeRole, text);
        m_filling = false;
        markMistyped(cell);
    }
    showRefusal();
    changed();
}

void ClassTable::setReadOnly(const QString &why)
{
    m_readOnly->setText(why);
    m_readOnly->setAccessibleName(why);
    m_readOnly->setVisible(!why.isEmpty());
    m_table->setEditTriggers(why.isEmpty() ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                                 QAbstractItemView::AnyKeyPressed
                                           : QAbstractItemView::NoEditTriggers);
    showRefusal();
}
