#pragma once

#include "runtime/dialogs.h"

#include <QPointer>

class InputBox;

// The boxes drawn with Qt's dialogs, modal to the active window: a box of
// our own for the prompts and Qt's message box for the notices.
class QtDialogs final : public Dialogs
{
public:
    QtDialogs() = default;
    QtDialogs(const QtDialogs &) = delete;
    QtDialogs &operator=(const QtDialogs &) = delete;
    ~QtDialogs() override;

    QString inputBox(const QString &prompt, const QString &title, int defaultValue) override;
    int messageBox(const QString &prompt, const QString &title) override;

private:
    // Owned by its parent window when it has one; deleted here otherwise.
    QPointer<InputBox> m_inputBox;
};

// Ends the program by hiding every window and leaving the event loop.
class QtEnder final : public Ender
{
public:
    void end(int exitStatus = 0) override;
    bool ended() const { return m_ended; }
    int exitStatus() const { return m_exitStatus; }

private:
    bool m_ended = false;
    int m_exitStatus = 0;
};
