#pragma once

#include "cueplayer.h"

#include <QWidget>

#include <memory>

class ErrorGuard;
class MainWindowLink;
class MultimediaControl;
class PrintBox;
class QPushButton;

// The problem window: the story problem and the simulation conditions,
// printed in colour into two boxes each time the window is activated, with
// Exit and a Simulation button that leads back to the board.
class Form2 : public QWidget, private CuePlayer
{
    Q_OBJECT

public:
    Form2(ErrorGuard &guard, std::unique_ptr<MultimediaControl> control, MainWindowLink &mainWindow,
          QWidget *parent = nullptr);
    ~Form2() override;

    PrintBox *problemBox() const { return Picture1; }
    PrintBox *conditionsBox() const { return Picture2; }

    // Shows the window, makes it the active one and prints its boxes.
    void showAndActivate();

    void Form_Activate();
    void Command1_Click();
    void Command2_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void playCue(const QString &waveFile) override;

    ErrorGuard &m_guard;
    std::unique_ptr<MultimediaControl> MMControl1;
    MainWindowLink &m_mainWindow;
    PrintBox *Picture2 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command1 = nullptr;
    PrintBox *Picture1 = nullptr;
};
