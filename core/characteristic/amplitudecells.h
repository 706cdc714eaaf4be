#pragma once

#include "gridrules.h"

#include <QString>
#include <QStringList>

class TZakresAmpl;
class TZakresCz;
class TPunktAmpl;

// What the cells of the amplitude grids show, and what leaving an edited
// cell writes into the record. Nothing here writes unless it is called for
// a cell the user has changed; showing a record never writes into it.
//
// The range value and the two class cells are the same in both
// characteristics: their rules take a range of either (TZakresAmpl or
// TZakresCz).
namespace AmplitudeCells {

// A box to show after a cell was left, and whether the focus goes back to
// the cell.
struct Outcome
{
    QString message;
    QString caption;
    bool refocus = false;
    // The record was written and the document counts as changed.
    bool changed = false;
};

// The caption of the grid's plain boxes: the program's title.
QString plainCaption();

// The unit of a range text: the last of "V", "A", "mV", "mA" (in that order)
// that occurs anywhere in it, so 100mV gives "mV" and 10mA "mA". Empty when
// none occurs.
QString unitOfRangeText(const QString &text);

// Leaving the value cell of a range: a text without a unit is refused with
// "Źle podana jednostka!" and nothing is stored; a number part that does not
// read throws EConvertError "Źle wprowadzona dana" before anything is
// stored. Otherwise Zak and Jm are stored and the document is changed.
template <typename Range> Outcome leaveRangeValue(Range range, const QString &text);

// Leaving the class cells. An empty text, or one that is not a number, is
// refused with the box of its column. The class of the range may carry an
// additive term after '+', stored as typed (',' turned into '.', at most 7
// characters); a term whose number does not read is refused likewise.
template <typename Range> Outcome leaveClassMeasured(Range range, const QString &text);
template <typename Range> Outcome leaveClassRange(Range range, const QString &text);

// The items of a range's frequency list; item 4 is replaced by the user's
// frequency once there is one.
QStringList frequencyItems();
// Choosing item 0..3 stores its index and frequency (0, 50, 60, 400 Hz).
// Item 4 stores the frequency dialog's text, read with the locale's decimal
// separator; false when that text does not read (nothing is stored then).
bool chooseFrequency(TZakresAmpl range, int item, const QString &hertzText = {});
// The text of item 4 for a stored user frequency ("55,50Hz"); empty when it
// lies outside the three bands.
QString userFrequencyItem(long double hertz);

// Leaving the entry cell of point j. "-1" removes the point. A text that
// does not read, and for a "Cyfrowy" meter a negative setting, are refused
// and nothing is stored. Otherwise the typed field is stored, the point is
// defined and the document is changed.
struct PointOutcome : Outcome
{
    bool removed = false;
    // What the entry cell shows afterwards, when it is rewritten.
    QString shownText;
    bool rewrite = false;
};
PointOutcome leavePoint(TZakresAmpl range, int j, const QString &text, bool cyfrowy);

// ON / OFF: the tick of every defined point of the range. True when a tick
// changed.
bool setTicks(TZakresAmpl range, bool on);

// Texts of a range row as shown from the record.
template <typename Range> QString rangeValueText(const Range &range);
template <typename Range> QString classMeasuredText(const Range &range);
template <typename Range> QString classRangeText(const Range &range);
// The typed value of a point as its entry cell shows it.
QString pointEntryText(const TZakresAmpl &range, int j, bool cyfrowy);

// A measured point, as its row shows it.
struct FullRow
{
    QString wm;
    QString nk;
    QString bmr;
    QString bmd;
    QString bk;
    QString unit;
    bool outOfTolerance = false;
};
FullRow fullRow(const TZakresAmpl &range, const TPunktAmpl &point);

// The "Zakres" group box, from the texts of a range row.
RangeSummary summary(const QString &valueText, const QString &frequencyText,
                     const QString &classMeasuredText, const QString &classRangeText);

} // namespace AmplitudeCells
