#pragma once

#include <QString>

// A window's multimedia control: it takes commands and the name of the file
// the next Open opens. Setting a command carries it out; nothing is read
// back and nothing ever fails towards the caller.
class MultimediaControl
{
public:
    enum class Command {
        Stop, // ends what is sounding
        Close, // ends it and forgets the file opened
        Open, // opens the file last named
        Sound, // sounds the file opened, if any
    };

    virtual ~MultimediaControl() = default;
    virtual void setCommand(Command command) = 0;
    virtual void setFileName(const QString &fileName) = 0;
};
