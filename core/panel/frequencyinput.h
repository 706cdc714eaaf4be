#pragma once

#include <QLocale>
#include <QString>

// A frequency typed by the user, in hertz, as the frequency entry dialog and
// the front panel take it: 45 to 2000 Hz, shown with four significant digits.
namespace FrequencyInput {

constexpr double MinimumHertz = 45.0;
constexpr double MaximumHertz = 2000.0;

// The box that names the allowed bands. On the 100 A range the calibrator
// goes only up to 400 Hz.
QString bandMessage();
QString bandMessageHighCurrent();

// 2 decimals from 45 to 99.99 Hz, 1 from 100 to 999.9 Hz, none from 1000 Hz on.
int decimalsFor(double hertz);

struct Check
{
    bool accepted = false;
    double hertz = 0.0;
    // The frequency rewritten with its band's decimals in the given locale
    // ("50,00"); empty when not accepted.
    QString text;
};

// Reads the text in the locale's number format. A text that is no number
// counts as 0 and so falls outside the bands.
Check check(const QString &text, const QLocale &locale = QLocale());

} // namespace FrequencyInput
