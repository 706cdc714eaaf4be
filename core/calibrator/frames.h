#pragma once

#include <QByteArray>

// The one place that fixes the bytes sent to the calibrator. A frame is STX,
// one or more ASCII commands back to back, ETX; no length, no checksum. The
// calibrator never answers, so the senders pace themselves with pauses.
//
// Number texts always use '.', whatever the user's locale.
namespace Frames {

constexpr char STX = '\x02';
constexpr char ETX = '\x03';

// Functions, in the order of the function commands. The fourth, "F4", has
// no frequency of its own: it is the external frequency ("fext") of the
// R-707 and R-707C and the adjustable one ("ampl") of the models with a
// frequency setting, which the verification side sends as "F4V" with the
// frequency.
enum Function { DC = 0, AC50 = 1, AC60 = 2, AC400 = 3, VariableFrequency = 4 };

QByteArray wrap(const QByteArray &commands);

// The range command of a range of the calibrator's table: "Z0".."Z9" and,
// for 100 A, "Z:", the character after '9'.
QByteArray rangeCommand(int range);
QByteArray functionCommand(int function);
// Decimals of the value text of a range, from the calibrator's table.
int rangeDecimals(int range);

// Fixed point, no exponent, no thousands separator.
QByteArray valueText(long double value, int decimals);
// The same for a value held exactly as a count of its last decimal
// (count 150 with 1 decimal is 15.0).
QByteArray valueText(qint64 count, int decimals);
// The decimals a frequency is written and shown with: 2 below 100 Hz
// (45.00), 1 below 1000 Hz (400.0), none from 1000 Hz on (2000).
int frequencyDecimals(double hertz);
// Frequency text of the "V" command, with those decimals.
QByteArray frequencyText(double hertz);
// Frequency text of the "F4V" command: the shortest decimal that stores as
// the same six-byte real, as 1000, 45.5 or 45.3.
QByteArray variableFrequencyText(double hertz);
// "F4V" followed by the frequency text.
QByteArray variableFrequencyCommand(double hertz);
// The function command the verification side sends for a frequency: the
// fixed "F0".."F3" for DC, 50, 60 and 400 Hz, and for VariableFrequency the
// variable-frequency command with the frequency in hertz.
QByteArray functionForFrequency(int function, double hertz);

QByteArray standbyFrame();               // STX S ETX
QByteArray operateFrame();               // STX O ETX
QByteArray resetFrame();                 // STX C ETX
QByteArray frequencyFunctionFrame();     // STX F4 ETX, before a "V" frame
QByteArray frequencyFrame(double hertz); // STX V<frequency> ETX

// Range and function commands in the order the calibrator needs: for DC the
// range first, for any other function the function first. An empty function
// command leaves the function as it is.
QByteArray rangeAndFunction(int range, const QByteArray &function);

// The front panel's setting frame, without operate or standby (those follow
// in a frame of their own). In frequency mode the function has already gone
// out in the "F4" and "V" frames, so only the range goes with the value; the
// function travels only while it has changed since the last send.
QByteArray panelSettingFrame(int range, int function, const QByteArray &value, bool frequencyMode,
                             bool functionChanged);

// The verification side's setting frame, with the operate command inside:
// STX [function] range N value O ETX.
QByteArray measurementSettingFrame(int range, const QByteArray &function, const QByteArray &value);

} // namespace Frames
