#include "core/simulator/simulatedcalibrator.h"

#include "core/calibrator/calibratorranges.h"
#include "core/calibrator/frames.h"

#include <array>
#include <limits>

namespace {

constexpr int ValueScale = 6;     // millionths of the range's unit
constexpr int FrequencyScale = 3; // millihertz
constexpr qint64 LowestFrequency = qint64(FrequencyBand::Lowest) * 1000;
constexpr qint64 HighestFrequency = qint64(FrequencyBand::Highest) * 1000;
constexpr std::array<qint64, 4> FixedFrequencies{0, 50'000, 60'000, 400'000};
// Beyond every limit of the table, and far from overflowing.
constexpr qint64 Huge = std::numeric_limits<qint64>::max() / 100;

qint64 power10(int exponent)
{
    qint64 result = 1;
    while (exponent-- > 0)
        result *= 10;
    return result;
}

bool isCommandLetter(char c)
{
    switch (c) {
    case 'Z':
    case 'F':
    case 'N':
    case 'V':
    case 'O':
    case 'S':
    case 'C':
        return true;
    default:
        return false;
    }
}

QString hex(char byte)
{
    return QString::number(static_cast<unsigned char>(byte), 16)
        .toUpper()
        .rightJustified(2, QLatin1Char('0'));
}

// A command or number text as the fault names it: printable ASCII as it
// is, anything else as \xHH.
QString printable(const QByteArray &bytes)
{
    QString text;
    for (char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c >= 0x20 && c < 0x7f)
            text += QLatin1Char(byte);
        else
            text += QLatin1String("\\x") + hex(byte);
    }
    return text;
}

QString withComma(QByteArray text)
{
    return QString::fromLatin1(text.replace('.', ','));
}

// A number as the calibrator takes it: digits with at most one '.', no sign,
// no exponent, rounded half up to `scale` decimals. A number too large for
// any range reads as Huge.
std::optional<qint64> readNumber(const QByteArray &text, int scale)
{
    qint64 whole = 0;
    qint64 fraction = 0;
    int fractionDigits = 0;
    bool point = false;
    bool digits = false;
    bool roundUp = false;
    bool huge = false;
    for (char c : text) {
        if (c == '.') {
            if (point)
                return std::nullopt;
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (!point) {
                if (whole > Huge / 10)
                    huge = true;
                else
                    whole = whole * 10 + (c - '0');
            } else if (fractionDigits < scale) {
                fraction = fraction * 10 + (c - '0');
                ++fractionDigits;
            } else if (fractionDigits == scale) {
                roundUp = c >= '5';
                ++fractionDigits;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    const qint64 unit = power10(scale);
    if (huge || whole > Huge / unit)
        return Huge;
    for (int i = qMin(fractionDigits, scale); i < scale; ++i)
        fraction *= 10;
    return whole * unit + fraction + (roundUp ? 1 : 0);
}

} // namespace

qint64 CalibratorState::frequency() const
{
    if (function >= 0 && function < int(FixedFrequencies.size()))
        return FixedFrequencies[function];
    return setFrequency;
}

QString CalibratorState::rangeText() const
{
    return QLatin1String(CalibratorRanges::range(range).text);
}

QString CalibratorState::unit() const
{
    return QLatin1String(CalibratorRanges::range(range).unit);
}

QString CalibratorState::functionText() const
{
    return QString::fromLatin1(Frames::functionCommand(function));
}

QByteArray CalibratorState::valueText() const
{
    const int decimals = CalibratorRanges::range(range).decimals;
    const qint64 unit = power10(ValueScale - decimals);
    return Frames::valueText((value + unit / 2) / unit, decimals);
}

SimulatedCalibrator::SimulatedCalibrator(const CalibratorModel &model, QObject *parent)
    : QObject(parent), m_model(model)
{}

void SimulatedCalibrator::setModel(const CalibratorModel &model)
{
    if (model.name == m_model.name)
        return;
    m_model = model;
    m_state = powerOnState();
}

QByteArray SimulatedCalibrator::numberText(qint64 count, int scale)
{
    QByteArray text = Frames::valueText(count, scale);
    if (scale > 0) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
    }
    return text;
}

void SimulatedCalibrator::feed(const char *data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        const char byte = data[i];
        if (byte == Frames::STX) {
            if (m_insideFrame)
                report(m_frame, Fault{SimulatorFault::MissingEtx,
                                      QStringLiteral("Ramka bez ETX przed następnym STX")});
            m_insideFrame = true;
            m_frameTooLong = false;
            m_frame.clear();
        } else if (!m_insideFrame) {
            report(QByteArray(1, byte),
                   Fault{SimulatorFault::ByteOutsideFrame,
                         QStringLiteral("Bajt 0x%1 poza ramką").arg(hex(byte))});
        } else if (byte == Frames::ETX) {
            frameEnded();
        } else if (m_frame.size() < MaximumFrameLength) {
            m_frame.append(byte);
        } else {
            m_frameTooLong = true;
        }
    }
}

void SimulatedCalibrator::frameEnded()
{
    m_insideFrame = false;
    if (m_frameTooLong) {
        report(m_frame,
               Fault{SimulatorFault::FrameTooLong,
                     QStringLiteral("Ramka dłuższa niż %1 bajtów").arg(MaximumFrameLength)});
        return;
    }
    CalibratorState next = m_state;
    const std::optional<Fault> fault = execute(m_frame, next);
    if (!fault)
        m_state = next;
    report(m_frame, fault);
}

// One frame's commands carried out in order on a copy of the state, one
// handler per command letter. The first fault ends the frame.
class SimulatedCalibrator::Execution
{
public:
    Execution(const QByteArray &commands, const CalibratorModel &model, CalibratorState &state)
        : m_commands(commands), m_model(model), m_state(state)
    {}

