#include "core/link/seriallink.h"

#include "core/base/errors.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPort>

#include <memory>
#include <utility>

#include <grp.h>
#include <sys/stat.h>

namespace {

constexpr int writeTimeoutMs = 2000;

// Why a port would not open, in words a technician can act on.
QString openFailureDetail(const QString &device, QSerialPort::SerialPortError error,
                          const QString &systemText)
{
    if (device.isEmpty())
        return QStringLiteral("Nie wybrano portu komunikacyjnego.");
    switch (error) {
    case QSerialPort::PermissionError: {
        struct stat info;
        if (::stat(QFile::encodeName(device).constData(), &info) == 0) {
            if (const group *owner = ::getgrgid(info.st_gid)) {
                return QStringLiteral("Brak uprawnień do %1 (permission denied). Urządzenie "
                                      "należy do grupy %2: dodaj użytkownika do tej grupy.")
                    .arg(device, QString::fromLocal8Bit(owner->gr_name));
            }
        }
        return QStringLiteral("Brak uprawnień do %1 (permission denied).").arg(device);
    }
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("Nie ma urządzenia %1 (no such device).").arg(device);
    default:
        break;
    }
    if (!QFileInfo::exists(device))
        return QStringLiteral("Nie ma urządzenia %1 (no such device).").arg(device);
    return QStringLiteral("%1: %2").arg(device, systemText);
}

} // namespace

SerialLink::SerialLink() = default;

SerialLink::~SerialLink()
{
    close();
}

void SerialLink::setPortName(const QString &portName)
{
    m_portName = portName;
}

QString SerialLink::devicePath(const QString &portName)
{
    static const QRegularExpression comPort(QStringLiteral("^COM([1-9][0-9]*)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comPort.match(portName.trimmed());
    if (match.hasMatch())
        return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);
    return portName.trimmed();
}

bool SerialLink::open()
{
    if (m_port)
        throw ECommsError(QStringLiteral("Already have a comm file open"));

    const QString device = devicePath(m_portName);
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(device);
    if (device.isEmpty() || !port->open(QIODevice::WriteOnly)) {
        throw ECommsError(QStringLiteral("Error opening com port"),
                          openFailureDetail(device, port->error(), port->errorString()));
    }
    // The line settings are fixed by the calibrator; a driver that refuses one
    // of them still gets the others.
    port->setBaudRate(QSerialPort::Baud4800);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    m_port = std::move(port);
    return true;
}

void SerialLink::close()
{
    if (!m_port)
        return;
    // QSerialPort drops bytes still buffered when it closes.
    if (m_port->bytesToWrite() > 0)
        m_port->waitForBytesWritten(writeTimeoutMs);
    m_port->close();
    m_port.reset();
}

bool SerialLink::isOpen() const
{
    return m_port != nullptr;
}

void SerialLink::send(const QByteArray &frame)
{
    if (!m_port)
        throw ECommsError(QStringLiteral("Błąd zapisu do portu komunikacyjnego."),
                          QStringLiteral("Port komunikacyjny nie jest otwarty."));
    for (char byte : frame) {
        const bool written =
            m_port->write(&byte, 1) == 1 &&
            (m_port->bytesToWrite() == 0 || m_port->waitForBytesWritten(writeTimeoutMs));
        if (!written || m_port->error() == QSerialPort::WriteError ||
            m_port->error() == QSerialPort::ResourceError) {
            const QString reason = m_port->errorString();
            m_port->clearError();
            throw ECommsError(QStringLiteral("Błąd zapisu do portu komunikacyjnego."),
                              QStringLiteral("%1: %2").arg(m_port->portName(), reason));
        }
    }
}
