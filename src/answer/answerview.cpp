#include "answer/answerwindow.h"

#include "answer/answerpages.h"
#include "answer/answerpane.h"
#include "answer/boardview.h"
#include "forms/onscreen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

// The window's zoom, its place on the screen, its presentation and the keys
// it takes before its boxes do.

namespace {

// The content at the zoom of 100%, laid out for the smallest screen it must
// fit whole, 1024 x 768 less a title bar, a menu bar and a panel; it grows
// in proportion to a larger window, and with the zoom, as a whole.
constexpr QSize DesignSize{1000, 640};
constexpr double TextPixels = 13;
// The smallest text the content shrinks to, in the screen's own pixels.
constexpr double LeastTextPixels = 11;
// The board's least side and the pages' least height at 100%.
constexpr double BoardLeast = 300;
constexpr double PagesLeast = 240;

} // namespace

void AnswerWindow::setZoom(double zoom)
{
    m_zoom = zoom;
    m_kept.keepZoom(m_zoom);
    rescale();
}

void AnswerWindow::stepZoom(int by)
{
    const auto at = std::lower_bound(Zooms.begin(), Zooms.end(), m_zoom - 1e-9);
    const auto index = std::clamp(int(at - Zooms.begin()) + by, 0, int(Zooms.size()) - 1);
    setZoom(Zooms[std::size_t(index)]);
}

void AnswerWindow::rescale()
{
    // The window's size against the content's at 100%: the content grows to
    // fill a larger window and shrinks to fit a smaller one, but never so far
    // that its text falls below a size read with ease; a window smaller than
    // that scrolls.
    const QSize area = m_scroller->size();
    const double least = LeastTextPixels / (TextPixels * devicePixelRatioF());
    const double fit = std::max(
        least, std::min(double(area.width()) / DesignSize.width(), double(area.height()) / DesignSize.height()));
    const double scale = fit * m_zoom;
    const int textPixels = std::max(1, int(TextPixels * scale + 0.5));
    QFont text = font();
    text.setPixelSize(textPixels);
    m_content->setFont(text);
    m_pane->setTextPixels(textPixels);
    m_pages->setTextPixels(textPixels);
    m_content->setMinimumSize(int(DesignSize.width() * scale), int(DesignSize.height() * scale));
    m_board->setMinimumSize(int(BoardLeast * scale), int(BoardLeast * scale));
    m_pages->setLeastHeight(int(PagesLeast * scale));
    const int margin = int(8 * scale);
    m_content->layout()->setContentsMargins(margin, margin, margin, margin);
    m_content->layout()->setSpacing(margin * 2);
}

bool AnswerWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A focused box may claim a key of the window's as its own (a spin box
    // takes Ctrl+E for the end of its line where X11's keys are used): the
    // window's actions win in any part of it.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == this) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        // "Ctrl++" is typed with Shift on many keyboards.
        const std::array<QKeySequence, 2> typed{
            QKeySequence(QKeyCombination(modifiers, Qt::Key(key->key()))),
            QKeySequence(QKeyCombination(modifiers & ~Qt::ShiftModifier, Qt::Key(key->key())))};
        for (const QAction *windowAction : actions()) {
            if (!windowAction->isEnabled())
                continue;
            for (const QKeySequence &keys : windowAction->shortcuts()) {
                if (keys == typed[0] || keys == typed[1]) {
                    event->ignore();
                    return true;
                }
            }
        }
    }
    if (watched == m_scroller && event->type() == QEvent::Resize)
        rescale();
    return QMainWindow::eventFilter(watched, event);
}

void AnswerWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    holdWhileUnseen();
    if (!m_fitted) {
        m_fitted = true;
        const bool fill = std::exchange(m_fillScreen, false);
        fitOnScreen(fill);
        onscreen::whenFramed(*this, [this, fill] { fitOnScreen(fill); });
    }
}

void AnswerWindow::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    holdWhileUnseen();
}

void AnswerWindow::holdWhileUnseen()
{
    m_engine.hold(AnswerEngine::Hold::OutOfSight, !isVisible() || isMinimized());
}

void AnswerWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    // The language's faces, at the content's size.
    if (event->type() == QEvent::FontChange && m_pages)
        rescale();
    if (event->type() == QEvent::WindowStateChange)
        holdWhileUnseen();
    // Back from full screen: the window as it was, within the screen (the
    // window manager restores it after this, hence the next turn).
    if (event->type() == QEvent::WindowStateChange && !isFullScreen() &&
        (static_cast<QWindowStateChangeEvent *>(event)->oldState() & Qt::WindowFullScreen))
        QTimer::singleShot(0, this, [this] { fitOnScreen(); });
}

void AnswerWindow::fitOnScreen(bool fill)
{
    if (isFullScreen() || isMaximized())
        return;
    const QRect area = screen()->availableGeometry();
    // The frame as far as the window system has told it.
    const QSize frame = frameGeometry().size() - size();
    const QSize room = (area.size() - frame).expandedTo(minimumSize());
    if (fill)
        resize(room);
    else if (width() > room.width() || height() > room.height())
        resize(size().boundedTo(room));
    const QRect outer = frameGeometry();
    const QPoint fitted(std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())),
                        std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    if (fitted != outer.topLeft())
        move(pos() + fitted - outer.topLeft());
}

void AnswerWindow::togglePresentation()
{
    if (isFullScreen()) {
        menuBar()->show();
        m_tools->show();
        showNormal();
    } else {
        menuBar()->hide();
        m_tools->hide();
        showFullScreen();
    }
}

void AnswerWindow::closeEvent(QCloseEvent *event)
{
    m_kept.keepGeometry(saveGeometry());
    // The class is free for another window; this one keeps nothing more.
    m_kept.release();
    QMainWindow::closeEvent(event);
}
