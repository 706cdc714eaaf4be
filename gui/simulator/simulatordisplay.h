#pragma once

#include <QWidget>

#include <array>

class DigitCell;
class PointCell;
class QLabel;
class SimulatedCalibrator;
struct SimulatorEvent;

// The simulated calibrator as its front shows it: the value on the
// seven-segment display, the range, the function and frequency, the operate
// lamp, and the last fault of the protocol. It follows every frame.
class SimulatorDisplay : public QWidget
{
    Q_OBJECT

public:
    explicit SimulatorDisplay(SimulatedCalibrator &calibrator, QWidget *parent = nullptr);

    // Shows the window beside the program's window where the screen has
    // room for it, otherwise in the screen's top right corner, without
    // taking the keyboard from the program. It is a window like any other:
    // the program's windows may come in front of it.
    void showBeside(const QWidget *window);

    // Where a window of `size` goes beside `window` within `available`: to
    // its right, else to its left, else in the top right corner.
    static QPoint placeBeside(const QRect &available, const QRect &window, const QSize &size);

    // The seven-segment display as it reads ("  12.5000") and the lamp.
    QString displayText() const;
    bool operateLit() const { return m_operate; }

    std::array<DigitCell *, 8> Cyfra{};
    std::array<PointCell *, 8> Kropka{};

private:
    void refresh();
    void noteFault(const SimulatorEvent &event);

    SimulatedCalibrator &m_calibrator;
    QLabel *m_model = nullptr;
    QLabel *m_unit = nullptr;
    QLabel *m_range = nullptr;
    QLabel *m_function = nullptr;
    QLabel *m_frequency = nullptr;
    QLabel *m_lamp = nullptr;
    QLabel *m_output = nullptr;
    QLabel *m_fault = nullptr;
    int m_faults = 0;
    bool m_operate = false;
};
