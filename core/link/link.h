#pragma once

#include <QByteArray>
#include <QString>

// Every byte the program sends to the calibrator goes through one Link.
// The program uses SerialLink; tests use a recording one.
class Link
{
public:
    virtual ~Link() = default;

    // The device the next open uses ("COM2", "/dev/ttyUSB0"); an open link
    // keeps the device it has.
    virtual void setPortName(const QString &portName) = 0;
    virtual QString portName() const = 0;

    // Throws ECommsError when the port is already open or cannot be opened.
    virtual bool open() = 0;
    // Does nothing when the link is closed.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Sends one whole command frame. Throws ECommsError when the operating
    // system refuses a write.
    virtual void send(const QByteArray &frame) = 0;
};
