#pragma once

#include "core/base/prompts.h"
#include "core/characteristic/gridtags.h"
#include "core/characteristic/uncertainty.h"

#include <QList>
#include <QString>
#include <QStringList>

// The two areas of a characteristic grid: the meter's ranges on the left,
// the points of the current range on the right.
enum class GridArea { Ranges, Points };

// What a column's cells are: typed into, chosen from a list, only shown, or
// a tick.
enum class CellKind { Edit, List, Shown, Tick };

// A cell of either area, by column and row (both from 1).
struct GridCellRef
{
    GridArea area = GridArea::Ranges;
    int column = 0;
    int row = 0;

    friend bool operator==(const GridCellRef &, const GridCellRef &) = default;
};

// What the user left in a cell: the edit's text and whether he changed it,
// or the item a list shows.
struct CellInput
{
    QString text;
    bool edited = false;
    int item = -1;
};

// What leaving a cell, or choosing a list item, did.
struct CellOutcome
{
    // A box to show; with refused the cell keeps the focus.
    QString message;
    QString caption;
    PromptIcon icon = PromptIcon::None;
    bool refused = false;
    // The record was written and the document counts as changed.
    bool changed = false;
    // The "Zakres" box describes the cell's range row again.
    bool summary = false;
    // "Po&miary" becomes usable.
    bool enablesMeasuring = false;
    // The user was asked already, in a dialog of the rules' own: a list
    // entered so does not open as well.
    bool asked = false;
};

// The "Zakres" group box: the current range repeated in words.
struct RangeSummary
{
    QString zakres;
    QString czestotliwosc;
    QString kmm;
    QString kmz;
};

// The colour a header is drawn on: olive over what the user types per
// range, green over the point column he types into, teal over results.
enum class HeaderTone { Input, Entry, Result };

// One caption of the grid's header band, over columns first..last of an
// area. A header fills the band's height, or its upper or lower half.
struct GridHeader
{
    enum Band { Whole, Upper, Lower };

    QString name;
    QString caption;
    GridArea area = GridArea::Ranges;
    int first = 1;
    int last = 1;
    Band band = Whole;
    HeaderTone tone = HeaderTone::Input;
};

// One characteristic as the grid shows and edits it: the amplitude table
// and the frequency table are each one set of these rules over the one
// grid. Everything the rules show comes from the record, and only the
// calls that say so write into it.
class GridRules
{
public:
    virtual ~GridRules() = default;

    virtual GridTags tags() const = 0;
    // Whether the record has a table for these rules: a page without one
    // shows its first row and takes nothing into it.
    virtual bool inUse() const { return true; }
    virtual CellKind kind(GridArea area, int column) const = 0;
    // The longest text an edit takes; 0 for no limit.
    virtual int maxLength(GridArea area, int column) const = 0;
    // The point column the user types or chooses a point in.
    virtual int entryColumn() const = 0;
    // Where Enter on the last point row goes: the first point row, or, when
    // the points do not all fit, the ON button.
    virtual bool lastPointGoesToButton() const = 0;

    // The current range (1..35), kept with the document.
    virtual int currentRange() const = 0;
    virtual void setCurrentRange(int k) = 0;
    // Ranges in use, and whether range k holds one.
    virtual int rangeCount() const = 0;
    virtual bool rangeDefined(int k) const = 0;
    // Points of the current range: defined ones, whether point j is, and
    // whether its results are there to show.
    virtual int pointCount() const = 0;
    virtual bool pointDefined(int j) const = 0;
    virtual bool resultsShown(int j) const = 0;
    // The point rows were shown again from the record.
    virtual void pointsShown() {}

    // What a cell shows from the record. The grid keeps what the user typed
    // into a range row's edits, as typed, until the rows are shown again.
    virtual QString text(GridArea area, int column, int row) const = 0;
    // The items of a list cell and the one it shows.
    virtual QStringList items(const GridCellRef &cell) const = 0;
    virtual int item(const GridCellRef &cell) const = 0;
    // The text of the item a list cell shows.
    QString itemText(const GridCellRef &cell) const { return items(cell).value(item(cell)); }
    // The decision on a measured point under the document's rule: its
    // actual error is shown black, dark orange (either conditional
    // decision) or red.
    virtual Decision decision(int j) const = 0;
    // Whether the point cells are painted silver rather than plain.
    virtual bool silverPoints() const { return false; }
    // The hint a column's cells show under the mouse; empty for none.
    virtual QString hint(GridArea, int) const { return {}; }
    virtual bool ticked(int j) const = 0;

    // Leaving a cell the rules of the column check and store what it
    // holds. A text that does not read may throw ProgramError; nothing is
    // stored then.
    virtual CellOutcome leave(const GridCellRef &cell, const CellInput &input) = 0;
    // Choosing an item of a list.
    virtual CellOutcome choose(const GridCellRef &cell, int item) = 0;
    // Entering a list cell (a list still without its frequency asks for
    // one).
    virtual CellOutcome enter(const GridCellRef &cell) = 0;
    // Enter on a list cell: what it shows is taken again.
    virtual CellOutcome confirm(const GridCellRef &cell, int item) = 0;

    // Point j's tick; true when it changed.
    virtual bool tick(int j, bool on) = 0;
    // ON / OFF for every defined point of the current range.
    virtual bool setTicks(bool on) = 0;
    // Esc on the last range and on the last point.
    virtual void clearRange(int k) = 0;
    virtual void removePoint(int j) = 0;

    // The "Zakres" box for range k, from the texts its row shows (columns
    // 1..4).
    virtual RangeSummary summary(int k, const QStringList &rowTexts) const = 0;
    virtual QList<GridHeader> headers() const = 0;
    // The widest texts a column has to show whole, for every calibrator
    // range and for the document shown; the grid gives its columns the room
    // they need.
    virtual QStringList widestTexts(GridArea area, int column) const = 0;
};
