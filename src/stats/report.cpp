#include "stats/report.h"

#include "words/phrases.h"
#include "words/verdictwords.h"
#include "words/wording.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

#include <algorithm>
#include <cmath>

namespace stats {

namespace {

struct Table
{
    Q_DECLARE_TR_FUNCTIONS(stats::Table)
};

// A share of runs in the histogram, where small ones matter: two decimals.
QString share(double p)
{
    if (p <= 0)
        return QStringLiteral("0");
    if (p < 0.00005)
        //: A share too small to show as 0.01%.
        return Table::tr("<%1").arg(percentText(0.01, 2));
    return percentText(100 * p, 2);
}

// Two averages in one row, to one precision: two decimals, more when the
// smaller needs them to show two digits.
std::pair<QString, QString> averages(double a, double b)
{
    int decimals = 2;
    const double smaller = std::min(a, b);
    while (decimals < 6 && smaller > 0 && smaller < std::pow(10.0, 1 - decimals))
        ++decimals;
    return {fixed(a, decimals), fixed(b, decimals)};
}

// text within columns, filled out with spaces after it (or before it).
QString leftInColumns(const QString &text, int columns)
{
    return text + QString(std::max(0, columns - columnsOf(text)), u' ');
}

QString rightInColumns(const QString &text, int columns)
{
    return QString(std::max(0, columns - columnsOf(text)), u' ') + text;
}

// One of a table row's cells: its text, the columns it takes, the first
// cell of a row set to the left, the others to the right.
struct Cell
{
    QString text;
    int columns;
};

// A row of the table, each cell wrapped within its columns (their last kept
// free, as the gap to the next cell) and as many lines as the tallest takes.
// A cell's leading spaces indent each of its lines; a line break in it
// starts a line.
void putRow(QTextStream &s, std::initializer_list<Cell> cells)
{
    std::vector<QStringList> lines;
    qsizetype height = 1;
    for (const Cell &cell : cells) {
        const qsizetype spaces =
            std::find_if(cell.text.begin(), cell.text.end(), [](QChar c) { return c != u' '; }) - cell.text.begin();
        lines.emplace_back();
        for (const QString &part : cell.text.mid(spaces).split(u'\n'))
            lines.back() += wrappedLines(part, cell.columns - 1, cell.text.left(spaces));
        height = std::max(height, lines.back().size());
    }
    for (qsizetype line = 0; line < height; ++line) {
        QString row;
        std::size_t c = 0;
        for (const Cell &cell : cells) {
            const QString text = line < lines[c].size() ? lines[c][line] : QString();
            row += c == 0 ? leftInColumns(text, cell.columns) : rightInColumns(text, cell.columns);
            ++c;
        }
        // A cell left empty at the end of a line leaves no spaces behind.
        while (row.endsWith(u' '))
            row.chop(1);
        s << row << '\n';
    }
}

QString pointText(Point p)
{
    return QStringLiteral("(%1, %2)").arg(int(p.x)).arg(int(p.y));
}

} // namespace

bool Report::exactInside(Scenario scenario) const
{
    const std::optional<double> &halfWidth = simulated[scenario].halfWidth99;
    return halfWidth && std::fabs(simulated[scenario].mean - answer.exact[scenario].expectedMeetings) <= *halfWidth;
}

QString table(const Report &report, int width)
{
    const Options &o = report.options;
    QString out;
    QTextStream s(&out);
    auto row = [&s](const QString &label, const QString &both, const QString &one) {
        putRow(s, {{label, 40}, {both, 20}, {one, 20}});
    };
    // A row of one text for each scenario.
    auto rowOf = [&row](const QString &label, const auto &text) {
        row(label, text(Scenario::BothWalk), text(Scenario::DogWalks));
    };
    const QString indent = QStringLiteral("  ");

    //: %1 and %2 are start points "(4, 4)", %3 a number of seconds, %Ln the ticks of each walker's timer.
    s << wrapped(
        Table::tr(
            "Momotaro starts at %1 and Dog at %2. A run lasts %3 s: %Ln tick(s) of each walker's timer, as on the board.",
            nullptr, o.ticksPerTimer)
            .arg(pointText(o.starts.momotaro), pointText(o.starts.dog), QLocale().toString(o.seconds)),
        width);
    s << '\n'
      << Table::tr("The answer") << '\n'
      << wrapped(headline(report.answer), width, indent) << '\n'
      << wrapped(detail(report.answer), width, indent);

    if (report.answer.classCounts) {
        const ClassCounts &counts = *report.answer.classCounts;
        //: A heading: %1 is the class's file.
        s << '\n'
          << (counts.simulated.isEmpty() ? Table::tr("The class's own runs (%1)")
                                         : Table::tr("The class's runs, simulated (%1)"))
                 .arg(counts.file)
          << '\n';
        if (!counts.simulated.isEmpty())
            s << wrapped(counts.simulated, width, indent) << '\n';
        s << wrapped(classVerdict(report.answer), width, indent);
        PerScenario<std::optional<ClassFigures>> figures;
        for (Scenario scenario : Scenarios)
            figures[scenario] = classFigures(report.answer, scenario);
        // The class's figure of each scenario, or "-" for one it did not run.
        auto classRow = [&](const QString &label, const auto &text) {
            rowOf(label, [&](Scenario scenario) {
                return figures[scenario] ? text(*figures[scenario]) : QStringLiteral("-");
            });
        };
        rowOf(QString(), plainName);
        classRow(indent + Table::tr("Runs counted"), [](const ClassFigures &f) { return QLocale().toString(f.runs); });
        classRow(indent + Table::tr("Their average, meetings in a run"),
                 [](const ClassFigures &f) { return fixed(f.mean, 2); });
        rowOf(indent + Table::tr("The exact average"),
              [&](Scenario sc) { return fixed(report.answer.exact[sc].expectedMeetings, 2); });
        classRow(indent + Table::tr("An average this far off, or further"),
                 [](const ClassFigures &f) { return percent(f.chance); });
    }

    s << '\n';
    const PerScenario<ExactResult> &exact = report.answer.exact;
    rowOf(Table::tr("In detail, exactly"), plainName);
    //: A board's caption quoted.
    rowOf(QString(), [](Scenario sc) { return Table::tr("\"%1\"").arg(scenarioCaption(sc)); });
    const auto [bothAverage, oneAverage] =
        averages(exact[Scenario::BothWalk].expectedMeetings, exact[Scenario::DogWalks].expectedMeetings);
    row(figureHeading(Figure::Meetings), bothAverage, oneAverage);
    rowOf(figureHeading(Figure::AtLeastOne), [&](Scenario sc) { return percent(exact[sc].atLeastOne); });
    s << Table::tr("If the run had no time limit:") << '\n';
    const auto inSeconds = [](double seconds) { return secondsText(seconds, 1); };
    rowOf(indent + Table::tr("the first meeting, on average, after"),
          [&](Scenario sc) { return inSeconds(exact[sc].meanFirstSeconds); });
    rowOf(indent + Table::tr("half of the runs meet within"), [&](Scenario sc) {
        const std::optional<double> &median = exact[sc].medianFirstSeconds;
        return median ? inSeconds(*median) : Table::tr("never");
    });

    auto runsRow = [&s](const QString &label, const QString &both, const QString &tie, const QString &one) {
        putRow(s, {{label, 18}, {both, 20}, {tie, 21}, {one, 21}});
    };
    s << '\n';
    s << Table::tr("Several runs of each, their meetings added up:") << '\n';
    //: A column's heading: how often the way's meetings add up to more. %1 is its name; a line break may divide the heading.
    const auto ahead = [](Scenario sc) { return Table::tr("%1 ahead").arg(plainName(sc)); };
    runsRow(QString(), ahead(Scenario::BothWalk), Table::tr("a tie"), ahead(Scenario::DogWalks));
    for (int n : {1, 2, 3, 5, 10, 20, 30}) {
        const OneRunEach &c = report.answer.runsEach.byRuns[std::size_t(n - 1)];
        runsRow(indent + runsOfEach(n), percent(c.bothMore), percent(c.tie), percent(c.oneMore));
    }

    s << '\n';
    //: %Ln runs of each way, %1 the seed, %2 the threads ("2 threads").
    s << Table::tr("Simulated: %Ln run(s) of each, seed %1, on %2", nullptr, int(o.runs))
             .arg(QString::number(o.seed), Table::tr("%Ln thread(s)", nullptr, o.threads))
      << '\n';
    const PerScenario<Simulation> &simulated = report.simulated;
    rowOf(figureHeading(Figure::Meetings), [&](Scenario sc) { return fixed(simulated[sc].mean, 4); });
    if (o.runs < MinRunsForInterval) {
        s << wrapped(Table::tr("Too few runs for a 99% interval around these averages: it takes at least %1.")
                         .arg(MinRunsForInterval),
                     width);
    } else {
        rowOf(Table::tr("99% interval of that average"), [&](Scenario sc) {
            const Simulation &sim = simulated[sc];
            //: The ends of an interval.
            return Table::tr("%1 to %2")
                .arg(fixed(sim.mean - *sim.halfWidth99, 3), fixed(sim.mean + *sim.halfWidth99, 3));
        });
        rowOf(Table::tr("The exact average inside it"),
              [&](Scenario sc) { return report.exactInside(sc) ? Table::tr("yes") : Table::tr("no"); });
    }
    PerScenario<std::optional<FitToLaw>> fits;
    for (Scenario sc : Scenarios)
        fits[sc] = chiSquareFit(simulated[sc].histogram, exact[sc].law);
    rowOf(Table::tr("Counts fit the exact chances"), [&](Scenario sc) {
        if (!fits[sc])
            return Table::tr("too few runs");
        const double p = fits[sc]->p;
        //: Whether the counts fit, with the chi-square test's p value.
        return p >= 0.01 ? Table::tr("yes (p = %1)").arg(fixed(p, 2))
                         : Table::tr("no (p = %1)").arg(QLocale().toString(p, 'g', 2));
    });
    for (Scenario i : Scenarios) {
        if (o.runs >= MinRunsForInterval && !report.exactInside(i)) {
            s << wrapped(Table::tr("Note: for %1 the exact average lies outside the 99% interval; "
                                   "that happens by chance about once in a hundred seeds.")
                             .arg(quotedName(i)),
                         width);
        }
        if (fits[i] && fits[i]->p < 0.01) {
            s << wrapped(Table::tr("Note: for %1 the simulated counts differ from the exact chances more than "
                                   "chance explains in 99 seeds out of 100.")
                             .arg(quotedName(i)),
                         width);
        }
    }

    s << '\n';
    std::size_t rows = 0;
    for (Scenario sc : Scenarios) {
        const auto &law = exact[sc].law;
        for (std::size_t k = 0; k < law.size(); ++k) {
            if (law[k] >= 5e-5)
                rows = std::max(rows, k + 1);
        }
        rows = std::max(rows, simulated[sc].histogram.size());
    }
    std::vector<QStringList> cells(rows);
    for (std::size_t k = 0; k < rows; ++k) {
        for (Scenario sc : Scenarios) {
            const auto &law = exact[sc].law;
            const auto &histogram = simulated[sc].histogram;
            cells[k] << share(k < law.size() ? law[k] : 0.0)
                     << share(k < histogram.size() ? double(histogram[k]) / double(o.runs) : 0.0);
        }
    }
    // The first two rows name the columns: the way over its two, then what
    // each holds. The four columns take 14 or, for a wider text, its width;
    // the counts take the rest.
    //: Two lines of a column's heading: the counts of meetings a run may have.
    const QStringList heading = Table::tr("How many meetings\na run counts").split(u'\n');
    const QString exactly = Table::tr("exact");
    const QString simulation = Table::tr("simulated");
    int column = std::max({14, columnsOf(exactly) + 1, columnsOf(simulation) + 1});
    for (const QStringList &row : cells) {
        for (const QString &cell : row)
            column = std::max(column, columnsOf(cell) + 1);
    }
    const int label = std::max(8, 80 - 4 * column);
    putRow(s, {{heading.first(), label},
               {plainName(Scenario::BothWalk), 2 * column},
               {plainName(Scenario::DogWalks), 2 * column}});
    auto lawRow = [&](const QString &count, const QStringList &row) {
        putRow(s, {{count, label}, {row[0], column}, {row[1], column}, {row[2], column}, {row[3], column}});
    };
    lawRow(heading.mid(1).join(u' '), {exactly, simulation, exactly, simulation});
    for (std::size_t k = 0; k < rows; ++k)
        lawRow(QLocale().toString(qulonglong(k)).rightJustified(4), cells[k]);
    return out;
}

} // namespace stats
