#pragma once

#include "core/calibrator/calibratormodel.h"

class Clock;
class Link;
class Prompts;

// What the windows of the program share: the one calibrator link, the clock
// that paces the frames, the prompts, and the calibrator model, which the main
// window reloads at every activation.
struct Services
{
    Link &link;
    Clock &clock;
    Prompts &prompts;
    CalibratorModel model;
};
