#include "core/measure/exactreadinglogic.h"

#include "core/base/errors.h"
#include "core/base/localnumber.h"
#include "core/calibrator/calibratorranges.h"
#include "core/calibrator/frames.h"
#include "core/calibrator/services.h"
#include "core/link/link.h"

#include <QLocale>

#include <cmath>

namespace {

qint64 powerOfTen(int exponent)
{
    qint64 result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

qint64 toMillionths(long double value)
{
    return std::llround(value * ExactReadingLogic::PerUnit);
}

EConvertError notANumber(const QString &text)
{
    return EConvertError(QStringLiteral("'%1' nie jest poprawną wartością liczbową.").arg(text));
}

// A count of millionths with the given decimals and the locale's separator,
// rounded half away from zero.
QString localText(qint64 millionths, int decimals)
{
    const qint64 divisor = powerOfTen(6 - decimals);
    const qint64 magnitude = (std::llabs(millionths) + divisor / 2) / divisor;
    QString text =
        QString::fromLatin1(Frames::valueText(millionths < 0 ? -magnitude : magnitude, decimals));
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

} // namespace

ExactReadingLogic::ExactReadingLogic(Services &services, MeasurementState &state, Variant variant)
    : m_services(services), m_state(state), m_variant(variant)
{}

ExactReadingSettings &ExactReadingLogic::settings()
{
    return m_variant == Variant::Amplitude ? m_state.PomiaryDO : m_state.PomiaryDO_Cz;
}

const ExactReadingSettings &ExactReadingLogic::settings() const
{
    return m_variant == Variant::Amplitude ? m_state.PomiaryDO : m_state.PomiaryDO_Cz;
}

void ExactReadingLogic::setIndication(const QString &text)
{
    m_indication = text;
    if (m_variant != Variant::Amplitude || text.isEmpty())
        return;
    // The display follows the new indication at once, before any activation,
    // but nothing goes to the calibrator yet.
    m_setting = startSetting(m_indication, m_meterRange, m_calibratorRange, m_variant);
    m_display = localText(m_setting, 6);
}

void ExactReadingLogic::activate(int upDownPosition)
{
    m_setting = startSetting(m_indication, m_meterRange, m_calibratorRange, m_variant);
    m_display = TekstNastawy(m_setting);
    resetStep();
    m_selectedDigit = 1;
    m_previousPosition = upDownPosition;
    WyslijNastawe();
}

void ExactReadingLogic::UstawKrok(int tag, bool down)
{
    resetStep();
    if (down && tag >= 1 && tag <= DigitCount)
        m_step *= powerOfTen(tag - 1);
    m_selectedDigit = down ? tag : 0;
}

void ExactReadingLogic::step(int position)
{
    if (position > m_previousPosition) {
        const qint64 candidate = m_setting + m_step;
        if (candidate <= toMillionths(settings().NastawaMax))
            m_setting = candidate;
    } else if (position < m_previousPosition) {
        const qint64 candidate = m_setting - m_step;
        if (candidate >= toMillionths(settings().NastawaMin))
            m_setting = candidate;
    }
    if (m_setting < 0)
        m_setting = 0;
    m_previousPosition = position;
    m_display = TekstNastawy(m_setting);
    WyslijNastawe();
}

void ExactReadingLogic::WyslijNastawe()
{
    const QString &function = settings().FunkcjaKal;
    const QByteArray range = KodZakresu(m_calibratorRange);
    QByteArray commands;
    // The calibrator keeps its function, so it is sent only when it changes.
    // On DC the range must come first, on AC the function.
    if (function == m_state.OstatniaFunkcja)
        commands = range;
    else if (function == QLatin1String("F0"))
        commands = range + "F0";
    else
        commands = function.toLatin1() + range;
    commands += 'N' + Frames::valueText(m_setting, 6) + 'O';
    m_services.link.send(Frames::wrap(commands));
    m_state.OstatniaFunkcja = function;
}

void ExactReadingLogic::resetStep()
{
    // One unit of the range's last decimal; a range without known decimals
    // keeps the step it had.
    const int decimals = settings().DoklKal;
    if (decimals >= 3 && decimals <= 6)
        m_step = powerOfTen(6 - decimals);
}

QString ExactReadingLogic::TekstNastawy(qint64 millionths)
{
    // Seven significant digits up to the range's overrange. Zero and below
    // take six decimals, so that the text always reads back as the setting.
    int decimals = 3;
    if (millionths <= 2'050'000)
        decimals = 6;
    else if (millionths <= 20'500'000)
        decimals = 5;
    else if (millionths <= 205'000'000)
        decimals = 4;
    return localText(millionths, decimals).rightJustified(9, QLatin1Char(' '));
}

QString ExactReadingLogic::TekstNastawy(long double value)
{
    return TekstNastawy(toMillionths(value));
}

std::optional<std::array<int, ExactReadingLogic::DigitCount>>
ExactReadingLogic::UlozPrzyciski(int DoklKal)
{
    // The display's nine character cells lie 12 px apart from x = 11; the
    // buttons skip the cell of the decimal comma.
    switch (DoklKal) {
    case 3:
        return std::array<int, DigitCount>{107, 95, 83, 59, 47, 35, 23, 11};
    case 4:
        return std::array<int, DigitCount>{107, 95, 83, 71, 47, 35, 23, 11};
    case 5:
        return std::array<int, DigitCount>{107, 95, 83, 71, 59, 35, 23, 11};
    case 6:
        return std::array<int, DigitCount>{107, 95, 83, 71, 59, 47, 23, 11};
    default:
        return std::nullopt;
    }
}

QByteArray ExactReadingLogic::KodZakresu(const QString &rangeText)
{
    const std::optional<int> range = CalibratorRanges::indexOfText(rangeText);
    return range ? Frames::rangeCommand(*range) : QByteArray();
}

std::optional<ExactReadingLogic::Limits> ExactReadingLogic::limitsFor(const QString &rangeText,
                                                                      bool alternating)
{
    const std::optional<int> range = CalibratorRanges::indexOfText(rangeText);
    if (!range)
        return std::nullopt;
    Limits limits;
    limits.NastawaMax = CalibratorRanges::settingLimit(*range);
    // The calibrator cannot give AC below 1 % of the range.
    if (alternating)
        limits.NastawaMin = CalibratorRanges::acMinimum(*range);
    return limits;
}

long double ExactReadingLogic::readSetting(const QString &text)
{
    const std::optional<long double> value = readLocalNumber(text);
    if (!value)
        throw notANumber(text);
    return *value;
}

qint64 ExactReadingLogic::startSetting(const QString &indication, const QString &meterRange,
                                       const QString &calibratorRange, Variant variant)
{
    QString number = indication;
    number.chop(Units::isMilli(indication) ? 2 : 1);
    const std::optional<long double> read = readLocalNumber(number);
    if (!read)
        throw notANumber(number);
    long double value = *read;

    // A meter range in one unit may be measured on a calibrator range of the
    // other: only the "m" of the two units decides.
    bool divided = false;
    if (Units::isMilli(meterRange) && !Units::isMilli(calibratorRange)) {
        value /= 1000;
        divided = true;
    } else if (!Units::isMilli(meterRange) && Units::isMilli(calibratorRange)) {
        value *= 1000;
    }

    const int decimals = (variant == Variant::Frequency && !divided) ? 4 : 6;
    const qint64 unit = powerOfTen(6 - decimals);
    return std::llround(value * powerOfTen(decimals)) * unit;
}
