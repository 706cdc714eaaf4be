#pragma once

#include "core/link/link.h"

#include <QString>

#include <memory>

class QSerialPort;

// The calibrator's serial line: opened write-only at 4800 baud, 8 data bits,
// no parity, one stop bit, no flow control. The port name is a device path or
// one of "COM1".."COM4", which stand for /dev/ttyS0../dev/ttyS3.
class SerialLink : public Link
{
public:
    SerialLink();
    ~SerialLink() override;

    void setPortName(const QString &portName) override;
    QString portName() const override { return m_portName; }

    bool open() override;
    void close() override;
    bool isOpen() const override;
    // One write per byte, each flushed before the next, as the calibrator's
    // slow receiver expects.
    void send(const QByteArray &frame) override;

    static QString devicePath(const QString &portName);

private:
    QString m_portName;
    std::unique_ptr<QSerialPort> m_port;
};
