#pragma once

#include "core/link/link.h"

// The program's one link. The port chosen in "Parametry transmisji" decides
// where the frames go: to the serial line, or, for "simulator", to the
// simulated calibrator inside the program. An open link keeps going where it
// went when it opened.
class PortLink : public Link
{
public:
    // The program builds its one PortLink, from members named after each link.
    // NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
    PortLink(Link &serial, Link &simulated) : m_serial(serial), m_simulated(simulated) {}

    void setPortName(const QString &portName) override;
    QString portName() const override { return m_portName; }
    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open && m_open->isOpen(); }
    void send(const QByteArray &frame) override;

    bool usesSimulator() const;

private:
    Link &chosen() const { return usesSimulator() ? m_simulated : m_serial; }

    Link &m_serial;
    Link &m_simulated;
    Link *m_open = nullptr;
    QString m_portName;
};
