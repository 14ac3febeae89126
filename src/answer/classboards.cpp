#include "answer/classboards.h"

#include "pictures/boardpainter.h"
#include "pictures/charts.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Below this many pixels a walker's picture is a blur: a dot stands for it.
constexpr int PictureLeast = 14;

// Where the class's boards go in an area: each group a pair of boards (both
// wandering, then Momotaro waiting) with their counts under them, as many
// pairs a row as makes the boards largest.
struct BoardGrid
{
    int columns = 1;
    int side = 0;
    int gap = 0;
    int textPx = 0;
    QSize cell;
};

// Boards smaller than this leave out the counts, which would squeeze them
// to nothing; the boards' own colours still tell the groups apart.
constexpr int CountedLeast = 12;

BoardGrid boardGrid(QSize area, int groups, int textPx)
{
    BoardGrid best;
    for (const bool counted : {true, false}) {
        for (int columns = 1; columns <= groups; ++columns) {
            const int rows = (groups + columns - 1) / columns;
            BoardGrid grid;
            grid.columns = columns;
            grid.cell = QSize(area.width() / columns, area.height() / rows);
            grid.textPx = counted ? std::clamp(grid.cell.height() / 5, 8, textPx) : 0;
            grid.gap = std::max(counted ? 3 : 1, grid.cell.width() / 14);
            grid.side =
                std::min((grid.cell.width() - 2 * grid.gap) / 2, grid.cell.height() - grid.textPx * 3 / 2 - grid.gap);
            if (grid.side > best.side)
                best = grid;
        }
        if (best.side >= CountedLeast)
            break;
    }
    // However small the area, every board is there, a few pixels at least.
    best.side = std::max(best.side, 3);
    return best;
}

// One run's board: the walkers where they stand, a ring where they have
// just met, the run's count under it; faded before the group starts, and
// greyed with its count in bold once done.
void paintRunBoard(QPainter &painter, QRect board, int textPx, const WalkPoints &walk, Scenario scenario, bool started,
                   bool done)
{
    const stats::Look &look = stats::lookOf(scenario);
    painter.fillRect(board, Qt::white);
    const Point dog{walk.dogX, walk.dogY};
    stats::paintBoard(painter, board,
                      {.grid = stats::BoardLook::Grid::Inner,
                       .gridLeast = 6,
                       .walkers = stats::Starts{{walk.momoX, walk.momoY}, dog},
                       .walkerCells = 1.6,
                       .dotsUnder = PictureLeast,
                       .metAt = walk.metPending() ? std::optional(dog) : std::nullopt});
    if (!started || done)
        painter.fillRect(board, QColor(255, 255, 255, started ? 110 : 170));
    painter.setPen(QPen(look.color, std::max(1, board.width() / 40), look.line));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(board);

    if (textPx == 0)
        return;
    QFont font = painter.font();
    font.setPixelSize(textPx);
    font.setBold(done);
    painter.setFont(font);
    painter.setPen(done ? Qt::black : Qt::darkGray);
    painter.drawText(QRect(board.left(), board.bottom() + 1, board.width(), textPx * 3 / 2), Qt::AlignCenter,
                     started ? QLocale().toString(int(walk.meetCount)) : QStringLiteral("–"));
}

} // namespace

