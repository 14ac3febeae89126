#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>

// Covers a widget (the veil's parent) with a message. While its answer is
// being worked out the veil is see-through, the page under it still made
// out but no older figure taken for the current one. While the answer is
// hidden it is opaque and says so, with what it hides and how to show it:
// nothing of the answer shows through.
class Veil final : public QLabel
{
    Q_DECLARE_TR_FUNCTIONS(Veil)

public:
    enum class Reason { None, Working, Hidden };

    // What the answer's places say while it is being worked out.
    static QString working() { return tr("Working out the answer…"); }

    // hiddenText: what the veil says while the answer is hidden (its owner
    // words it again in another language, setHiddenText()).
    Veil(QWidget *covered, const QString &hiddenText) : QLabel(covered), m_hiddenText(hiddenText)
    {
        setAlignment(Qt::AlignCenter);
        setWordWrap(true);
        setAutoFillBackground(true);
        covered->installEventFilter(this);
        hide();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            setGeometry(static_cast<QWidget *>(watched)->rect());
        return false;
    }

    void setHiddenText(const QString &text)
    {
        m_hiddenText = text;
        say();
    }

    void cover(Reason reason)
    {
        m_reason = reason;
        if (reason != Reason::None) {
            say();
            QPalette p = palette();
            p.setColor(QPalette::Window, QColor(255, 255, 255, reason == Reason::Hidden ? 255 : 215));
            p.setColor(QPalette::WindowText, Qt::black);
            setPalette(p);
            setGeometry(parentWidget()->rect());
            raise();
        }
        setVisible(reason != Reason::None);
    }

protected:
    void changeEvent(QEvent *event) override
    {
        QLabel::changeEvent(event);
        if (event->type() == QEvent::LanguageChange)
            say();
    }

private:
    void say()
    {
        if (m_reason != Reason::None)
            setText(m_reason == Reason::Hidden ? m_hiddenText : working());
    }

    QString m_hiddenText;
    Reason m_reason = Reason::None;
};
