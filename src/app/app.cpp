#include "app/app.h"

#include "problem_window/form2.h"
#include "sound/multimediacontrol.h"

App::App(Services services) : m_services(std::move(services)), m_board(m_services)
{
    connect(&m_board, &Form1::problemRequested, this, &App::showProblem);
    connect(&m_board, &Form1::exitRequested, this, &App::confirmExit);
}

App::~App() = default;

void App::showProblem()
{
    if (!m_problem) {
        m_problem = std::make_unique<Form2>(m_services.guard, m_services.makeControl());
        connect(m_problem.get(), &Form2::exitRequested, this, &App::confirmExit);
        connect(m_problem.get(), &Form2::simulationRequested, &m_board, &Form1::showAndActivate);
        connect(m_problem.get(), &Form2::closeRequested, &m_board, &Form1::endProgram);
    }
    m_problem->showAndActivate();
}

void App::confirmExit(CuePlayer *window)
{
    m_board.confirmExit(*window);
}
