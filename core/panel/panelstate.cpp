#include "core/panel/panelstate.h"

#include "core/base/clock.h"
#include "core/base/prompts.h"
#include "core/calibrator/frames.h"
#include "core/calibrator/services.h"
#include "core/link/link.h"
#include "core/panel/frequencyinput.h"

namespace {

constexpr qint64 Micro = CalibratorRanges::PerUnit;
constexpr int ValueScale = 6;     // amplitudes in millionths of the range unit
constexpr int FrequencyScale = 3; // frequencies in millihertz
constexpr qint64 MinimumFrequency = qint64(FrequencyBand::Lowest) * 1000;
constexpr qint64 MaximumFrequency = qint64(FrequencyBand::Highest) * 1000;
constexpr qint64 MaximumFrequencyHighCurrent = qint64(FrequencyBand::HighestOnHighCurrent) * 1000;
constexpr qint64 ResetFrequency = 2'000'000;

const char *const StandbyToOperate = "standby -> operate";
const char *const OperateToStandby = "operate -> standby";

// Millihertz in hertz, as the frames write a frequency. Every frequency the
// panel holds is far below 2^53 mHz, so the double is exact.
double hertz(qint64 millihertz)
{
    return static_cast<double>(millihertz) / 1000;
}

qint64 power10(int exponent)
{
    qint64 result = 1;
    while (exponent-- > 0)
        result *= 10;
    return result;
}

// The value text sent for an amount in millionths: rounded half up to the
// range's decimals.
QByteArray valueText(qint64 micro, int decimals)
{
    const qint64 unit = power10(ValueScale - decimals);
    return Frames::valueText((micro + unit / 2) / unit, decimals);
}

// Millionths as a number with two decimals and '.', as the out-of-range box
// names the bounds ("0.10", "20.50").
QString boundText(qint64 micro)
{
    const qint64 hundredths = (micro + Micro / 200) / (Micro / 100);
    return QString::fromLatin1(Frames::valueText(hundredths, 2));
}

Glyph glyphOf(char cell)
{
    return cell ? digitGlyph(cell - '0') : Glyph::Clear;
}

} // namespace

QString glyphName(Glyph glyph)
{
    switch (glyph) {
    case Glyph::Clear:
        return QStringLiteral("CYFCLEAR");
    case Glyph::H:
        return QStringLiteral("H");
    case Glyph::Delta:
        return QStringLiteral("DELTA");
    default:
        return QStringLiteral("CYF%1").arg(static_cast<int>(glyph));
    }
}

Glyph digitGlyph(int digit)
{
    Q_ASSERT(digit >= 0 && digit <= 9);
    return static_cast<Glyph>(digit);
}

QString DisplayCells::text() const
{
    QString result;
    for (int i = 7; i >= 0; --i) {
        switch (digits[i]) {
        case Glyph::Clear:
            result += QLatin1Char(' ');
            break;
        case Glyph::H:
            result += QLatin1Char('H');
            break;
        case Glyph::Delta:
            result += QLatin1Char('d');
            break;
        default:
            result += QLatin1Char(char('0' + static_cast<int>(digits[i])));
        }
        if (points[i])
            result += QLatin1Char('.');
    }
    return result;
}

DisplayCells DisplayCells::ofValue(const QByteArray &valueText, int decimals)
{
    QByteArray digits = valueText;
    digits.replace(".", "");
    digits = digits.rightJustified(8, ' ', true);
    DisplayCells cells;
    for (int n = 1; n <= 8; ++n) {
        const char c = digits[8 - n];
        cells.digits[n - 1] =
            c == ' ' ? (n == 1 ? Glyph::Digit0 : Glyph::Clear) : digitGlyph(c - '0');
    }
    cells.points.fill(false);
    if (decimals >= 0 && decimals + 1 <= 8)
        cells.points[decimals] = true;
    return cells;
}

