#pragma once

#include "core/link/link.h"

#include <functional>

class SimulatedCalibrator;

// The link to the simulated calibrator inside the program: every frame goes
// straight to it, with no device in between. It opens, refuses and closes as
// the serial link does, so the program cannot tell them apart.
class SimulatedLink : public Link
{
public:
    explicit SimulatedLink(SimulatedCalibrator &calibrator) : m_calibrator(calibrator) {}

    void setPortName(const QString &portName) override { m_portName = portName; }
    QString portName() const override { return m_portName; }
    bool open() override;
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void send(const QByteArray &frame) override;

    // Called at every open, before the first frame: the program brings the
    // instrument to its model and puts its display on the screen.
    std::function<void()> onOpen;

private:
    SimulatedCalibrator &m_calibrator;
    QString m_portName;
    bool m_open = false;
};
