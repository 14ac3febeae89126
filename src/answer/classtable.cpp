#include "classtable.h"

#include "report.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The last value a cell held that was accepted, to go back to.
constexpr int AcceptedRole = Qt::UserRole;

int columnOf(Scenario scenario)
{
    return scenario == Scenario::BothWalk ? 0 : 1;
}

} // namespace

ClassTable::ClassTable(QWidget *parent) : QWidget(parent)
{
    m_table = new QTableWidget(0, int(stats::Scenarios.size()), this);
    m_table->setAccessibleName(QStringLiteral("Our class: meetings each group counted"));
    QStringList headings;
    for (Scenario scenario : stats::Scenarios)
        headings << QStringLiteral("%1 (\"%2\")").arg(stats::plainName(scenario), stats::scenarioCaption(scenario));
    m_table->setHorizontalHeaderLabels(headings);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setTabKeyNavigation(false);
    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setAccessibleName(QStringLiteral("Message"));
    m_message->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold"));
    m_verdict = new QLabel(this);
    m_verdict->setWordWrap(true);
    m_verdict->setAccessibleName(QStringLiteral("What the class's runs say"));
    m_verdict->setFocusPolicy(Qt::TabFocus);
    m_verdict->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    auto *beside = new QHBoxLayout;
    beside->addWidget(m_table, 3);
    beside->addWidget(m_message, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(beside, 1);
    layout->addWidget(m_verdict);
    connect(m_table, &QTableWidget::itemChanged, this, &ClassTable::cellChanged);
    keepOneBlankRow();
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
        groups << QStringLiteral("Group %1").arg(row + 1);
    m_table->setVerticalHeaderLabels(groups);
    m_filling = false;
}

void ClassTable::keepOneBlankRow()
{
    int used = m_table->rowCount();
    auto blank = [this](int row) {
        for (int column = 0; column < m_table->columnCount(); ++column) {
            if (!m_table->item(row, column)->text().isEmpty())
                return false;
        }
        return true;
    };
    while (used > 0 && blank(used - 1))
        --used;
    setRowCount(std::min(used + 1, stats::MaxClassRuns));
}

void ClassTable::cellChanged(QTableWidgetItem *item)
{
    if (m_filling)
        return;
    const QString typed = item->text().trimmed();
    // Read as the class file reads a cell (full-width digits included).
    const auto read = stats::readClassCounts(QByteArrayLiteral("x\n") + typed.toUtf8());
    const auto *counts = std::get_if<stats::ClassCounts>(&read);
    // One count in the first column, and nothing in a second ("3,4" is two).
    const bool whole = typed.isEmpty()
        || (counts && counts->counts[Scenario::BothWalk].size() == 1 && counts->counts[Scenario::DogWalks].empty());
    m_filling = true;
    if (whole) {
        const QString value = typed.isEmpty() ? QString() : QString::number(counts->counts[Scenario::BothWalk].front());
        item->setText(value);
        item->setData(AcceptedRole, value);
        m_message->clear();
    } else {
        item->setText(item->data(AcceptedRole).toString());
        m_message->setText(QStringLiteral("%1, %2: \"%3\" is not a whole number of meetings from 0 to %4.")
                               .arg(m_table->verticalHeaderItem(item->row())->text(),
                                    stats::plainName(stats::Scenarios[std::size_t(item->column())]), typed)
                               .arg(stats::MaxClassCount));
    }
    m_filling = false;
    if (whole) {
        keepOneBlankRow();
        emit countsChanged();
    }
}

stats::ClassCounts ClassTable::counts() const
{
    stats::ClassCounts counts;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        for (Scenario scenario : stats::Scenarios) {
            const QString text = m_table->item(row, columnOf(scenario))->text();
            if (!text.isEmpty())
                counts.counts[scenario].push_back(text.toInt());
        }
    }
    return counts;
}

void ClassTable::setCounts(const stats::ClassCounts &counts)
{
    std::size_t rows = 0;
    for (Scenario scenario : stats::Scenarios)
        rows = std::max(rows, counts.counts[scenario].size());
    m_filling = true;
    m_table->setRowCount(0);
    setRowCount(int(rows));
    m_filling = true;
    for (Scenario scenario : stats::Scenarios) {
        const std::vector<int> &column = counts.counts[scenario];
        for (std::size_t row = 0; row < column.size(); ++row) {
            QTableWidgetItem *item = m_table->item(int(row), columnOf(scenario));
            item->setText(QString::number(column[row]));
            item->setData(AcceptedRole, item->text());
        }
    }
    m_filling = false;
    m_message->clear();
    keepOneBlankRow();
    emit countsChanged();
}

QByteArray ClassTable::csv() const
{
    QStringList lines;
    QStringList header;
    for (Scenario scenario : stats::Scenarios)
        header << stats::scenarioCaption(scenario);
    lines << header.join(u',');
    for (int row = 0; row + 1 < m_table->rowCount(); ++row)
        lines << m_table->item(row, 0)->text() + u',' + m_table->item(row, 1)->text();
    return (lines.join(u'\n') + u'\n').toUtf8();
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
