#include "core/walkstate.h"

void WalkState::resetOnLoad()
{
    runMode = RunMode::Idle;
    meetCount = 0;
}

void WalkState::setStart(StartField field, Int16 value)
{
    switch (field) {
    case StartField::MomoX: momoStartX = value; break;
    case StartField::MomoY: momoStartY = value; break;
    case StartField::DogX: dogStartX = value; break;
    case StartField::DogY: dogStartY = value; break;
    }
}

void WalkState::place(Scenario scenario)
{
    dogX = dogStartX;
    dogY = dogStartY;
    momoX = momoStartX;
    momoY = momoStartY;
    runMode = scenario == Scenario::BothWalk ? RunMode::BothWalk : RunMode::DogWalks;
    meetCount = 0;
}
