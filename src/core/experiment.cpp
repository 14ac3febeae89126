#include "core/experiment.h"

#include "core/boardops.h"
#include "runtime/clock.h"
#include "runtime/conversions.h"
#include "runtime/dialogs.h"
#include "core/readouts.h"
#include "core/rules.h"
#include "core/tickrules.h"

#include <array>

namespace {

const QString ButtonChime = QStringLiteral("pinpon.wav");
const QString ExitChime = QStringLiteral("endpinpon.wav");

struct Prompt
{
    const char *text;
    const char *title;
    int defaultValue;
    StartField field;
};

constexpr std::array<Prompt, 4> Prompts{{
    {"Enter the x-coordinate of the initial position of Momotaro as a natural number between 0 and 10.",
     "Setting the initial position of Momotaro", rules::DefaultMomotaroStart.x, StartField::MomoX},
    {"Enter the y-coordinate of the initial position of Momotaro as a natural number between 0 and 10.",
     "Setting the initial position of Momotaro", rules::DefaultMomotaroStart.y, StartField::MomoY},
    {"Enter the x-coordinate of the initial position of Dog as a natural number between 0 and 10.",
     "Setting the initial position of Dog", rules::DefaultDogStart.x, StartField::DogX},
    {"Enter the y-coordinate of the initial position of Dog as a natural number between 0 and 10.",
     "Setting the initial position of Dog", rules::DefaultDogStart.y, StartField::DogY},
}};

} // namespace

Experiment::Experiment(BoardOps &board, const Services &services) : m_board(board), m_services(services)
{}

void Experiment::load()
{
    m_state.resetOnLoad();
    m_board.setWalkerVisible(Walker::Dog, false);
    m_board.setWalkerVisible(Walker::Momotaro, false);
    m_board.setButtonEnabled(Button::Stop, false);
    m_board.setButtonEnabled(Button::Start, false);
}

bool Experiment::acceptable(const QString &answer, double value)
{
    const bool notEmpty = !answer.isEmpty();
    const bool notBelow = value >= 0;
    const bool notAbove = value <= rules::BoardMax;
    return notEmpty && notBelow && notAbove;
}

void Experiment::setUp(Scenario scenario)
{
    m_board.playCue(ButtonChime);

    for (const Prompt &prompt : Prompts) {
        m_state.answerText = m_services.dialogs.inputBox(QString::fromUtf8(prompt.text),
                                                         QString::fromUtf8(prompt.title), prompt.defaultValue);
        const double value = conv::textToNumber(m_state.answerText);
        if (!acceptable(m_state.answerText, value)) {
            m_board.setButtonEnabled(Button::Problem, true);
            return;
        }
        m_state.setStart(prompt.field, conv::toInt16(value));
    }

    m_state.place(scenario);
    m_board.setReadout(Readout::Meetings, readouts::meetings(m_state.meetCount));
    m_board.setWalkerVisible(Walker::Dog, true);
    m_board.setWalkerVisible(Walker::Momotaro, true);
    m_board.placeWalker(Walker::Dog, m_state.dogX, m_state.dogY);
    m_board.placeWalker(Walker::Momotaro, m_state.momoX, m_state.momoY);
    m_board.setReadout(Readout::Dog, readouts::position(m_state, Walker::Dog));
    m_board.setReadout(Readout::Momotaro, readouts::position(m_state, Walker::Momotaro));
    m_board.setButtonEnabled(Button::BothStart, false);
    m_board.setButtonEnabled(Button::OneStart, false);
    m_board.setButtonEnabled(Button::Stop, false);
    m_board.setButtonEnabled(Button::Start, true);
    m_board.setButtonEnabled(Button::Problem, false);
    m_board.setReadout(Readout::Time, QString());
}

void Experiment::start()
{
    const float timeOfDay = m_services.clock.secondsSinceMidnight();
    m_state.markStart(timeOfDay, m_services.clock.steadySeconds());
    m_board.playCue(ButtonChime);
    m_board.setTimerEnabled(Walker::Dog, true);
    m_board.setTimerEnabled(Walker::Momotaro, true);
    m_board.setButtonEnabled(Button::Stop, true);
    m_board.setButtonEnabled(Button::Start, false);
}

void Experiment::stop()
{
    m_board.playCue(ButtonChime);
    m_board.setButtonEnabled(Button::BothStart, true);
    m_board.setButtonEnabled(Button::OneStart, true);
    m_board.setButtonEnabled(Button::Stop, false);
    m_board.setButtonEnabled(Button::Problem, true);
    m_board.setTimerEnabled(Walker::Dog, false);
    m_board.setTimerEnabled(Walker::Momotaro, false);
}

TickOutcome Experiment::tick(Walker walker)
{
    return walkerTick(walker, m_state, m_services.clock, m_services.random, m_board);
}

void Experiment::confirmExit(CuePlayer &window)
{
    window.playCue(ExitChime);
    m_services.dialogs.messageBox(QStringLiteral("This software will exit."), QStringLiteral("Meetling experiment"));
    endProgram();
}

void Experiment::endProgram()
{
    m_board.setTimerEnabled(Walker::Dog, false);
    m_board.setTimerEnabled(Walker::Momotaro, false);
    m_services.ender.end(0);
}