void PanelEntry::clear()
{
    clearDigits();
    m_point = false;
    m_pointPosition = 0;
}

void PanelEntry::clearDigits()
{
    m_cells.fill(0);
    m_count = 0;
}

// The key's digit, then the entry's limit, which each caller gives as a constant.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
bool PanelEntry::addDigit(int digit, int maxDigits)
{
    if (m_count >= maxDigits)
        return false;
    const char character = char('0' + digit);
    if (m_count == 1 && m_cells[m_size - 1] == '0' && !m_point) {
        m_cells[m_size - 1] = character;
    } else {
        ++m_count;
        for (int i = 0; i < m_size - 1; ++i)
            m_cells[i] = m_cells[i + 1];
        m_cells[m_size - 1] = character;
    }
    ++m_pointPosition;
    return true;
}

bool PanelEntry::addPoint()
{
    if (m_point)
        return false;
    m_point = true;
    m_pointPosition = 1;
    if (m_count == 0) {
        m_cells[m_size - 1] = '0';
        m_count = 1;
    }
    return true;
}

qint64 PanelEntry::compose(int scale) const
{
    qint64 number = 0;
    int digits = 0;
    for (int i = 0; i < m_size; ++i) {
        if (m_cells[i]) {
            number = number * 10 + (m_cells[i] - '0');
            ++digits;
        }
    }
    int decimals = m_point ? qBound(0, m_pointPosition - 1, digits) : 0;
    // The keypad cannot type more decimals than the scale holds; cut any
    // excess rather than overflow.
    while (decimals > scale) {
        number /= 10;
        --decimals;
    }
    return number * power10(scale - decimals);
}

void PanelEntry::fill(const QByteArray &text)
{
    clear();
    const qsizetype point = text.indexOf('.');
    for (char c : text) {
        if (c >= '0' && c <= '9' && m_count < m_size) {
            ++m_count;
            for (int i = 0; i < m_size - 1; ++i)
                m_cells[i] = m_cells[i + 1];
            m_cells[m_size - 1] = c;
        }
    }
    if (point >= 0) {
        m_point = true;
        m_pointPosition = int(text.size() - point);
    } else {
        m_pointPosition = m_count;
    }
}

PanelState::PanelState(Services &services) : m_services(services)
{
    Wyswietl();
}

QString PanelState::rangeCaption(int index)
{
    return QLatin1String(CalibratorRanges::range(index).text);
}

QString PanelState::rangeHint(int index)
{
    const CalibratorRanges::CalibratorRange &range = CalibratorRanges::range(index);
    // The highest setting as the user writes it: 2,05, 20,5, 1100.
    QString maximum = QString::fromLatin1(Frames::valueText(range.maximum, ValueScale));
    while (maximum.endsWith(QLatin1Char('0')))
        maximum.chop(1);
    if (maximum.endsWith(QLatin1Char('.')))
        maximum.chop(1);
    maximum.replace(QLatin1Char('.'), QLatin1Char(','));
    return QStringLiteral("zakres %1   maksymalna wartość nastawy %2 %3")
        .arg(rangeCaption(index), maximum, QLatin1String(range.unit));
}

QString PanelState::functionCaption(int function, bool frequencyModel)
{
    switch (function) {
    case 0:
        return QStringLiteral("DC");
    case 1:
        return QStringLiteral("50Hz");
    case 2:
        return QStringLiteral("60Hz");
    case 3:
        return QStringLiteral("400Hz");
    case 4:
        return frequencyModel ? QStringLiteral("ampl") : QStringLiteral("fext");
    default:
        return QStringLiteral("freq");
    }
}

