#pragma once

#include <QDate>

// The calibrator never answers, so the program paces itself with fixed pauses
// between frames. Every such pause goes through a Clock, which tests replace
// with one that returns at once and records the pause. The clock is also the
// calendar: the day a run measures on, and the day a certificate is issued,
// come from it, so that tests can say which day it is.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual void pause(int milliseconds) = 0;
    virtual QDate today() const { return QDate::currentDate(); }
};

// Waits in a local event loop that lets the windows repaint but drops user
// input, so a pause never makes the program look hung and no click slips in
// between two frames.
class EventLoopClock : public Clock
{
public:
    void pause(int milliseconds) override;
};
