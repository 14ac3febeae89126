#include "classcounts.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace stats {

namespace {

// A cell's count, or none for a blank cell; false when it is no count.
bool readCell(const QString &cell, std::optional<int> &count)
{
    static const QRegularExpression whole(QStringLiteral(R"(^\+?([0-9]{1,3})$)"));
    count.reset();
    if (cell.isEmpty())
        return true;
    const QRegularExpressionMatch match = whole.match(cell);
    if (!match.hasMatch())
        return false;
    count = match.captured(1).toInt();
    return true;
}

} // namespace

std::variant<ClassCounts, QString> readClassCounts(const QByteArray &text)
{
    QString decoded = QString::fromUtf8(text).normalized(QString::NormalizationForm_KC);
    if (decoded.startsWith(QChar(0xFEFF)))
        decoded.remove(0, 1);
    ClassCounts read;
    bool firstRow = true;
    bool anyRow = false;
    const QStringList lines = decoded.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        anyRow = true;
        // Commas, or the semicolons and tabs a spreadsheet may write instead.
        static const QRegularExpression separator(QStringLiteral("[,;\t]"));
        QStringList cells = line.split(separator);
        for (QString &cell : cells)
            cell = cell.trimmed();
        while (cells.size() > 2 && cells.last().isEmpty())
            cells.removeLast();
        std::vector<std::optional<int>> counts(std::size_t(cells.size()));
        qsizetype notACount = -1;
        for (qsizetype c = 0; c < cells.size(); ++c) {
            if (!readCell(cells[c], counts[std::size_t(c)]) && notACount < 0)
                notACount = c;
        }
        // A first row of words is the header.
        const bool header = firstRow && notACount >= 0;
        firstRow = false;
        if (header)
            continue;
        const QString row = QStringLiteral("row %1: ").arg(i + 1);
        if (notACount >= 0)
            return row + QStringLiteral("'%1' is not a whole number of meetings from 0 to %2").arg(cells[notACount]).arg(MaxClassCount);
        if (cells.size() > 2)
            return row + QStringLiteral("more than two columns");
        // The first column is both walking, the second Dog alone.
        for (std::size_t c = 0; c < counts.size(); ++c) {
            if (!counts[c])
                continue;
            std::vector<int> &into = read.counts[Scenarios[c]];
            if (into.size() == std::size_t(MaxClassRuns))
                return row + QStringLiteral("more than %1 runs").arg(QLocale(QLocale::English).toString(MaxClassRuns));
            into.push_back(*counts[c]);
        }
    }
    if (!anyRow)
        return QStringLiteral("the file is empty");
    if (read.counts[Scenario::BothWalk].empty() && read.counts[Scenario::DogWalks].empty())
        return QStringLiteral("no runs in it");
    return read;
}

} // namespace stats
