#pragma once

#include "core/calibrator/calibratormodel.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QtGlobal>

#include <optional>

// What the simulated calibrator is set to. Amounts are exact counts, as on
// the front panel: values in millionths of the range's unit, frequencies in
// millihertz.
struct CalibratorState
{
    int range = 0;    // the row of the calibrator's table, 0..10
    int function = 0; // 0..4 for "F0".."F4"
    qint64 value = 0;
    // The last frequency set by "V" or "F4V"; 0 until one came. Function 4
    // runs at it.
    qint64 setFrequency = 0;
    bool operate = false;

    // The output frequency: 0 on DC, 50, 60 or 400 Hz on F1..F3, the set
    // frequency on F4.
    qint64 frequency() const;
    QString rangeText() const;    // "10V"
    QString unit() const;         // "V"
    QString functionText() const; // "F0"
    // The value as the display shows it: with the range's decimals.
    QByteArray valueText() const;

    bool operator==(const CalibratorState &) const = default;
};

// The faults the simulator reports. A frame with one of them changes
// nothing.
enum class SimulatorFault {
    ByteOutsideFrame,
    MissingEtx,
    FrameTooLong,
    UnknownCommand,
    NotANumber,
    BeyondSettingLimit,
    NotOnThisModel,
    FrequencyOutOfBand,
};

// One frame or fault, as it was handled.
struct SimulatorEvent
{
    // The commands between STX and ETX; the byte outside a frame; what came
    // of a frame before the next STX.
    QByteArray frame;
    CalibratorState state; // after the frame
    std::optional<SimulatorFault> fault;
    QString error; // a Polish text naming the fault; empty for none
};

// An R-707 of the chosen model on the receiving end of the line: it takes the
// bytes the program sends, in pieces of any size, keeps the instrument's
// state and tells of every frame and every fault of the protocol.
//
// A frame is carried out whole or not at all: the first faulty command
// throws the frame away with everything before it, as the instrument
// refuses a frame it cannot read.
class SimulatedCalibrator : public QObject
{
    Q_OBJECT

public:
    // Longer frames cannot come from the program; they are refused whole.
    static constexpr int MaximumFrameLength = 256;

    explicit SimulatedCalibrator(const CalibratorModel &model = {}, QObject *parent = nullptr);

    const CalibratorModel &model() const { return m_model; }
    // Another model is another instrument: it starts in its power-on state.
    void setModel(const CalibratorModel &model);

    const CalibratorState &state() const { return m_state; }
    static CalibratorState powerOnState() { return {}; }

    // A count of the last of `scale` decimals written as short as it goes,
    // with '.': 1500000 at scale 6 is "1.5", 2000000 at scale 3 is "2000".
    static QByteArray numberText(qint64 count, int scale);

    void feed(const char *data, qsizetype size);
    void feed(const QByteArray &bytes) { feed(bytes.constData(), bytes.size()); }
    bool insideFrame() const { return m_insideFrame; }

Q_SIGNALS:
    void handled(const SimulatorEvent &event);

private:
    struct Fault
    {
        SimulatorFault kind;
        QString text;
    };

    class Execution;

    void frameEnded();
    std::optional<Fault> execute(const QByteArray &commands, CalibratorState &state) const;
    void report(const QByteArray &frame, std::optional<Fault> fault);

    CalibratorModel m_model;
    CalibratorState m_state;
    QByteArray m_frame;
    bool m_insideFrame = false;
    bool m_frameTooLong = false;
};
