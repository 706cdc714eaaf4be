#pragma once

#include <QString>
#include <QStringList>

// The connected calibrator's variant. "C" models have the 100 A range, "F"
// models can set the output frequency. Everything that depends on the model
// compares the name; the index only preselects the choice dialog.
struct CalibratorModel
{
    QString name = QStringLiteral("R-707");
    int index = 0;

    static QStringList names();

    bool isKnown() const { return names().contains(name); }
    bool hasHighCurrentRange() const;
    bool hasFrequencySetting() const;

    // The per-user store that stands in for the registry key
    // "\Orvane_Model_Kalibratora" with the values "Model" and "Index".
    static QString storePath();
    // An empty or missing "Model" gives R-707 with index 0 (nothing written
    // back); a missing or non-integer "Index" reads as 0.
    static CalibratorModel load();
    // Writes "Index", then "Model".
    void save() const;

    // "Wykonanie kalibratora: " + name, cut to the 30 characters of the
    // status bar panel.
    QString statusText() const;
};