QString PanelState::functionHint(int function, bool frequencyModel)
{
    switch (function) {
    case 0:
        return QStringLiteral("prąd/napięcie stałe");
    case 1:
        return QStringLiteral("częstotliwość 50Hz");
    case 2:
        return QStringLiteral("częstotliwość 60Hz");
    case 3:
        return QStringLiteral("częstotliwość 400Hz");
    case 4:
        return frequencyModel ? QStringLiteral("nastawa amplitudy")
                              : QStringLiteral("częstotliwość zewnętrzna");
    default:
        return QStringLiteral("nastawa częstotliwości (%1 - %2 Hz)")
            .arg(FrequencyBand::Lowest)
            .arg(FrequencyBand::Highest);
    }
}

bool PanelState::frequencyFunctionVisible() const
{
    return m_services.model.hasFrequencySetting();
}

bool PanelState::highCurrentRangeVisible() const
{
    return m_services.model.hasHighCurrentRange();
}

QString PanelState::modelCaption() const
{
    return (QStringLiteral("Kalibrator ") + m_services.model.name).left(18);
}

QString PanelState::standbyHint() const
{
    return QLatin1String(m_standbyDown ? StandbyToOperate : OperateToStandby);
}

void PanelState::setStandby(bool down)
{
    m_standbyDown = down;
}

void PanelState::FormShow()
{
    m_range = m_function = m_sentRange = m_sentFunction = 0;
    m_sentValue = m_value = m_delta = 0;
    m_amplitude.clear();
    m_frequencyEntry.clear();
    m_entryComplete = true;
    m_pendingFunction = false;
    applyButtonEnabling();
    m_pendingFunction = true;
    if (frequencyMode()) {
        CEBtnClick();
        fillFrequencyEntry();
        showFrequencyEntry();
        m_entryComplete = true;
    } else if (m_value > 0) {
        Wyswietl7();
    } else {
        Wyswietl();
    }
}

bool PanelState::FormActivate()
{
    const bool reset = m_resetOnActivation;
    if (reset)
        CBtnClick();
    m_functionChanged = true;
    m_highVoltageWarned = false;
    m_sendCompleted = false;
    return reset;
}

void PanelState::FormClose()
{
    m_resetOnActivation = false;
}

void PanelState::Wyswietl()
{
    for (int n = 1; n <= 8; ++n)
        m_display.digits[n - 1] = glyphOf(m_amplitude.cell(9 - n));
    if (m_amplitude.cell(8) == 0)
        m_display.digits[0] = Glyph::Digit0;
    m_display.points.fill(false);
    if (m_amplitude.hasPoint() && m_amplitude.pointPosition() >= 1 &&
        m_amplitude.pointPosition() <= 8)
        m_display.points[m_amplitude.pointPosition() - 1] = true;
}

void PanelState::Wyswietl7()
{
    m_display = DisplayCells::ofValue(m_sentValueText, CalibratorRanges::range(m_range).decimals);
}

void PanelState::showFrequencyEntry()
{
    m_display.digits[0] = Glyph::Digit2; // with the H beside it, reads "Hz"
    m_display.digits[1] = Glyph::H;
    m_display.digits[2] = Glyph::Clear;
    for (int n = 4; n <= 7; ++n)
        m_display.digits[n - 1] = glyphOf(m_frequencyEntry.cell(8 - n));
    m_display.digits[7] = Glyph::Clear;
    m_display.points.fill(false);
    if (m_frequencyEntry.hasPoint()) {
        const int n = 3 + m_frequencyEntry.pointPosition();
        if (n >= 4 && n <= 7)
            m_display.points[n - 1] = true;
    }
}

void PanelState::showSentFrequency()
{
    m_display.points.fill(false);
    if (m_sentFrequencyDecimals == 1)
        m_display.points[4] = true;
    else if (m_sentFrequencyDecimals == 2)
        m_display.points[5] = true;
    QByteArray digits = m_sentFrequencyText;
    digits.replace(".", "");
    digits = digits.rightJustified(8, ' ', true);
    m_display.digits[0] = Glyph::Digit2;
    m_display.digits[1] = Glyph::H;
    m_display.digits[2] = Glyph::Clear;
    for (int n = 4; n <= 7; ++n) {
        const char c = digits[11 - n];
        m_display.digits[n - 1] =
            c == ' ' ? (n == 4 ? Glyph::Digit0 : Glyph::Clear) : digitGlyph(c - '0');
    }
}

