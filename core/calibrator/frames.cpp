#include "core/calibrator/frames.h"

#include "core/calibrator/calibratorranges.h"
#include "core/document/real48.h"

#include <QString>

#include <algorithm>

namespace Frames {

QByteArray wrap(const QByteArray &commands)
{
    QByteArray frame;
    frame.reserve(commands.size() + 2);
    frame.append(STX);
    frame.append(commands);
    frame.append(ETX);
    return frame;
}

QByteArray rangeCommand(int range)
{
    return QByteArray(CalibratorRanges::range(range).command);
}

QByteArray functionCommand(int function)
{
    Q_ASSERT(function >= DC && function <= VariableFrequency);
    QByteArray command("F");
    command.append(char('0' + function));
    return command;
}

int rangeDecimals(int range)
{
    return CalibratorRanges::range(range).decimals;
}

QByteArray valueText(long double value, int decimals)
{
    // QByteArray::number never uses the locale, so the separator is always '.'.
    QByteArray text = QByteArray::number(static_cast<double>(value), 'f', decimals);
    // A tiny negative value rounds to "-0.000"; the calibrator takes no sign.
    if (text.startsWith('-') &&
        std::all_of(text.cbegin() + 1, text.cend(), [](char c) { return c == '0' || c == '.'; }))
        text.remove(0, 1);
    return text;
}

QByteArray valueText(qint64 count, int decimals)
{
    const bool negative = count < 0;
    QByteArray digits = QByteArray::number(negative ? -count : count);
    if (decimals > 0) {
        if (digits.size() <= decimals)
            digits.prepend(QByteArray(decimals - digits.size() + 1, '0'));
        digits.insert(digits.size() - decimals, '.');
    }
    if (negative)
        digits.prepend('-');
    return digits;
}

int frequencyDecimals(double hertz)
{
    int decimals = FrequencyBand::Bands.front().decimals;
    for (const FrequencyBand::Band &band : FrequencyBand::Bands) {
        if (hertz >= band.lowest)
            decimals = band.decimals;
    }
    return decimals;
}

QByteArray frequencyText(double hertz)
{
    return QByteArray::number(hertz, 'f', frequencyDecimals(hertz));
}

QByteArray variableFrequencyText(double hertz)
{
    // A frequency read back from its file goes out as it was typed (45.3,
    // not 45.2999999999884): an instrument with a short input buffer takes
    // the few digits it needs.
    return QByteArray::number(Real48::shortestDecimal(hertz), 'g', 15);
}

QByteArray variableFrequencyCommand(double hertz)
{
    return QByteArray("F4V") + variableFrequencyText(hertz);
}

QByteArray functionForFrequency(int function, double hertz)
{
    if (function == VariableFrequency)
        return variableFrequencyCommand(hertz);
    return functionCommand(function);
}

QByteArray standbyFrame()
{
    return wrap("S");
}

QByteArray operateFrame()
{
    return wrap("O");
}

QByteArray resetFrame()
{
    return wrap("C");
}

QByteArray frequencyFunctionFrame()
{
    return wrap("F4");
}

QByteArray frequencyFrame(double hertz)
{
    return wrap(QByteArray("V") + frequencyText(hertz));
}

QByteArray rangeAndFunction(int range, const QByteArray &function)
{
    if (function.isEmpty())
        return rangeCommand(range);
    if (function == "F0")
        return rangeCommand(range) + function;
    return function + rangeCommand(range);
}

QByteArray panelSettingFrame(int range, int function, const QByteArray &value, bool frequencyMode,
                             bool functionChanged)
{
    QByteArray prefix;
    if (frequencyMode || !functionChanged)
        prefix = rangeCommand(range);
    else
        prefix = rangeAndFunction(range, functionCommand(function));
    return wrap(prefix + 'N' + value);
}

QByteArray measurementSettingFrame(int range, const QByteArray &function, const QByteArray &value)
{
    return wrap(rangeAndFunction(range, function) + 'N' + value + 'O');
}

} // namespace Frames
