#include "answer/classtable.h"

#include "words/wording.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

// The table's parts, what they say and where they stand.

namespace {

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
    // The headings wrap, so that a language longer than English keeps the
    // sums within the page's width.
    const auto heading = [this](Qt::Alignment alignment) {
        auto *label = new QLabel(this);
        label->setWordWrap(true);
        label->setAlignment(alignment);
        return label;
    };
    for (int row = 0; row < SumRows; ++row) {
        m_sumHeadings[std::size_t(row)] = heading(Qt::AlignLeft | Qt::AlignVCenter);
        sums->addWidget(m_sumHeadings[std::size_t(row)], row + 1, 0);
    }
    for (Scenario scenario : stats::Scenarios) {
        const int column = columnOf(scenario) + 1;
        m_sumColumns[scenario] = heading(Qt::AlignRight | Qt::AlignBottom);
        sums->addWidget(m_sumColumns[scenario], 0, column);
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
    retranslate();
    changed();
}

void ClassTable::retranslate()
{
    m_table->setAccessibleName(tr("Our class: meetings each group counted"));
    m_table->setAccessibleDescription(tr("One row per group. Delete or Backspace blanks the selected cells."));
    QStringList headings;
    for (Scenario scenario : stats::Scenarios) {
        headings << tr("%1\n(“%2”)").arg(stats::plainName(scenario), stats::scenarioCaption(scenario));
        m_sumColumns[scenario]->setText(stats::plainName(scenario));
    }
    m_table->setHorizontalHeaderLabels(headings);
    const std::array<QString, SumRows> sumNames{tr("Groups counted"), tr("Meetings in all"),
                                                tr("Average meetings in a run")};
    for (int row = 0; row < SumRows; ++row)
        m_sumHeadings[std::size_t(row)]->setText(sumNames[std::size_t(row)]);
    // A screen reader reads the verdict itself; this says what it is.
    m_verdict->setAccessibleDescription(tr("What the class's runs say"));
    // The groups' names, the marked cells' reasons and the notes, worded again.
    setRowCount(m_table->rowCount());
    for (int row = 0; row < m_table->rowCount(); ++row) {
        for (int column = 0; column < m_table->columnCount(); ++column)
            markMistyped(m_table->item(row, column));
    }
    showRefusal();
    showSimulated();
    showSums();
}

void ClassTable::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        m_table->setMinimumHeight(fontMetrics().height() * 7);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}
