#include "onscreen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace onscreen {

namespace {

void keepOnScreen(QWidget &window)
{
    const QRect frame = window.frameGeometry();
    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window.screen();
    const QRect area = screen->availableGeometry();
    const QPoint fitted(qMax(area.left(), qMin(frame.left(), area.right() + 1 - frame.width())),
                        qMax(area.top(), qMin(frame.top(), area.bottom() + 1 - frame.height())));
    if (fitted != frame.topLeft())
        window.move(window.pos() + fitted - frame.topLeft());
}

// Lives as the window's child until the window is first shown.
class Keeper final : public QObject
{
    Q_OBJECT

public:
    explicit Keeper(QWidget &window) : QObject(&window) { window.installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            keepOnScreen(static_cast<QWidget &>(*watched));
            deleteLater();
        }
        return false;
    }
};

} // namespace

void keepOnScreenWhenShown(QWidget &window)
{
    new Keeper(window);
}

} // namespace onscreen

#include "onscreen.moc"
