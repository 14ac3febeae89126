#include "onscreen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
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

// Lives as the window's child until the window is first shown.
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
            watched->removeEventFilter(this);
            keepOnScreen(static_cast<QWidget &>(*watched), m_scroller);
            deleteLater();
        }
        return false;
    }

private:
    QScrollArea &m_scroller;
};

} // namespace

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
