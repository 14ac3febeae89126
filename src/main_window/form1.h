#pragma once

#include "boardops.h"
#include "experiment.h"
#include "mainwindowlink.h"
#include "services.h"

#include <QTimer>
#include <QWidget>

#include <memory>

class Form2;
class MultimediaControl;
class QFrame;
class QLabel;
class QPushButton;

// The board window: the six command buttons, the board with its axes and the
// two walker pictures, the four read-outs, the two walk timers and an
// invisible multimedia control for the sounds. Its handlers hand the work to
// the Experiment and show what it does.
class Form1 : public QWidget, private BoardOps, private MainWindowLink
{
    Q_OBJECT

public:
    explicit Form1(Services services, QWidget *parent = nullptr);
    ~Form1() override;

    const WalkState &walkState() const { return m_experiment.state(); }
    Experiment &experiment() { return m_experiment; }
    // The problem window, once the Problem button has first shown it.
    Form2 *problemWindow() const { return m_form2.get(); }
    QTimer &timer(Walker walker) { return walker == Walker::Dog ? Timer1 : Timer2; }
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

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    template<typename Handler>
    void handle(Handler &&handler);

    // BoardOps
    void placeWalker(Walker walker, int x, int y) override;
    void setWalkerVisible(Walker walker, bool visible) override;
    void setReadout(Readout readout, const QString &text) override;
    void setButtonEnabled(Button button, bool enabled) override;
    void setTimerEnabled(Walker walker, bool enabled) override;
    void playCue(const QString &waveFile) override;

    // MainWindowLink
    void showMainWindow() override;
    void exitFrom(CuePlayer &window) override;
    void endProgram() override;

    QLabel *picture(Walker walker) const;
    QLabel *readoutLabel(Readout readout) const;
    QPushButton *button(Button button) const;

    // The window's tables of controls, one per kind; defined with the layout.
    struct Layout;

    Services m_services;
    Experiment m_experiment;
    std::unique_ptr<MultimediaControl> MMControl1;
    std::unique_ptr<Form2> m_form2;
    QTimer Timer1;
    QTimer Timer2;
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
