#pragma once

#include <QString>

#include <stdexcept>

// The error a handler raises when it cannot go on (an arithmetic overflow, a
// failing control). Nothing in the program catches it on the way up: the
// application's error guard shows its message and ends the program.
class RuntimeError : public std::runtime_error
{
public:
    enum Number : int { Overflow = 6, OutOfMemory = 7, Internal = 51 };

    RuntimeError(int number, const QString &description);

    static RuntimeError overflow();

    int number() const noexcept { return m_number; }
    QString description() const { return m_description; }
    // The text the error box shows, e.g. "Run-time error '6':\n\nOverflow".
    QString message() const;

private:
    int m_number = 0;
    QString m_description;
};
