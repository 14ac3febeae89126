#include "answer/classtable.h"

#include "words/wording.h"

#include <QAccessible>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QScrollArea>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>

#include <utility>
#include <QVBoxLayout>

namespace {

// The text a cell held before it was typed, to tell a change from none.
constexpr int BeforeRole = Qt::UserRole;

int columnOf(Scenario scenario)
{
    return scenario == Scenario::BothWalk ? 0 : 1;
}

// The rows of figures under the table, in the order of ClassTable::m_sums.
enum SumRow { Groups, Meetings, Average, SumRows };

// What the page scrolls: it asks for the least height its contents take
// at a width (a widget's own height for width is what they would like,
// which leaves out the table: the table takes what room there is).
class ScrolledContent final : public QWidget
{
public:
    using QWidget::QWidget;
    int heightForWidth(int width) const override { return layout()->totalMinimumHeightForWidth(width); }
};

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

    // Notes above the table, shown when they apply: counts a simulation
    // played (so that no one takes them for a class's own), and a class held
    // by another window.
    const auto note = [this](const QString &name) {
        auto *label = new QLabel(this);
        label->setObjectName(name);
        label->setWordWrap(true);
        label->setFocusPolicy(Qt::TabFocus);
        label->setFrameShape(QFrame::StyledPanel);
        label->hide();
        return label;
    };
    m_simulated = note(QStringLiteral("simulated"));
    m_readOnly = note(QStringLiteral("classReadOnly"));

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
    // The headings wrap, so that a language longer than English keeps the
    // sums within the page's width.
    const auto heading = [this](const QString &text, Qt::Alignment alignment) {
        auto *label = new QLabel(text, this);
        label->setWordWrap(true);
        label->setAlignment(alignment);
        return label;
    };
    for (int row = 0; row < SumRows; ++row)
        sums->addWidget(heading(sumNames[std::size_t(row)], Qt::AlignLeft | Qt::AlignVCenter), row + 1, 0);
    for (Scenario scenario : stats::Scenarios) {
        const int column = columnOf(scenario) + 1;
        sums->addWidget(heading(stats::plainName(scenario), Qt::AlignRight | Qt::AlignBottom), 0, column);
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
    // A screen reader reads the verdict itself; this says what it is.
    m_verdict->setAccessibleDescription(tr("What the class's runs say"));
    m_verdict->setFocusPolicy(Qt::TabFocus);
    m_verdict->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    // The table scrolls: it takes the room the figures under it leave, and
    // asks for a few rows at least.
    m_table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    // Where even that is more than the page has (a screen under 600 px tall,
    // a language longer than English, a note above the table), the page
    // scrolls within itself, so that the window keeps its size and the
    // answer beside the page stays whole.
    auto *scroller = new QScrollArea(this);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *content = new ScrolledContent(scroller);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroller);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_readOnly);
    layout->addWidget(m_simulated);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_refusal);
    layout->addLayout(sums);
    layout->addWidget(m_verdict);
    scroller->setWidget(content);
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
    emit countsChanged();
}

void ClassTable::markMistyped(QTableWidgetItem *cell)
{
    const QString text = cell->text();
    const bool mistyped = !text.isEmpty() && !stats::readClassCount(text);
    const Scenario scenario = cell->column() == columnOf(Scenario::BothWalk) ? Scenario::BothWalk : Scenario::DogWalks;
    const QString why = mistyped ? tr("Group %1, “%2”: “%3” is not a count. Type a whole number of meetings from 0 to %4, or leave the cell blank.")
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

void ClassTable::endSimulated()
{
    m_simulatedBy.clear();
    m_simulated->hide();
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
    m_simulated->setText(tr("Not a class's own counts: %1").arg(counts.simulated));
    m_simulated->setAccessibleName(m_simulated->text());
    m_simulated->setVisible(!counts.simulated.isEmpty());
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
        if (!rowRead || !columnRead || row < 0 || row >= stats::MaxClassRuns || column < 0 || column >= m_table->columnCount()
            || text.isEmpty() || stats::readClassCount(text))
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
    m_table->setEditTriggers(why.isEmpty() ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                                           : QAbstractItemView::NoEditTriggers);
    showRefusal();
}
