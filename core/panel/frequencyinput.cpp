#include "frequencyinput.h"

#include <cmath>

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

int decimalsFor(double hertz)
{
    if (hertz < 100.0)
        return 2;
    if (hertz < 1000.0)
        return 1;
    return 0;
}

Check check(const QString &text, const QLocale &locale)
{
    bool ok = false;
    double hertz = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(hertz))
        hertz = 0.0;
    Check result;
    if (hertz < MinimumHertz || hertz > MaximumHertz)
        return result;
    result.accepted = true;
    result.hertz = hertz;
    result.text = locale.toString(hertz, 'f', decimalsFor(hertz));
    result.text.remove(locale.groupSeparator());
    return result;
}

} // namespace FrequencyInput
