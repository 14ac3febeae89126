#pragma once

#include "main_window/form1.h"
#include "core/services.h"

#include <QObject>

#include <memory>

class CuePlayer;
class Form2;

// The program's two windows and what connects them: Problem on the board
// leads to the problem window (made when first asked for), Simulation there
// back to the board; Exit in either window reaches the one exit
// confirmation, and closing either window through its frame ends the
// program.
class App final : public QObject
{
    Q_OBJECT

public:
    explicit App(Services services);
    ~App() override;

    Form1 &board() { return m_board; }

private:
    void showProblem();
    void confirmExit(CuePlayer *window);

    Services m_services;
    Form1 m_board;
    std::unique_ptr<Form2> m_problem;
};