void PanelState::fillFrequencyEntry()
{
    if (m_frequency < MinimumFrequency || m_frequency > MaximumFrequency) {
        m_frequencyEntry.fill("0");
        return;
    }
    m_frequencyEntry.fill(Frames::frequencyText(hertz(m_frequency)));
}

void PanelState::checkRange(int range)
{
    if (range < 0 || range >= RangeCount)
        return;
    if (range == HundredAmpRange && !highCurrentRangeVisible())
        return;
    setRangeRadio(range);
}

void PanelState::checkFunction(int function)
{
    if (function < 0 || function >= FunctionCount)
        return;
    if (function == FrequencyFunction && !frequencyFunctionVisible())
        return;
    if (function == 0 && !m_dcEnabled)
        return;
    setFunctionRadio(function);
}

void PanelState::setRangeRadio(int range)
{
    if (m_checkedRange == range)
        return;
    m_checkedRange = range;
    ZRadioClick(range);
}

void PanelState::setFunctionRadio(int function)
{
    if (m_checkedFunction == function)
        return;
    m_checkedFunction = function;
    FRadioClick(function);
}

void PanelState::PokazZakresUI()
{
    setRangeRadio(m_range);
}

void PanelState::PokazCzestotliwosc()
{
    if (m_function == 0 && m_checkedRange == HundredAmpRange) {
        // No DC on 100 A: the panel shows 50 Hz instead.
        setFunctionRadio(1);
    } else if (m_function == FrequencyFunction) {
        if (frequencyFunctionVisible())
            setFunctionRadio(FrequencyFunction);
        m_frequencyEntryStarted = false;
    } else {
        setFunctionRadio(m_function);
    }
}

void PanelState::applyButtonEnabling()
{
    m_stepKeysEnabled = !frequencyMode();
    m_dcEnabled = m_checkedRange != HundredAmpRange;
}

void PanelState::ZRadioClick(int range)
{
    m_range = range;
    if (frequencyMode()) {
        setFunctionRadio(4);
        if (!CalibratorRanges::isHighVoltage(range)) {
            m_highVoltageWarned = false;
            m_standbyDown = false;
        }
    } else if (!CalibratorRanges::isHighVoltage(range)) {
        m_highVoltageWarned = false;
    }
    if (CalibratorRanges::isHighVoltage(range) && !m_highVoltageWarned) {
        m_services.prompts.show(QStringLiteral("Zaciski wysokonapięciowe  -  HIGH VOLTAGE"),
                                QStringLiteral("Uwaga"), PromptIcon::Warning);
        m_highVoltageWarned = true;
        m_standbyDown = true;
        m_services.link.send(Frames::standbyFrame());
    }
    m_dcEnabled = range != HundredAmpRange;
    KasujPoZmianieZakresu();
}

void PanelState::KasujPoZmianieZakresu()
{
    CEBtnClick();
    PokazCzestotliwosc();
    PokazZakresUI();
    m_delta = 0;
    m_value = 0;
}

void PanelState::FRadioClick(int function)
{
    if (m_checkedRange == HundredAmpRange && m_frequency > MaximumFrequencyHighCurrent)
        m_frequency = MaximumFrequencyHighCurrent;
    // The point goes with the digits: a point left over from an abandoned
    // entry would shift the decimals of the next one.
    m_amplitude.clear();
    Wyswietl();
    if (!m_sendCompleted) {
        m_value = 0;
        Wyswietl();
        CEBtnClick();
    }
    m_functionChanged = true;
    applyButtonEnabling();
    m_frequencyEntryStarted = false;
    m_pendingFunction = true;
    m_function = function;
    if (frequencyMode()) {
        m_frequencyEntry.clear();
        fillFrequencyEntry();
        showFrequencyEntry();
        m_enteredFrequency = m_frequencyEntry.compose(FrequencyScale);
    } else if (m_value > 0) {
        Wyswietl7();
    } else {
        Wyswietl();
    }
}

