#pragma once

#include <QDialog>

struct Services;

// "Pulpit sterujący", the calibrator's front panel. Shown modally by the main
// window while the link is open.
class TForm_Pulpit : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_Pulpit(Services &services, QWidget *parent = nullptr);

    // The standby button SBtn: down means standby.
    void setStandby(bool standby);
    bool standby() const { return m_standby; }

    // The reset of the "C" key: STX C ETX, 100 ms, then standby or operate.
    void Button_CClick();

    // Set after a new calibrator model is chosen: the next activation resets
    // the calibrator for it.
    void requestResetOnActivation() { m_resetOnActivation = true; }

private:
    Services &m_services;
    bool m_standby = true;
    bool m_resetOnActivation = false;
};
