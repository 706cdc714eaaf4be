#pragma once

#include "core/characteristic/gridrules.h"
#include "core/characteristic/rowscroller.h"

#include <QObject>

#include <array>
#include <optional>

class DocumentSession;
class Prompts;

// The background a cell is painted on: the current range's row yellow, the
// other range rows silver, point cells plain.
enum class CellShade { Plain, Idle, Current };

// A cell as the grid shows it.
struct GridCell
{
    bool visible = false;
    CellKind kind = CellKind::Shown;
    QString text;
    CellShade shade = CellShade::Plain;
    // The actual error of a point that fails: red text.
    bool alarm = false;
    // The actual error of a point with a conditional decision: dark orange
    // text.
    bool caution = false;
    bool checked = false;
    // The point being measured.
    bool inProgress = false;
};

// The grid of one characteristic: range rows and point rows, which of them
// are open, the cell being edited, Enter and Esc, the scrolling of both
// areas, and the point a run is measuring. What it shows comes from the
// record through its rules; the record is written only when a cell the user
// edited is left, a list item is chosen, a tick is clicked, or a range or a
// point is removed.
//
// The grid has one cell under edit at a time. Whoever holds the editor
// tells the grid what is in it when the cell is left (moveTo, leave,
// pressEnter); nothing else commits an edit. Showing a document, changing
// the current range, scrolling and closing a document never pass through
// those calls, so none of them can write into the record.
class CharacteristicGrid : public QObject
{
    Q_OBJECT

public:
    static constexpr int Rows = GridTags::Rows;

    // How a cell is left: by the user, who sees a refusal and gets the cell
    // back; or for a write, when a refused edit stays where it is, unsaid.
    enum class CommitMode { Interactive, Quiet };

    CharacteristicGrid(GridRules &rules, DocumentSession &session, Prompts &prompts,
                       QObject *parent = nullptr);

    GridRules &rules() { return m_rules; }
    const GridRules &rules() const { return m_rules; }

    // Showing; none of these writes into the record.
    // Every row closed; with show, the first range row open and empty.
    void clear(bool show);
    // The rows of the record, range 1 current with its points, the
    // "Zakres" box and the bars.
    void showDocument();
    // A new, empty document: its first range row.
    void showNewDocument();
    // A run changed point j of the current range.
    void refreshPoint(int j);
    // The point a run is measuring (0 for none): its row is highlighted and
    // scrolled into view.
    void setProgressRow(int j);
    int progressRow() const { return m_progress; }

    GridCell cell(GridArea area, int column, int row) const;
    // The "Zakres" box for range k, from what its row shows.
    RangeSummary summary(int k) const;
    GridCell cell(const GridCellRef &ref) const { return cell(ref.area, ref.column, ref.row); }
    bool rowOpen(GridArea area, int row) const;
    int currentRange() const { return m_rules.currentRange(); }
    std::optional<GridCellRef> currentCell() const { return m_current; }
    // A cell the user may enter: open, and typed into or chosen from.
    bool enterable(const GridCellRef &ref) const;
    // Entering the cell under edit asked the user something already.
    bool enteredByAsking() const { return m_enteredByAsking; }

    // The user's moves. `input` is what the cell being left holds. False
    // when that cell refused it and keeps the edit.
    bool moveTo(const GridCellRef &target, const CellInput &input);
    // The next or the previous cell to enter, row by row: the ranges, then
    // the points.
    std::optional<GridCellRef> neighbour(const GridCellRef &from, int step) const;
    // The cell is left for something outside the grid, or committed before
    // a write (Quiet): the cell under edit is checked and stored.
    bool leave(const CellInput &input, CommitMode mode);
    // The document goes: the edit under way is dropped, unstored.
    void discardEdit();
    void pressEnter(const CellInput &input);
    void pressEscape();
    void choose(int item);
    void toggleTick(int j, bool on, const CellInput &input);
    void setTicks(bool on);

    // Scrolling. The group box under the grid decides how many rows fit.
    void setGroupBoxTop(int top) { m_groupBoxTop = top; }
    int groupBoxTop() const { return m_groupBoxTop; }
    // Lays both bars out for the current counts (after a switch to this
    // characteristic).
    void layoutBars();
    // After the window was resized.
    void resized(int groupBoxTop);
    void scrollTo(GridArea area, int position);
    const RowScroller &scroller(GridArea area) const;
    bool barShown(GridArea area) const;

Q_SIGNALS:
    // Something shown changed: cells, colours, bars.
    void changed();
    // The cell under edit changed: the editor goes there, with the cell's
    // text, or away when there is none.
    void currentCellChanged();
    // The cell under edit refused what was left in it: the editor keeps its
    // text and takes the focus back.
    void editRefused();
    // The focus goes to the ON button.
    void buttonFocusRequested();
    // The "Zakres" box describes range row k.
    void summaryChanged(int k);
    // Another document is shown: the texts the columns must hold may have
    // changed.
    void documentShown();

private:
    QString text(GridArea area, int column, int row) const;
    bool needsCheck(const GridCellRef &cell, const CellInput &input) const;
    bool commit(const CellInput &input, CommitMode mode);
    bool apply(const GridCellRef &cell, const CellOutcome &outcome, CommitMode mode);
    void enterCell(const GridCellRef &target);
    bool isEmptyNewRow(const GridCellRef &cell, const CellInput &input) const;
    void closeIfEmptyNewRow(const GridCellRef &cell, const CellInput &input);
    void closeLastPointRow(int j);
    void makeCurrent(int k);
    void showPoints();
    void enableMeasuring();
    void layoutRangeBar();
    void layoutPointBar();
    void scrollToLastRange();
    bool scrollToLastPoint();
    void resetBars();

    GridRules &m_rules;
    DocumentSession &m_session;
    Prompts &m_prompts;
    std::array<bool, Rows + 1> m_rangeOpen{};
    std::array<bool, Rows + 1> m_pointOpen{};
    // What the edits of the range rows hold: the record's texts when the
    // rows were shown, then what the user typed and the rules took.
    std::array<std::array<QString, GridTags::RangeColumns + 1>, Rows + 1> m_rangeTexts;
    std::optional<GridCellRef> m_current;
    RowScroller m_rangeBar;
    RowScroller m_pointBar;
    bool m_rangeBarShown = false;
    bool m_pointBarShown = false;
    int m_groupBoxTop = 0;
    int m_progress = 0;
    bool m_enteredByAsking = false;
};