void PanelState::CyfraClick(int digit)
{
    if (digit < 0 || digit > 9)
        return;
    if (frequencyMode())
        frequencyDigit(digit);
    else
        DodajCyfre(digit);
}

void PanelState::DodajCyfre(int digit)
{
    // Seven digits at most: the eighth cell is kept for the leading blank.
    if (!m_amplitude.addDigit(digit, 7))
        return;
    m_entryComplete = false;
    Wyswietl();
}

void PanelState::KrBtnClick()
{
    if (frequencyMode())
        frequencyPoint();
    else
        DodajKropke();
}

void PanelState::DodajKropke()
{
    if (!m_amplitude.addPoint())
        return;
    Wyswietl();
    m_entryComplete = false;
}

void PanelState::frequencyDigit(int digit)
{
    if (!m_frequencyEntryStarted)
        m_frequencyEntry.clear();
    if (m_frequencyEntry.addDigit(digit, 4)) {
        m_entryComplete = false;
        showFrequencyEntry();
    }
    m_frequencyEntryStarted = true;
    m_functionChanged = true;
}

void PanelState::frequencyPoint()
{
    if (!m_frequencyEntry.addPoint())
        return;
    showFrequencyEntry();
    m_entryComplete = false;
}

void PanelState::CEBtnClick()
{
    if (frequencyMode()) {
        m_frequencyEntry.clear();
        showFrequencyEntry();
        m_display.digits[3] = Glyph::Digit0;
    } else {
        m_amplitude.clear();
        Wyswietl();
    }
    m_entryComplete = false;
}

void PanelState::CBtnClick()
{
    m_range = m_function = m_sentRange = m_sentFunction = 0;
    m_frequency = m_enteredFrequency = ResetFrequency;
    m_delta = m_value = m_sentValue = 0;
    setRangeRadio(0);
    setFunctionRadio(0);
    CEBtnClick();
    m_services.link.send(Frames::resetFrame());
    m_services.clock.pause(CalibratorPauses::BetweenFrames);
    sendStandbyOrOperate();
    PokazCzestotliwosc();
    PokazZakresUI();
    m_entryComplete = true;
}

void PanelState::SBtnClick()
{
    // The button toggles from the state it shows. The hint always names the
    // change a click makes, so it is derived from the same state.
    m_standbyDown = !m_standbyDown;
    m_services.link.send(m_standbyDown ? Frames::standbyFrame() : Frames::operateFrame());
}

void PanelState::sendStandbyOrOperate()
{
    m_services.link.send(m_standbyDown ? Frames::standbyFrame() : Frames::operateFrame());
}

void PanelState::leaveFrequencyMode()
{
    applyButtonEnabling();
    PokazZakresUI();
    if (m_value > 0)
        Wyswietl7();
    else
        Wyswietl();
    setFunctionRadio(4);
}

void PanelState::UBtnClick()
{
    if (frequencyMode()) {
        leaveFrequencyMode();
        return;
    }
    m_range = m_range > 3 ? 0 : m_range + 1;
    PokazZakresUI();
}

void PanelState::IBtnClick()
{
    if (frequencyMode()) {
        leaveFrequencyMode();
        return;
    }
    const int last = highCurrentRangeVisible() ? HundredAmpRange : HundredAmpRange - 1;
    m_range = (m_range >= 5 && m_range < last) ? m_range + 1 : 5;
    PokazZakresUI();
}

void PanelState::FBtnClick()
{
    m_functionChanged = true;
    applyButtonEnabling();
    m_pendingFunction = true;
    const int last = frequencyFunctionVisible() ? FrequencyFunction : 4;
    m_function = m_function >= last ? 0 : m_function + 1;
    PokazCzestotliwosc();
}

