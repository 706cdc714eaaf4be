#pragma once

#include "core/output/outputrange.h"

#include <QList>
#include <QString>

#include <array>

class DocumentExtension;
class TDaneSprawdzania;

// The one-page report of a range, as texts: the title, the meter and range
// boxes, the column headers and one row per defined point. ReportLayout
// places it on the page; the painter only draws what that gives.
struct ReportContent
{
    static constexpr int Columns = 7;
    // The actual error: red, with a star, when it is out of tolerance.
    static constexpr int ActualErrorColumn = 3;

    struct Row
    {
        // Columns 1..6 at indexes 0..5; column 7 is the tick.
        std::array<QString, Columns - 1> cells;
        bool ticked = false;
        // The point fails, or fails conditionally, under the document's
        // rule: the actual error (column 3) is red, with a star after the
        // number.
        bool outOfTolerance = false;
    };

    QString title;
    QString nazwa;
    QString numer;
    QString metoda;
    QString zakres;
    // The frequency of an amplitude range, the amplitude of a frequency one.
    QString secondLine;
    QString klasa;
    std::array<QString, Columns> headers;
    // The defined points of the range in their order, gaps closed.
    QList<Row> rows;

    // The report of the range, which must be one the record holds
    // (OutputRanges::refusal() empty) of a document with a method, its
    // points judged under the document's rule.
    static ReportContent fill(const TDaneSprawdzania &record, const DocumentExtension &extension,
                              const OutputRange &range);

    // A value with a fixed number of decimals and a decimal comma (0,0252).
    static QString cellText(long double value, int decimals);
    // The shortest general form, with a decimal comma, that reads back as
    // the stored value: a class of 0.2 shows as 0,2, not with the digits of
    // the six-byte real beyond its precision (0,200000000000045).
    static QString generalText(long double value);
    // Fixed notation rounded to 4 significant digits, 4 decimals: 0,5000.
    static QString fixed4(long double value);
};
