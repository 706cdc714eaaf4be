#include "core/characteristic/numbertext.h"

#include "core/calibrator/calibratorranges.h"
#include "core/calibrator/frames.h"
#include "core/document/real48.h"

#include <QLocale>

#include <algorithm>

namespace NumberText {

namespace {

QLocale numberLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

} // namespace

QString general(long double value)
{
    // A range typed as 2,05V comes back from its file as 2,05V, not as the
    // 2,04999999999927 the stored bits hold to fifteen digits.
    return numberLocale().toString(Real48::shortestDecimal(value), 'g', 15);
}

QString fixed(long double value, int decimals)
{
    QString text = QString::number(static_cast<double>(value), 'f', decimals);
    // A tiny negative result would show as -0,000.
    if (text.startsWith(QLatin1Char('-')) &&
        text.count(QLatin1Char('0')) + text.count(QLatin1Char('.')) == text.size() - 1)
        text.remove(0, 1);
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString entry(long double value)
{
    return fixed(value, 7).left(8);
}

std::optional<QString> bandFrequency(long double hertz)
{
    // The band edges as stored, so a typed 99,99 is still in its band.
    const auto inBand = [hertz](const FrequencyBand::Band &band) {
        return hertz >= band.lowest && hertz <= Real48::stored(band.highest);
    };
    if (std::none_of(FrequencyBand::Bands.begin(), FrequencyBand::Bands.end(), inBand))
        return std::nullopt;
    const double value = static_cast<double>(hertz);
    return numberLocale().toString(value, 'f', Frames::frequencyDecimals(value));
}

std::optional<long double> fromDot(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace NumberText
