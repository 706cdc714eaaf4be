#include "core/simulator/simulatedlink.h"

#include "core/base/errors.h"
#include "core/simulator/simulatedcalibrator.h"

bool SimulatedLink::open()
{
    if (m_open)
        throw ECommsError(QStringLiteral("Already have a comm file open"));
    if (onOpen)
        onOpen();
    m_open = true;
    return true;
}

void SimulatedLink::send(const QByteArray &frame)
{
    if (!m_open)
        throw ECommsError(QStringLiteral("Błąd zapisu do portu komunikacyjnego."),
                          QStringLiteral("Port komunikacyjny nie jest otwarty."));
    m_calibrator.feed(frame);
}