    std::optional<Fault> run()
    {
        if (m_commands.isEmpty())
            return Fault{SimulatorFault::UnknownCommand, QStringLiteral("Pusta ramka")};
        while (m_pos < m_commands.size()) {
            const char letter = m_commands[m_pos++];
            std::optional<Fault> fault;
            switch (letter) {
            case 'Z':
                fault = range();
                break;
            case 'F':
                fault = function();
                break;
            case 'V':
                fault = frequency();
                break;
            case 'N':
                fault = value();
                break;
            case 'O':
                m_state.operate = true;
                break;
            case 'S':
                m_state.operate = false;
                break;
            case 'C':
                m_state = powerOnState();
                break;
            default:
                return unknown(QByteArray(1, letter));
            }
            if (fault)
                return fault;
        }
        return std::nullopt;
    }

private:
    std::optional<Fault> range()
    {
        if (m_pos >= m_commands.size())
            return unknown("Z");
        const QByteArray command = m_commands.mid(m_pos - 1, 2);
        ++m_pos;
        const std::optional<int> index =
            CalibratorRanges::indexOfCommand(QString::fromLatin1(command));
        if (!index)
            return unknown(command);
        if (*index > CalibratorRanges::lastRange(m_model.hasHighCurrentRange()))
            return Fault{SimulatorFault::NotOnThisModel,
                         QStringLiteral("Kalibrator %1 nie ma zakresu %2 (%3)")
                             .arg(m_model.name, QLatin1String(CalibratorRanges::range(*index).text),
                                  CalibratorRanges::command(*index))};
        // Another range starts from nothing: a value kept from the old one
        // could lie far beyond the new range's limit.
        if (*index != m_state.range) {
            m_state.range = *index;
            m_state.value = 0;
        }
        return std::nullopt;
    }

