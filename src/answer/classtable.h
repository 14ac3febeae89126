#pragma once

#include "classcounts.h"

#include <QWidget>

class QFrame;
class QLabel;
class QTableWidget;
class QTableWidgetItem;

// "Our class": the meetings each group counted, one row per group, a column
// per scenario, either cell blank. A cell typed as anything but a whole
// number 0..999 is refused where it is typed: it goes back to what it held,
// and a message under the table says which cell and what it takes; the
// other cells keep their values. Delete or Backspace blanks the selected
// cells. One blank row is left at the bottom for the next group while the
// class has room for one. Under the table: each scenario's groups, meetings
// in all and average, and the class verdict.
class ClassTable final : public QWidget
{
    Q_OBJECT

public:
    explicit ClassTable(QWidget *parent = nullptr);

    // The groups as the table holds them, blank cells and blank groups
    // between others kept where they are.
    stats::ClassCounts counts() const;
    // Fills the table with counts, one row per group; simulated counts are
    // marked as such above it until other counts replace them.
    void setCounts(const stats::ClassCounts &counts);
    // The table as the CSV file `meetling-stats --class` reads.
    QByteArray csv() const;
    // Reads such a file into the table; a bad one changes nothing and its
    // reason (naming the row) is returned.
    std::optional<QString> readCsv(const QByteArray &text);
    void clear();
    // The class verdict, shown under the table.
    void setVerdict(const QString &text);

signals:
    void countsChanged();

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cellChanged(QTableWidgetItem *item);
    void clearSelectedCells();
    // Called after cells changed: the blank row kept, the sums and the
    // owner told.
    void changed();
    void keepOneBlankRow();
    void setRowCount(int rows);
    void showRefusal(const QString &text);

    QTableWidget *m_table = nullptr;
    QFrame *m_refusal = nullptr;
    QLabel *m_refusalIcon = nullptr;
    QLabel *m_refusalText = nullptr;
    // m_sums[scenario][row]: groups counted, meetings in all, average.
    stats::PerScenario<std::array<QLabel *, 3>> m_sums;
    QLabel *m_verdict = nullptr;
    // What played the counts, when a simulation did (stats::ClassCounts::simulated).
    QString m_simulatedBy;
    QLabel *m_simulated = nullptr;
    // Set while the table itself writes cells, so that only typing is checked.
    bool m_filling = false;
};
