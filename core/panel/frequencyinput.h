#pragma once

#include <QString>

// A frequency typed by the user, in hertz, as the frequency entry dialog and
// the front panel take it: 45 to 2000 Hz, shown with four significant digits.
namespace FrequencyInput {

// The box that names the allowed bands. On the 100 A range the calibrator
// goes only up to 400 Hz.
QString bandMessage();
QString bandMessageHighCurrent();

struct Check
{
    bool accepted = false;
    double hertz = 0.0;
    // The frequency rewritten with its band's decimals and a decimal comma
    // ("50,00"); empty when not accepted.
    QString text;
};

// Reads the text as the user types numbers (a decimal comma). A text that is
// no number counts as 0 and so falls outside the bands.
Check check(const QString &text);

} // namespace FrequencyInput
