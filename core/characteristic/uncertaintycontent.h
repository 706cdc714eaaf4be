#pragma once

#include "core/characteristic/uncertainty.h"
#include "core/document/characteristic.h"

#include <QList>
#include <QString>
#include <QStringList>

class DocumentSession;
class TDaneSprawdzania;

// The "Niepewność" tab of a characteristic, as texts: the meter's
// resolution on the range shown, one row per measured point of that range
// with its indication and setting, e, T, U, the ratio and the decision in
// words, all in the point's calibrator unit, and at the foot the rule, the
// count per decision and the lowest ratio.
struct UncertaintyContent
{
    struct Row
    {
        int point = 0;
        // Columns() in order.
        QStringList cells;
        Decision decision = Decision::Pass;
    };

    // "Zakres: 10V"; empty without a range.
    QString zakres;
    // The unit the resolution is typed in: the range's Jm.
    QString unit;
    // The resolution as its edit shows it; empty when not given.
    QString resolution;
    // The range is one the record holds: its resolution may be typed.
    bool editable = false;
    QList<Row> rows;
    // "Reguła: Cztery strefy (ILAC-G8 4.2.3)".
    QString rule;
    // "zgodny: 3, warunkowo zgodny: 1, warunkowo niezgodny: 0, niezgodny: 0".
    QString counts;
    // "Najniższy TUR: 3,8:1".
    QString lowestTur;
    // "bez składowej rozdzielczości" when the range has no resolution.
    QString resolutionNote;

    static QStringList columns();

    // Range k of a characteristic.
    static UncertaintyContent fill(const TDaneSprawdzania &record,
                                   const DocumentExtension &extension,
                                   Characteristic characteristic, int k);

    // The user typed the resolution of a range (in its unit, with the
    // locale's decimal comma; empty for none): the document takes it. The
    // refusal's text for one that is no number or is negative, empty when
    // it was taken.
    static QString enterResolution(DocumentSession &session, Characteristic characteristic, int k,
                                   const QString &text);
};
