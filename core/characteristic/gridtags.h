#pragma once

// Every cell of a characteristic grid carries a number that encodes its
// column and row, and the handlers find a cell's neighbours by arithmetic on
// it. Both characteristics use one scheme with their own bases: range row k
// holds rangeBase + 100 * column + k for its four columns, point row j holds
// pointBase + column + 10 * j for its eight. The amplitude grids count from
// 0 and 1000 (value 101, class of the range 435, Wm of point 1 1011), the
// frequency grids from 2000 and 3000 (Zak_Cz1 2101, the list of point 1
// 3012, its tick 3018).
struct GridTags
{
    static constexpr int Rows = 35;
    static constexpr int RangeColumns = 4;
    static constexpr int PointColumns = 8;
    // Both tables show a point's results in columns 3..6 in one order, the
    // actual error first: the cell that turns red out of tolerance.
    static constexpr int ActualErrorColumn = 3;

    int rangeBase = 0;
    int pointBase = 1000;

    constexpr int rangeTag(int column, int k) const { return rangeBase + 100 * column + k; }
    constexpr int pointTag(int column, int j) const { return pointBase + column + 10 * j; }

    constexpr bool isRangeTag(int tag) const
    {
        const int offset = tag - rangeBase;
        return offset / 100 >= 1 && offset / 100 <= RangeColumns && offset % 100 >= 1 &&
               offset % 100 <= Rows;
    }
    constexpr int rangeRow(int tag) const { return (tag - rangeBase) % 100; }
    constexpr int rangeColumn(int tag) const { return (tag - rangeBase) / 100; }

    constexpr bool isPointTag(int tag) const
    {
        const int offset = tag - pointBase;
        return offset >= 11 && offset <= 10 * Rows + PointColumns && offset % 10 >= 1 &&
               offset % 10 <= PointColumns;
    }
    constexpr int pointRow(int tag) const { return (tag - pointBase - 1) / 10; }
    constexpr int pointColumn(int tag) const { return (tag - pointBase) % 10; }
};

namespace AmplitudeTags {

constexpr GridTags Tags{0, 1000};

enum RangeColumn { ValueColumn = 1, FrequencyColumn, ClassMeasuredColumn, ClassRangeColumn };

enum PointColumn {
    WmColumn = 1,
    NkColumn,
    BmrColumn,
    BmdColumn,
    BkColumn,
    UnitColumn,
    TickPanelColumn,
    TickColumn,
};

// The column a meter's points are typed into: the indication for exact
// reading ("Analogowy"), the calibrator setting for exact setting.
constexpr int entryColumn(bool cyfrowy)
{
    return cyfrowy ? NkColumn : WmColumn;
}

} // namespace AmplitudeTags

namespace FrequencyTags {

constexpr GridTags Tags{2000, 3000};

enum RangeColumn { ValueColumn = 1, AmplitudeColumn, ClassMeasuredColumn, ClassRangeColumn };

// A point is one frequency: its list is the column the user chooses in, and
// the value beside it is what the run measured.
enum PointColumn {
    MeasuredColumn = 1,
    FrequencyColumn,
    BmrColumn,
    BmdColumn,
    BkColumn,
    UnitColumn,
    TickPanelColumn,
    TickColumn,
};

} // namespace FrequencyTags

static_assert(AmplitudeTags::BmrColumn == GridTags::ActualErrorColumn &&
              FrequencyTags::BmrColumn == GridTags::ActualErrorColumn);