void paintClassBoards(QPainter &painter, QRect area, const stats::ClassAtSpeed &motion, int textPx)
{
    if (motion.groups() == 0)
        return;
    painter.setRenderHint(QPainter::Antialiasing, false);
    const BoardGrid grid = boardGrid(area.size(), motion.groups(), textPx);
    const int pairWidth = 2 * grid.side + grid.gap;
    const int rows = (motion.groups() + grid.columns - 1) / grid.columns;
    // The pairs centred as a block.
    const QPoint origin(area.left() + (area.width() - grid.cell.width() * grid.columns) / 2,
                        area.top() + (area.height() - grid.cell.height() * rows) / 2);
    for (int g = 0; g < motion.groups(); ++g) {
        const QPoint cell =
            origin + QPoint(g % grid.columns * grid.cell.width(), g / grid.columns * grid.cell.height());
        const int left = cell.x() + (grid.cell.width() - pairWidth) / 2;
        const bool started = motion.now() > motion.startOf(g);
        const bool done = motion.ticksDone(g) == motion.ticksPerTimer();
        for (Scenario scenario : stats::Scenarios) {
            const int x = left + (scenario == Scenario::BothWalk ? 0 : grid.side + grid.gap);
            paintRunBoard(painter, QRect(x, cell.y() + grid.gap / 2, grid.side, grid.side), grid.textPx,
                          motion.walk(g, scenario), scenario, started, done);
        }
    }
}

ClassBoards::ClassBoards(const stats::ClassAtSpeed &motion, QWidget *parent, bool large)
    : QWidget(parent), m_motion(motion), m_large(large)
{
    retranslate();
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClassBoards::retranslate()
{
    setAccessibleName(tr("The groups' boards"));
    setAccessibleDescription(
        tr("Each group has two boards side by side: both wandering on the left, Momotaro waiting on "
           "the right, its meetings so far under each."));
}

void ClassBoards::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

QSize ClassBoards::minimumSizeHint() const
{
    // The boards are drawn at any size (paintClassBoards()): a few lines of
    // text high is enough.
    return {fontInfo().pixelSize() * 12, fontInfo().pixelSize() * 3};
}

void ClassBoards::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // Large, the counts as large as a fifth of a group's place (boardGrid()).
    paintClassBoards(painter, rect(), m_motion, m_large ? height() : fontInfo().pixelSize());
}

LargeClassView::LargeClassView(const stats::ClassAtSpeed &motion, QWidget *window) : QWidget(window)
{
    setObjectName(QStringLiteral("largeClass"));
    setAutoFillBackground(true);
    // Focused itself, so that Space plays and pauses here too.
    setFocusPolicy(Qt::StrongFocus);
    m_state = new QLabel(this);
    m_state->setWordWrap(true);
    m_timing = new QLabel(this);
    m_timing->setWordWrap(true);
    m_back = new QToolButton(this);
    m_back->setFocusPolicy(Qt::NoFocus);
    connect(m_back, &QToolButton::clicked, this, &LargeClassView::leaveAsked);
    m_boards = new ClassBoards(motion, this, true);
    auto *top = new QHBoxLayout;
    auto *texts = new QVBoxLayout;
    texts->addWidget(m_state);
    texts->addWidget(m_timing);
    top->addLayout(texts, 1);
    top->addWidget(m_back, 0, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_boards, 1);
    window->installEventFilter(this);
    retranslate();
    hide();
}

void LargeClassView::retranslate()
{
    setAccessibleName(tr("The class at speed, large"));
    m_back->setText(tr("Back to the page (F6)"));
}

void LargeClassView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void LargeClassView::setTexts(const QString &state, const QString &timing)
{
    m_state->setText(state);
    m_timing->setText(timing);
    setAccessibleDescription(state);
}

void LargeClassView::enter(bool on)
{
    if (on) {
        setGeometry(parentWidget()->rect());
        raise();
        show();
        setFocus();
    } else {
        hide();
    }
}

void LargeClassView::refresh()
{
    if (isVisible())
        m_boards->update();
}

bool LargeClassView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void LargeClassView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Letters read from the back of the room: the line of how far the class
    // is a thirtieth of the height, as the counts under the boards.
    QFont large = font();
    large.setPixelSize(std::max(fontInfo().pixelSize(), height() / 30));
    large.setBold(true);
    m_state->setFont(large);
    QFont plain = large;
    plain.setBold(false);
    plain.setPixelSize(large.pixelSize() * 3 / 4);
    m_timing->setFont(plain);
    m_back->setFont(plain);
}
