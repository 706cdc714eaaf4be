#pragma once

#include "core/characteristic/gridrules.h"
#include "core/document/tdanesprawdzania.h"

#include <QString>
#include <QStringList>

// What the cells of the amplitude grids show, and what leaving an edited
// cell writes into the record. Nothing here writes unless it is called for
// a cell the user has changed; showing a record never writes into it.
//
// The range value and the two class cells are the same in both
// characteristics: their rules take a range of either (TZakresAmpl or
// TZakresCz).
namespace AmplitudeCells {

// The longest texts the class cells take.
constexpr int ClassMeasuredLength = 6;
constexpr int ClassRangeLength = 13;

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

// What the grid takes from an outcome.
CellOutcome cellOutcome(const Outcome &outcome);

// The longest text an edit of either table takes: the class cells have
// their limits, the others none (0).
int maxLength(GridArea area, int column);

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

// Leaving the value cell (column 1) or a class cell (3 or 4) of a range
// row, as both tables have them; `current` tells whether the row is the
// current range, whose "Zakres" box follows. Nothing for another column.
// A class that changed on a measured range recomputes the errors of its
// points at once, as a measured point does, so that no verdict is left
// from the old class; `analogowy` is the meter's kind, which a frequency
// range's errors depend on.
template <typename Range>
CellOutcome leaveRangeCell(Range range, int column, const QString &text, bool current,
                           bool analogowy);

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

// ON / OFF: the tick of every defined point of a range of either
// characteristic. True when a tick changed.
template <typename Range> bool setTicks(Range range, bool on);

// Texts of a range row as shown from the record.
QString rangeValueText(ConstZakresAmpl range);
QString rangeValueText(ConstZakresCz range);
QString classMeasuredText(ConstZakresAmpl range);
QString classMeasuredText(ConstZakresCz range);
QString classRangeText(ConstZakresAmpl range);
QString classRangeText(ConstZakresCz range);
// The typed value of a point as its entry cell shows it.
QString pointEntryText(ConstZakresAmpl range, int j, bool cyfrowy);

// The results of a measured point of either characteristic, as its row
// shows them: the errors with the point's decimals and, like the calibrator
// error (kept in volts or amperes), in the calibrator unit shown beside
// them.
struct Results
{
    QString bmr;
    QString bmd;
    QString bk;
    QString unit;
};
Results results(ConstZakresAmpl range, ConstPunktAmpl point);
Results results(ConstZakresCz range, ConstPunktCz point);

// A measured point, as its row shows it.
struct FullRow : Results
{
    QString wm;
    QString nk;
    bool outOfTolerance = false;
};
FullRow fullRow(ConstZakresAmpl range, ConstPunktAmpl point);

// What the columns of measured points must have room for, over every
// calibrator range at its highest setting.
enum class ResultColumn { Value, ActualError, PermissibleError, CalibratorError, Unit };
QStringList widestResults(ResultColumn column);
// The same for the result columns 3..6 of a point row, which both tables
// have in one order: actual error, permissible error, calibrator error,
// unit.
QStringList widestPointResults(int column);
// And the range cells both characteristics share.
enum class RangeText { Value, ClassMeasured, ClassRange };
QStringList widestRangeTexts(RangeText column);

// The headers both tables have: "Klasa miernika" over the class columns 3
// and 4 of a range row, and the captions over the result columns 3..6 of a
// point row. Their names end in the table's suffix ("_Cz").
QList<GridHeader> sharedHeaders(const QString &suffix);

// The "Zakres" group box, from the texts of a range row.
RangeSummary summary(const QString &valueText, const QString &frequencyText,
                     const QString &classMeasuredText, const QString &classRangeText);
// The same with its second line given whole.
RangeSummary rangeSummary(const QString &valueText, const QString &secondLine,
                          const QString &classMeasuredText, const QString &classRangeText);
// A text of a range row as the box takes it: at most 13 characters.
QString summaryPiece(const QString &text);

} // namespace AmplitudeCells
