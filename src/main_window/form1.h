#pragma once

#include "core/boardops.h"
#include "core/experiment.h"
#include "core/services.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class MultimediaControl;
class QFrame;
class QLabel;
class QPushButton;

// The board window: the six command buttons, the board with its axes and the
// two walker pictures, the four read-outs, the two walk timers and an
// invisible multimedia control for the sounds. Its handlers hand the work to
// the Experiment and show what it does. It knows no other window: Problem
// and Exit leave it as signals.
class Form1 : public QWidget, private BoardOps
{
    Q_OBJECT

public:
    explicit Form1(Services services, QWidget *parent = nullptr);
    ~Form1() override;

    // Takes the installed theme's icon of the desktop entry's name in place
    // of the built-in one, where there is such an icon. Looking it up loads
    // every image plugin, so the program does it after the first paint.
    void useThemeIcon();

    // The handlers, named after their control and event.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Timer1_Timer();
    void Timer2_Timer();

    // Shows the window again, as it was left, and makes it the active one.
    void showAndActivate();
    // The exit chime on window's multimedia control, the confirmation box,
    // then the end of the program; ticks go on while the box is open.
    void confirmExit(CuePlayer &window);
    // Ends the program at once: no sound, no box, no further tick.
    void endProgram();

signals:
    // Problem: the window has chimed and hidden itself.
    void problemRequested();
    // Exit: the exit confirmation, its chime on this window's control.
    void exitRequested(CuePlayer *window);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Makes the controls, those of the window on page.
    void buildControls(QWidget *page);
    // The window's controls, one row each; defined with the layout.
    struct ControlRow;
    struct Layout;
    QWidget *makeWidget(const ControlRow &row, QWidget *page, QWidget *board);
    template<typename Handler> void handle(Handler &&handler);
    template<typename Handler> void click(Handler &&handler);

    // BoardOps
    void placeWalker(Walker walker, int x, int y) override;
    void setWalkerVisible(Walker walker, bool visible) override;
    void setReadout(Readout readout, const QString &text) override;
    void setButtonEnabled(Button button, bool enabled) override;
    void setTimerEnabled(Walker walker, bool enabled) override;
    void playCue(const QString &waveFile) override;

    QLabel *picture(Walker walker) const;
    QLabel *readoutLabel(Readout readout) const;
    QPushButton *button(Button button) const;

    Services m_services;
    Experiment m_experiment;
    std::unique_ptr<MultimediaControl> MMControl1;
    // Children of the window, found by their names like its controls.
    QTimer Timer1{this};
    QTimer Timer2{this};
    QPushButton *Command1 = nullptr; // Exit
    QPushButton *Command2 = nullptr; // When two srart
    QPushButton *Command3 = nullptr; // When one starts
    QPushButton *Command4 = nullptr; // Stop
    QPushButton *Command5 = nullptr; // Start
    QPushButton *Command6 = nullptr; // Problem
    // The read-outs: Dog, Momotaro, meetings, time.
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    // The axis labels on the board.
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label11 = nullptr;
    QFrame *Line1 = nullptr;
    QFrame *Line2 = nullptr;
    QFrame *Line3 = nullptr;
    QFrame *Picture1 = nullptr; // the board
    QLabel *Picture2 = nullptr; // Dog
    QLabel *Picture3 = nullptr; // Momotaro
};
