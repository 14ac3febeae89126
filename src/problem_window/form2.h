#pragma once

#include "core/cueplayer.h"

#include <QWidget>

#include <memory>

class ErrorGuard;
class MultimediaControl;
class PrintBox;
class QPushButton;

// The problem window: the story problem and the simulation conditions,
// printed in colour into two boxes each time the window is activated, with
// Exit and a Simulation button that leads back to the board. It knows no
// other window: what its buttons and frame ask for leaves it as signals.
class Form2 : public QWidget, public CuePlayer
{
    Q_OBJECT

public:
    Form2(ErrorGuard &guard, std::unique_ptr<MultimediaControl> control, QWidget *parent = nullptr);
    ~Form2() override;

    // Shows the window, makes it the active one and prints its boxes.
    void showAndActivate();

    void Form_Activate();
    void Command1_Click();
    void Command2_Click();

    // Plays a wave file on this window's multimedia control.
    void playCue(const QString &waveFile) override;

signals:
    // Exit: the exit confirmation, its chime on this window's control.
    void exitRequested(CuePlayer *window);
    // Simulation: this window has hidden itself; the board is to be shown.
    void simulationRequested();
    // The frame's close button: the program is to end at once.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    template<typename Handler> void click(Handler &&handler);

    struct Layout;

    ErrorGuard &m_guard;
    std::unique_ptr<MultimediaControl> MMControl1;
    PrintBox *Picture2 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command1 = nullptr;
    PrintBox *Picture1 = nullptr;
};