void PanelState::EBtnClick()
{
    if (!m_entryComplete) {
        if (!frequencyMode())
            m_value = m_amplitude.compose(ValueScale);
        Wyslij();
        m_entryComplete = true;
        m_pendingFunction = false;
        recordSentSetting();
    } else if (m_pendingFunction) {
        m_pendingFunction = false;
        Wyslij();
        recordSentSetting();
    }
}

void PanelState::recordSentSetting()
{
    // The stepping keys start from what the calibrator really has, so a value
    // refused as out of range does not become the sent setting.
    if (!m_sendCompleted)
        return;
    m_sentValue = m_value;
    m_sentFunction = m_function;
    m_sentRange = m_range;
}

void PanelState::Wyslij()
{
    m_sendCompleted = false;
    const bool frequency = frequencyMode();
    QByteArray frequencyText;
    if (frequency) {
        m_enteredFrequency = m_frequencyEntry.compose(FrequencyScale);
        m_frequency = m_enteredFrequency;
        const bool highCurrent = m_checkedRange == HundredAmpRange;
        const qint64 upper = highCurrent ? MaximumFrequencyHighCurrent : MaximumFrequency;
        if (m_frequency < MinimumFrequency || m_frequency > upper) {
            m_services.prompts.show(highCurrent ? FrequencyInput::bandMessageHighCurrent()
                                                : FrequencyInput::bandMessage(),
                                    QStringLiteral("Błędna wartość częstotliwości"));
            m_frequency = m_frequency < MinimumFrequency ? MinimumFrequency : upper;
        }
        frequencyText = Frames::frequencyText(hertz(m_frequency));
    }

    const CalibratorRanges::CalibratorRange &r = CalibratorRanges::range(m_range);
    const qint64 minimum = CalibratorRanges::acMinimumCount(m_range);
    if (m_value > r.maximum || (m_function > 0 && m_value < minimum)) {
        m_services.prompts.show(
            QStringLiteral("Na zakresie %1%2 nastawa może zawierać się w "
                           "przedziale  %3 - %4 %2")
                .arg(r.nominal / Micro)
                .arg(QLatin1String(r.unit), boundText(minimum), boundText(r.maximum)),
            QStringLiteral("Przekroczenie zakresu"));
        CEBtnClick();
        return;
    }

    const QByteArray value = valueText(m_value, r.decimals);
    // "freq" goes out as the fourth function, with its frequency.
    const int function = qMin(m_function, int(Frames::VariableFrequency));
    const QByteArray setting =
        Frames::panelSettingFrame(m_range, function, value, frequency, m_functionChanged);
    if (frequency) {
        m_sentFrequencyText = frequencyText;
        m_sentFrequencyDecimals = Frames::frequencyDecimals(hertz(m_frequency));
        showSentFrequency();
        m_frequencyEntry.clear();
    } else {
        m_sentValueText = value.left(8);
        Wyswietl7();
        m_amplitude.clear();
    }

    if (frequency && m_functionChanged) {
        m_services.link.send(Frames::frequencyFunctionFrame());
        m_services.clock.pause(CalibratorPauses::BetweenFrames);
        m_services.link.send(Frames::frequencyFrame(hertz(m_frequency)));
        m_services.clock.pause(CalibratorPauses::AfterFrequency);
    }
    m_services.link.send(setting);
    m_services.clock.pause(CalibratorPauses::BetweenFrames);
    sendStandbyOrOperate();
    m_services.clock.pause(CalibratorPauses::AfterSend);
    m_functionChanged = false;
    m_sendCompleted = true;
}

qint64 PanelState::stepAmount(StepKind kind) const
{
    switch (kind) {
    case StepKind::Small:
        return CalibratorRanges::smallStep(m_range);
    case StepKind::Large:
        return CalibratorRanges::largeStep(m_range);
    case StepKind::Delta:
        return m_delta;
    }
    return 0;
}

