#include "core/simulator/portlink.h"

#include "core/link/serialsettings.h"

void PortLink::setPortName(const QString &portName)
{
    m_portName = portName;
    m_serial.setPortName(portName);
    m_simulated.setPortName(portName);
}

bool PortLink::usesSimulator() const
{
    return m_portName == SerialSettings::SimulatorDevice;
}

bool PortLink::open()
{
    // A second open is refused by the link that is open, in its words.
    if (m_open)
        return m_open->open();
    Link &link = chosen();
    link.open();
    m_open = &link;
    return true;
}

void PortLink::close()
{
    if (!m_open)
        return;
    Link *open = m_open;
    m_open = nullptr;
    open->close();
}

void PortLink::send(const QByteArray &frame)
{
    (m_open ? *m_open : chosen()).send(frame);
}
