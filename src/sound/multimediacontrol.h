#pragma once

#include <QString>

// A window's multimedia control: it takes command words ("Stop", "Close",
// "Open", "Sound") and the name of the file the next "Open" opens. Setting a
// command carries it out; nothing is read back and nothing ever fails
// towards the caller.
class MultimediaControl
{
public:
    virtual ~MultimediaControl() = default;
    virtual void setCommand(const QString &command) = 0;
    virtual void setFileName(const QString &fileName) = 0;
};
