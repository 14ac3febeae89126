#pragma once

class CuePlayer;

// What the problem window asks of the board window.
class MainWindowLink
{
public:
    virtual ~MainWindowLink() = default;
    // Shows the board window again, as it was left.
    virtual void showMainWindow() = 0;
    // The exit confirmation, with the exit chime played on window's control.
    virtual void exitFrom(CuePlayer &window) = 0;
    // Ends the program at once, without sound or box.
    virtual void endProgram() = 0;
};
