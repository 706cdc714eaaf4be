#pragma once

// Every cell of the amplitude grids carries a number that encodes its column
// and row, and the handlers find a cell's neighbours by arithmetic on it:
// range row k holds 100 + k (value), 200 + k (frequency), 300 + k (class of
// the measured value) and 400 + k (class of the range); point row j holds
// 1000 + column + 10 j for the columns below.
namespace AmplitudeTags {

constexpr int Rows = 35;

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

constexpr int rangeTag(int column, int k)
{
    return 100 * column + k;
}

constexpr int pointTag(int column, int j)
{
    return 1000 + column + 10 * j;
}

constexpr bool isRangeTag(int tag)
{
    return tag / 100 >= ValueColumn && tag / 100 <= ClassRangeColumn && tag % 100 >= 1 &&
           tag % 100 <= Rows;
}

constexpr int rangeRow(int tag)
{
    return tag % 100;
}

constexpr int rangeColumn(int tag)
{
    return tag / 100;
}

constexpr bool isPointTag(int tag)
{
    return tag >= pointTag(WmColumn, 1) && tag <= pointTag(TickColumn, Rows) &&
           (tag - 1000) % 10 >= WmColumn && (tag - 1000) % 10 <= TickColumn;
}

constexpr int pointRow(int tag)
{
    return (tag - 1001) / 10;
}

constexpr int pointColumn(int tag)
{
    return (tag - 1000) % 10;
}

// The column a meter's points are typed into: the indication for exact
// reading ("Analogowy"), the calibrator setting for exact setting.
constexpr int entryColumn(bool cyfrowy)
{
    return cyfrowy ? NkColumn : WmColumn;
}

} // namespace AmplitudeTags
