#include "law/classcounts.h"

#include "core/captions.h"
#include "law/printable.h"
#include "law/tooloptions.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace stats {

namespace {

struct ClassFile
{
    Q_DECLARE_TR_FUNCTIONS(stats::ClassFile)
};

// How a comment line marking simulated counts starts.
const QString SimulatedMark = QStringLiteral("simulated");

// A cell as a message quotes it: its start only, any control character
// shown as its code.
QString quoted(const QString &cell)
{
    constexpr qsizetype Shown = 24;
    const QString out = printable(cell.left(Shown));
    return cell.size() > Shown ? out + QStringLiteral("…") : out;
}

// A cell's count, or none for a blank cell; false when it is no count. The
// cell is already normalized (full-width digits made plain) and trimmed.
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

QStringList SimulatedBy::command() const
{
    const auto option = [](const char *name) { return QStringLiteral("--") + QString::fromLatin1(name); };
    const auto point = [](Point p) { return QStringLiteral("%1,%2").arg(int(p.x)).arg(int(p.y)); };
    return {QString::fromLatin1(tool::Name),
            option(tool::Momotaro),
            point(starts.momotaro),
            option(tool::Dog),
            point(starts.dog),
            option(tool::Seconds),
            QString::number(seconds),
            option(tool::Runs),
            QString::number(runs),
            option(tool::Seed),
            QString::number(seed),
            option(tool::Csv),
            QStringLiteral("FILE")};
}

QString SimulatedBy::mark() const
{
    return QStringLiteral("%1 by %2, seed %3: %4 plays the same runs")
        .arg(SimulatedMark, program, QString::number(seed), command().join(u' '));
}

std::vector<int> ClassCounts::runs(Scenario scenario) const
{
    std::vector<int> counts;
    for (const ClassGroup &group : groups) {
        if (group.counts[scenario])
            counts.push_back(*group.counts[scenario]);
    }
    return counts;
}

ClassSum ClassCounts::sum(Scenario scenario) const
{
    ClassSum sum;
    for (int count : runs(scenario)) {
        ++sum.runs;
        sum.meetings += count;
    }
    return sum;
}

bool ClassCounts::hasRuns() const
{
    return std::any_of(groups.begin(), groups.end(), [](const ClassGroup &group) { return !group.blank(); });
}

std::optional<int> readClassCount(const QString &cell)
{
    std::optional<int> count;
    if (!readCell(cell.normalized(QString::NormalizationForm_KC).trimmed(), count))
        return std::nullopt;
    return count;
}

std::variant<ClassCounts, QString> readClassCounts(const QByteArray &text)
{
    // UTF-8 unless the file says otherwise: a spreadsheet's "Unicode text"
    // is UTF-16 with a byte-order mark.
    const auto encoding = QStringConverter::encodingForData(text).value_or(QStringConverter::Utf8);
    QString decoded = QStringDecoder(encoding).decode(text);
    decoded = decoded.normalized(QString::NormalizationForm_KC);
    if (decoded.startsWith(QChar(0xFEFF)))
        decoded.remove(0, 1);
    ClassCounts read;
    bool firstRow = true;
    bool anyRow = false;
    // Blank groups read since the last group with a count: kept only when
    // another such group follows.
    std::size_t blanks = 0;
    const QStringList lines = decoded.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = lines[i].trimmed();
        if (text.isEmpty())
            continue;
        if (text.startsWith(u'#')) {
            const QString comment = text.mid(1).trimmed();
            if (comment.startsWith(SimulatedMark, Qt::CaseInsensitive))
                read.simulated = comment;
            continue;
        }
        anyRow = true;
        // Commas, or the semicolons and tabs a spreadsheet may write instead.
        static const QRegularExpression separator(QStringLiteral("[,;\t]"));
        QStringList cells = text.split(separator);
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
        // A first row of words is the header; one with a cell that reads as
        // a number ("3,4x", "-3,4") is a group mistyped, and refused below
        // rather than passed over.
        const bool anyNumber = std::any_of(cells.begin(), cells.end(), [](const QString &cell) {
            bool number = false;
            cell.toDouble(&number);
            return number;
        });
        const bool header = firstRow && notACount >= 0 && !anyNumber;
        firstRow = false;
        if (header)
            continue;
        // The file's line, counting header, comments and blank lines, and
        // the group as the class's table numbers it, blank groups included.
        const QString line = QString::number(i + 1);
        const QString groupNumber = QString::number(read.groups.size() + blanks + 1);
        if (notACount >= 0) {
            //: %1 is the file's line, %2 the group's number, %3 the cell, %4 the largest count.
            return ClassFile::tr("line %1 (group %2): '%3' is not a whole number of meetings from 0 to %4")
                .arg(line, groupNumber, quoted(cells[notACount]), QString::number(MaxClassCount));
        }
        if (cells.size() > 2)
            return ClassFile::tr("line %1 (group %2): more than two columns").arg(line, groupNumber);
        // The first column is both walking, the second Dog alone.
        ClassGroup group;
        for (std::size_t c = 0; c < counts.size(); ++c)
            group.counts[Scenarios[c]] = counts[c];
        if (group.blank()) {
            ++blanks;
            continue;
        }
        if (read.groups.size() + blanks >= std::size_t(MaxClassRuns))
            return ClassFile::tr("line %1: more than %2 groups").arg(line, QLocale().toString(MaxClassRuns));
        read.groups.resize(read.groups.size() + std::exchange(blanks, 0));
        read.groups.push_back(group);
    }
    if (!anyRow)
        return ClassFile::tr("the file is empty");
    if (read.groups.empty())
        return ClassFile::tr("no runs in it");
    return read;
}

std::variant<ClassCounts, QString> readClassFile(const QString &file)
{
    // A device or a pipe is no class's file: reading one could go on for
    // ever or wait for a writer that never comes.
    const QFileInfo info(file);
    if (info.exists() && !info.isFile())
        return ClassFile::tr("not a regular file");
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    const QByteArray text = in.read(MaxClassFileBytes + 1);
    if (text.size() > MaxClassFileBytes)
        return ClassFile::tr("larger than 1 MiB, not a class's counts");
    auto read = readClassCounts(text);
    if (auto *counts = std::get_if<ClassCounts>(&read))
        counts->file = file;
    return read;
}

QByteArray classCountsCsv(const ClassCounts &counts)
{
    QStringList header;
    for (Scenario scenario : Scenarios)
        header << QString::fromLatin1(captionOf(scenario));
    QStringList lines;
    if (!counts.simulated.isEmpty())
        lines << QStringLiteral("# ") + counts.simulated.simplified();
    lines << header.join(u',');
    std::size_t used = counts.groups.size();
    while (used > 0 && counts.groups[used - 1].blank())
        --used;
    for (std::size_t g = 0; g < used; ++g) {
        QStringList cells;
        for (Scenario scenario : Scenarios) {
            const std::optional<int> &count = counts.groups[g].counts[scenario];
            cells << (count ? QString::number(*count) : QString());
        }
        lines << cells.join(u',');
    }
    return (lines.join(u'\n') + u'\n').toUtf8();
}

} // namespace stats
