#pragma once

#include "core/panel/panelstate.h"

#include <QDialog>

#include <array>
#include <exception>
#include <functional>

class DigitCell;
class PointCell;
class QLabel;
class QPushButton;
class QRadioButton;
struct Services;

// "Pulpit sterujący", the calibrator's front panel. Shown modally by the main
// window while the link is open. The window only forwards keys and clicks to
// its PanelState and mirrors what the state shows.
class TForm_Pulpit : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_Pulpit(Services &services, QWidget *parent = nullptr);

    // The standby button SBtn: down means standby.
    void setStandby(bool standby);
    bool standby() const { return m_state.standbyDown(); }

    // The reset of the "C" key: STX C ETX, 100 ms, then standby or operate.
    void Button_CClick();

    // Set after a new calibrator model is chosen: the next activation resets
    // the calibrator for it.
    void requestResetOnActivation() { m_state.requestResetOnActivation(); }

    // A frame could not be written since the panel was last shown. The panel
    // has shown why, closed the link and closed itself.
    bool linkFailed() const { return m_linkFailed; }

    PanelState &state() { return m_state; }
    const PanelState &state() const { return m_state; }

    QLabel *Panel_ModelKalibratora = nullptr;
    std::array<QRadioButton *, PanelState::RangeCount> Z{};
    std::array<QRadioButton *, PanelState::FunctionCount> F{};
    std::array<QPushButton *, 10> SButton{};
    QPushButton *KrSBtn = nullptr;
    QPushButton *CESBtn = nullptr;
    QPushButton *UBtn = nullptr;
    QPushButton *IBtn = nullptr;
    QPushButton *FBtn = nullptr;
    QPushButton *EBtn = nullptr;
    QPushButton *SBtn = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *DeltaBtn = nullptr;
    QPushButton *MinDeltaBtn = nullptr;
    QPushButton *PlusDeltaBtn = nullptr;
    QPushButton *DDownBtn = nullptr;
    QPushButton *DownBtn = nullptr;
    QPushButton *UpBtn = nullptr;
    QPushButton *DUpBtn = nullptr;
    // Index 0 is Cyfra1 / Kropka1, the rightmost cell.
    std::array<DigitCell *, 8> Cyfra{};
    std::array<PointCell *, 8> Kropka{};

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildDisplay();
    void buildRadios();
    void buildKeys();
    QPushButton *addKey(const QString &caption, const QString &hint, const QRect &geometry,
                        void (PanelState::*handler)());
    void previewKeys(QWidget *widget);
    // Runs one handler of the state and brings the controls in line with it.
    // Nothing it throws leaves the panel: a frame that cannot be written ends
    // the panel's work (see linkFailed()).
    void run(const std::function<void()> &handler);
    void fail(const std::exception &error);
    void refresh();
    bool handleKey(QKeyEvent *event);

    Services &m_services;
    PanelState m_state;
    bool m_linkFailed = false;
    bool m_showing = false;
};
