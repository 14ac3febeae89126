#pragma once

#include <QString>

// The two modal boxes the handlers open. Replaceable so that tests can answer
// them from a script.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // A box with prompt, a text field pre-filled with defaultValue's plain
    // digits, OK and Cancel. Returns the text on OK and the empty text on
    // Cancel (or when the box is closed).
    virtual QString inputBox(const QString &prompt, const QString &title, int defaultValue) = 0;
    // A box with prompt and one OK button. Returns 1 (OK) however it is closed.
    virtual int messageBox(const QString &prompt, const QString &title) = 0;
};

// Ends the program. Replaceable so that tests can record the end instead.
class Ender
{
public:
    virtual ~Ender() = default;
    // Ends the process with the given exit status; no handler runs after it.
    virtual void end(int exitStatus = 0) = 0;
};