void PanelState::beginStep()
{
    PokazCzestotliwosc();
    m_pendingFunction = false;
    m_range = m_sentRange;
    PokazZakresUI();
    m_value = m_sentValue;
}

void PanelState::endStep()
{
    if (m_sendCompleted)
        m_sentValue = m_value;
    m_entryComplete = true;
}

void PanelState::stepUp(StepKind kind)
{
    beginStep();
    const qint64 amount = stepAmount(kind);
    if (amount != 0 && m_value + amount <= CalibratorRanges::range(m_range).maximum) {
        m_value += amount;
        Wyslij();
    }
    endStep();
}

void PanelState::stepDown(StepKind kind)
{
    beginStep();
    const qint64 amount = stepAmount(kind);
    // Off DC the value must stay at the range's minimum; the one-millionth
    // margin lets a value typed with six decimals step down onto it.
    const qint64 lowerBound = m_function == 0 ? 0 : CalibratorRanges::acMinimumCount(m_range) - 1;
    if (amount != 0 && lowerBound <= m_value - amount) {
        m_value -= amount;
        Wyslij();
    }
    endStep();
}

void PanelState::UpBtnClick()
{
    stepUp(StepKind::Small);
}

void PanelState::DUpBtnClick()
{
    stepUp(StepKind::Large);
}

void PanelState::DownBtnClick()
{
    stepDown(StepKind::Small);
}

void PanelState::DDownBtnClick()
{
    stepDown(StepKind::Large);
}

void PanelState::PlusDeltaBtnClick()
{
    stepUp(StepKind::Delta);
}

void PanelState::MinDeltaBtnClick()
{
    stepDown(StepKind::Delta);
}

void PanelState::DeltaBtnClick()
{
    const qint64 typed = m_amplitude.compose(ValueScale);
    if (typed > 0) {
        m_delta = typed;
        m_display.digits[7] = Glyph::Delta;
    }
    m_amplitude.clear();
    m_entryComplete = true;
}

bool PanelState::keyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool alt = modifiers & Qt::AltModifier;
    const bool control = modifiers & Qt::ControlModifier;
    const bool keypad = modifiers & Qt::KeypadModifier;
    if (control)
        return false;
    if (key >= Qt::Key_0 && key <= Qt::Key_9 && !alt) {
        CyfraClick(key - Qt::Key_0);
        return true;
    }
    if ((key == Qt::Key_Plus || key == Qt::Key_Minus) && keypad) {
        // The stepping keys are off in frequency mode, from the keyboard too.
        if (m_stepKeysEnabled) {
            if (key == Qt::Key_Plus)
                alt ? DUpBtnClick() : UpBtnClick();
            else
                alt ? DDownBtnClick() : DownBtnClick();
        }
        return true;
    }
    if (alt)
        return false;
    switch (key) {
    case Qt::Key_Period:
    case Qt::Key_Comma:
        KrBtnClick();
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        CEBtnClick();
        return true;
    case Qt::Key_E:
        EBtnClick();
        return true;
    case Qt::Key_S:
        SBtnClick();
        return true;
    case Qt::Key_C:
        CBtnClick();
        return true;
    case Qt::Key_U:
        UBtnClick();
        return true;
    case Qt::Key_I:
        IBtnClick();
        return true;
    case Qt::Key_F:
        FBtnClick();
        return true;
    case Qt::Key_D:
        if (m_stepKeysEnabled)
            DeltaBtnClick();
        return true;
    case Qt::Key_PageUp:
        if (m_stepKeysEnabled)
            PlusDeltaBtnClick();
        return true;
    case Qt::Key_PageDown:
        if (m_stepKeysEnabled)
            MinDeltaBtnClick();
        return true;
    default:
        return false;
    }
}
