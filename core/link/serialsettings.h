#pragma once

#include <QString>
#include <QStringList>

// The choices of the "Parametry transmisji" dialog as stored in "orvane.ini",
// section "COMM". Each key holds the index of the chosen entry of its list.
// Only the port matters: the line runs at 4800 8N1 whatever the other four
// lists say, and they are merely kept.
struct SerialSettings
{
    static constexpr int PortNone = 0;
    static constexpr int FixedPortCount = 5; // "[none]", "COM1".."COM4"

    int port = 2;     // COM2
    int speed = 4;    // 4800
    int dataBits = 3; // 8
    int stopBits = 0; // 1
    int parity = 0;   // none
    // A device beyond COM4 (a USB adapter, a virtual port) or a path typed by
    // the user. When set, it is the port.
    QString device;

    // The calibrator simulated inside the program: a device of its own name,
    // listed in the dialog by its caption.
    static inline const QString SimulatorDevice = QStringLiteral("simulator");
    static inline const QString SimulatorCaption = QStringLiteral("Symulator kalibratora");

    static QStringList fixedPorts();
    static QStringList speeds();
    static QStringList dataBitsList();
    static QStringList stopBitsList();
    static QStringList parities();

    static QString filePath();
    static SerialSettings load();
    void save() const;

    // The port the link opens for these settings; empty for "[none]".
    QString commPort() const;
};
