#pragma once

#include "core/link/serialsettings.h"

#include <QDialog>

class QComboBox;
class QPushButton;
struct Services;

// "Parametry transmisji": picks the port of the calibrator link. Created once
// at start-up, when it loads "orvane.ini" and gives the link its port.
class TForm_RS232 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_RS232(Services &services, QWidget *parent = nullptr);

    // The device the link opens; empty until a port is chosen.
    QString CommPort() const { return m_commPort; }

    QComboBox *PortCB = nullptr;
    QComboBox *speedCB = nullptr;
    QComboBox *daneCB = nullptr;
    QComboBox *bitStopCB = nullptr;
    QComboBox *ParaCB = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;

    void BitBtn1Click();
    void BitBtn2Click();

    // A port for this session only ("--demo" and the simulator): used and
    // shown, but "orvane.ini" is not written unless the user picks another.
    void useForThisSession(const QString &device);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void listDevices();
    void selectStored(const SerialSettings &settings);
    SerialSettings selected() const;
    void setCommPort(const QString &port);

    Services &m_services;
    QString m_commPort;
    QString m_sessionDevice;
};
