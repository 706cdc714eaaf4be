#pragma once

#include <QString>

// What a run hands an exact-reading dialog for one point. Each of the two
// dialogs (amplitude and frequency) has a set of its own.
struct ExactReadingSettings
{
    // Lowest setting a downward step may reach, in the unit of the calibrator
    // range; 0 on DC, 1 % of the range on AC.
    long double NastawaMin = 0;
    // Highest setting an upward step may reach.
    long double NastawaMax = 0;
    // Decimals of the calibrator range, 3 to 6; the step of the last digit.
    int DoklKal = 0;
    // Function command of the point: "F0", "F1", "F2", "F3" or "F4V" with a
    // frequency.
    QString FunkcjaKal;
};

// The state the measurement runs and their dialogs share for as long as the
// program runs. One object, owned by whoever owns the dialogs, passed by
// reference to the runs and the dialogs.
struct MeasurementState
{
    // The function command an exact-reading dialog sent last. Both dialogs
    // share it, so the calibrator is sent a function only when it changes.
    QString OstatniaFunkcja;
    // The high-voltage warning has been given and not yet cancelled by a point
    // on a lower range or by an abort in a dialog.
    bool OstrzezenieWN = false;

    ExactReadingSettings PomiaryDO;
    ExactReadingSettings PomiaryDO_Cz;

    // Called when the operator starts measurements: the first frame of the
    // run then carries its function whatever was sent before, and the first
    // high-voltage point warns whatever an earlier run left on the output.
    void startMeasurements()
    {
        OstatniaFunkcja.clear();
        OstrzezenieWN = false;
    }
};
