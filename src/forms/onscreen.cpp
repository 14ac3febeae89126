#include "forms/onscreen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

namespace onscreen {

namespace {

void keepOnScreen(QWidget &window, QScrollArea &scroller)
{
    const QRect frame = window.frameGeometry();
    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window.screen();
    const QRect area = screen->availableGeometry();

    if (frame.width() <= area.width() && frame.height() <= area.height()) {
        const QPoint fitted(qMax(area.left(), qMin(frame.left(), area.right() + 1 - frame.width())),
                            qMax(area.top(), qMin(frame.top(), area.bottom() + 1 - frame.height())));
        if (fitted != frame.topLeft())
            window.move(window.pos() + fitted - frame.topLeft());
        return;
    }

    // As large as the area allows, frame included, with room for the scroll
    // bars the page needs at that size: one bar can make the other needed.
    const QSize room = area.size() - (frame.size() - window.size());
    const QSize page = scroller.widget()->size();
    const int across = scroller.horizontalScrollBar()->sizeHint().height();
    const int down = scroller.verticalScrollBar()->sizeHint().width();
    bool scrollsAcross = page.width() > room.width();
    const bool scrollsDown = page.height() > room.height() || (scrollsAcross && page.height() + across > room.height());
    scrollsAcross = scrollsAcross || (scrollsDown && page.width() + down > room.width());
    const QSize wanted(page.width() + (scrollsDown ? down : 0), page.height() + (scrollsAcross ? across : 0));
    window.setFixedSize(wanted.boundedTo(room));
    scroller.resize(window.size());
    window.move(window.pos() + area.topLeft() - frame.topLeft());
}

// Lives as the window's child until the window is first shown: places it
// then, and again once the window manager has added its frame.
class Keeper final : public QObject
{
    Q_OBJECT

public:
    Keeper(QWidget &window, QScrollArea &scroller) : QObject(&window), m_scroller(scroller)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto &window = static_cast<QWidget &>(*watched);
            watched->removeEventFilter(this);
            keepOnScreen(window, m_scroller);
            whenFramed(window, [&window, &scroller = m_scroller] { keepOnScreen(window, scroller); });
            deleteLater();
        }
        return false;
    }

private:
    QScrollArea &m_scroller;
};

// Watches a shown window until its frame is known, then calls placed.
class FrameWatch final : public QObject
{
public:
    FrameWatch(QWidget &window, std::function<void()> placed)
        : QObject(&window), m_window(window), m_placed(std::move(placed))
    {
        window.installEventFilter(this);
        m_timer.setInterval(Poll);
        connect(&m_timer, &QTimer::timeout, this, &FrameWatch::check);
        m_timer.start();
        check();
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
            check();
        return false;
    }

private:
    // The frame is told by events that Qt passes on to no widget, so it is
    // also looked for a few times a second while the window manager may
    // still be framing the window.
    static constexpr std::chrono::milliseconds Poll{100};
    static constexpr int Polls = 30;
    static constexpr std::chrono::milliseconds Settle{50};

    // Places the window once its frame is known, and again while the first
    // seconds last if the window manager, still settling it, puts its frame's
    // corner off the screen.
    void check()
    {
        const QRect frame = m_window.frameGeometry();
        if (frame.size() != m_window.size() &&
            (!m_placedOnce || !m_window.screen()->availableGeometry().contains(frame.topLeft()))) {
            m_placedOnce = true;
            // Once the window has settled where the window manager put it.
            QTimer::singleShot(Settle, &m_window, [placed = m_placed] { placed(); });
        }
        if (++m_polls > Polls) {
            m_window.removeEventFilter(this);
            m_timer.stop();
            deleteLater();
        }
    }

    QWidget &m_window;
    std::function<void()> m_placed;
    QTimer m_timer;
    int m_polls = 0;
    bool m_placedOnce = false;
};

} // namespace

void whenFramed(QWidget &window, std::function<void()> placed)
{
    new FrameWatch(window, std::move(placed));
}

QWidget *pageKeptOnScreen(QWidget &window, QSize clientSize)
{
    window.setFixedSize(clientSize);
    // Sized by hand rather than by a layout, which would settle the scroll
    // bars only on the next pass of the event loop.
    auto *scroller = new QScrollArea(&window);
    scroller->setGeometry(QRect(QPoint(), clientSize));
    scroller->setFrameShape(QFrame::NoFrame);
    // Tab moves among the page's controls only (and scrolls to them).
    scroller->setFocusPolicy(Qt::NoFocus);
    auto *page = new QWidget;
    page->setFixedSize(clientSize);
    scroller->setWidget(page);
    // The window's own background shows through the page, as it showed
    // behind the controls before, and the window is still painted itself.
    scroller->viewport()->setAutoFillBackground(false);
    page->setAutoFillBackground(false);
    new Keeper(window, *scroller);
    return page;
}

} // namespace onscreen

#include "onscreen.moc"
