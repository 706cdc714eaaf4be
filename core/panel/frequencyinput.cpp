#include "core/panel/frequencyinput.h"

#include "core/base/localnumber.h"
#include "core/calibrator/calibratorranges.h"
#include "core/calibrator/frames.h"

#include <QLocale>

namespace FrequencyInput {

QString bandMessage()
{
    return QStringLiteral("Wartość częstotliwości może zawierać się w przedziałach:\r\n"
                          "                                 45,00 - 99,99 Hz\r\n"
                          "                                 100,0 - 999,9 Hz\r\n"
                          "                                 1000 - 2000 Hz");
}

QString bandMessageHighCurrent()
{
    return QStringLiteral("Wartość częstotliwości może zawierać się w przedziałach:\r\n"
                          "                                 45,00 - 99,99 Hz\r\n"
                          "                                 100,0 - 400,0 Hz\r\n");
}

Check check(const QString &text)
{
    const double hertz = static_cast<double>(readLocalNumber(text).value_or(0));
    Check result;
    if (hertz < FrequencyBand::Lowest || hertz > FrequencyBand::Highest)
        return result;
    result.accepted = true;
    result.hertz = hertz;
    result.text = QString::fromLatin1(Frames::frequencyText(hertz));
    result.text.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return result;
}

} // namespace FrequencyInput