    // "F0".."F4", and "F4V" with a frequency.
    std::optional<Fault> function()
    {
        if (m_pos >= m_commands.size() || m_commands[m_pos] < '0' || m_commands[m_pos] > '4')
            return unknown(m_commands.mid(m_pos - 1, 2));
        const int function = m_commands[m_pos++] - '0';
        if (function == Frames::VariableFrequency && m_pos < m_commands.size() &&
            m_commands[m_pos] == 'V') {
            ++m_pos;
            const QByteArray text = argument();
            if (!m_model.hasFrequencySetting())
                return missingFrequency("F4V");
            if (std::optional<Fault> fault = setFrequency(text))
                return fault;
        }
        m_state.function = function;
        return std::nullopt;
    }

    std::optional<Fault> frequency()
    {
        const QByteArray text = argument();
        if (!m_model.hasFrequencySetting())
            return missingFrequency("V");
        return setFrequency(text);
    }

    std::optional<Fault> value()
    {
        const QByteArray text = argument();
        const std::optional<qint64> value = readNumber(text, ValueScale);
        if (!value)
            return Fault{SimulatorFault::NotANumber,
                         QStringLiteral("Wartość „%1” nie jest liczbą").arg(printable(text))};
        const CalibratorRanges::CalibratorRange &range = CalibratorRanges::range(m_state.range);
        if (*value > range.maximum)
            return Fault{SimulatorFault::BeyondSettingLimit,
                         QStringLiteral("Nastawa %1 %2 przekracza granicę nastawy zakresu "
                                        "%3 (%4 %2)")
                             .arg(withComma(text), QLatin1String(range.unit),
                                  QLatin1String(range.text),
                                  withComma(numberText(range.maximum, ValueScale)))};
        m_state.value = *value;
        return std::nullopt;
    }

    // A "V" or "F4V" frequency: read, checked against the band, set.
    std::optional<Fault> setFrequency(const QByteArray &text)
    {
        const std::optional<qint64> hertz = readNumber(text, FrequencyScale);
        if (!hertz)
            return Fault{SimulatorFault::NotANumber,
                         QStringLiteral("Częstotliwość „%1” nie jest liczbą").arg(printable(text))};
        if (*hertz < LowestFrequency || *hertz > HighestFrequency)
            return Fault{SimulatorFault::FrequencyOutOfBand,
                         QStringLiteral("Częstotliwość %1 Hz poza przedziałem %2 - %3 Hz")
                             .arg(withComma(text))
                             .arg(FrequencyBand::Lowest)
                             .arg(FrequencyBand::Highest)};
        m_state.setFrequency = *hertz;
        return std::nullopt;
    }

    // The text that follows a command letter: up to the next command letter
    // or the end of the frame.
    QByteArray argument()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_commands.size() && !isCommandLetter(m_commands[m_pos]))
            ++m_pos;
        return m_commands.mid(start, m_pos - start);
    }

    static Fault unknown(const QByteArray &command)
    {
        return Fault{SimulatorFault::UnknownCommand,
                     QStringLiteral("Nieznane polecenie „%1”").arg(printable(command))};
    }

    Fault missingFrequency(const char *command) const
    {
        return Fault{SimulatorFault::NotOnThisModel,
                     QStringLiteral("Kalibrator %1 nie ma nastawy częstotliwości (%2)")
                         .arg(m_model.name, QLatin1String(command))};
    }

    const QByteArray &m_commands;
    const CalibratorModel &m_model;
    CalibratorState &m_state;
    qsizetype m_pos = 0;
};

std::optional<SimulatedCalibrator::Fault> SimulatedCalibrator::execute(const QByteArray &commands,
                                                                       CalibratorState &state) const
{
    return Execution(commands, m_model, state).run();
}

void SimulatedCalibrator::report(const QByteArray &frame, std::optional<Fault> fault)
{
    SimulatorEvent event;
    event.frame = frame;
    event.state = m_state;
    if (fault) {
        event.fault = fault->kind;
        event.error = fault->text;
    }
    Q_EMIT handled(event);
}
