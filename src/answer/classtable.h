#pragma once

#include "law/classcounts.h"

#include <QStringList>
#include <QWidget>

class QFrame;
class QLabel;
class QTableWidget;
class QTableWidgetItem;

// "Our class": the meetings each group counted, one row per group, a column
// per scenario, either cell blank. A cell typed as anything but a whole
// number 0..999 is kept as typed and marked, and a message under the table
// says which cell and what it takes, until the cell is mended or blanked;
// nothing (sums, verdict, charts, the class's file) counts it. Delete or
// Backspace blanks the selected cells. One blank row is left at the bottom
// for the next group while the class has room for one. Under the table:
// each scenario's groups, meetings in all and average, and the class verdict.
class ClassTable final : public QWidget
{
    Q_OBJECT

public:
    explicit ClassTable(QWidget *parent = nullptr);

    // The groups as the table holds them, blank cells and blank groups
    // between others kept where they are.
    stats::ClassCounts counts() const;
    // Fills the table with counts, one row per group; simulated counts are
    // marked as such above it until other counts replace them, or a cell is
    // typed or blanked (the counts are then no longer what was simulated).
    void setCounts(const stats::ClassCounts &counts);
    // The table as the CSV file `meetling-stats --class` reads; a cell typed
    // as no count is blank in it.
    QByteArray csv() const;
    // Reads such a file into the table; a bad one changes nothing and its
    // reason (naming the line and the group) is returned.
    std::optional<QString> readCsv(const QByteArray &text);
    void clear();
    // The cells typed as no count, each "group,column,text" (group and
    // column from 1), for settings to keep what was typed.
    QStringList mistyped() const;
    // Puts such cells back into the table as typed, after setCounts() or
    // readCsv(); an entry that names no cell is passed over.
    void setMistyped(const QStringList &cells);
    // With a reason, the table shows its counts and the reason above them,
    // and nothing changes them (typing, Delete, setCounts() and the like);
    // with none, it takes changes again.
    void setReadOnly(const QString &why);
    // The class verdict, shown under the table.
    void setVerdict(const QString &text);

signals:
    void countsChanged();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The rows of figures under the table, in the order of m_sums.
    enum SumRow { Groups, Meetings, Average, SumRows };
    // The table's column for scenario.
    static int columnOf(Scenario scenario);
    void cellChanged(QTableWidgetItem *item);
    void clearSelectedCells();
    // Called after cells changed: the blank row kept, the sums and the
    // owner told.
    void changed();
    // The sums under the table, worded in the language in use.
    void showSums();
    // Sets its texts in the language in use.
    void retranslate();
    void keepOneBlankRow();
    void setRowCount(int rows);
    // The rows up to the last one with a cell that is not blank.
    int usedRows() const;
    // Marks cell as typed as no count, or unmarks it.
    void markMistyped(QTableWidgetItem *cell);
    // The message under the table about typed, or else about the first
    // cell typed as no count, or none.
    void showRefusal(const QTableWidgetItem *typed = nullptr);
    // The note that the counts were simulated, shown while they are.
    void showSimulated();
    void endSimulated();

    QTableWidget *m_table = nullptr;
    QFrame *m_refusal = nullptr;
    QLabel *m_refusalIcon = nullptr;
    QLabel *m_refusalText = nullptr;
    // m_sums[scenario][row]: groups counted, meetings in all, average.
    stats::PerScenario<std::array<QLabel *, 3>> m_sums;
    // The sums' row headings, and their columns'.
    std::array<QLabel *, 3> m_sumHeadings{};
    stats::PerScenario<QLabel *> m_sumColumns{};
    QLabel *m_verdict = nullptr;
    // What played the counts, when a simulation did (stats::ClassCounts::simulated).
    QString m_simulatedBy;
    QLabel *m_simulated = nullptr;
    // Why the table is read-only, above it; hidden while it is not.
    QLabel *m_readOnly = nullptr;
    // Set while the table itself writes cells, so that only typing is checked.
    bool m_filling = false;
};
