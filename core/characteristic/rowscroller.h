#pragma once

// The row arithmetic of a grid that scrolls by whole rows: rows are 20
// pixels apart, the row area rests 44 pixels down, and as many rows fit as
// the space above the "Zakres" group box allows. One scroller serves one
// scroll bar; the widgets copy its numbers.
class RowScroller
{
public:
    static constexpr int RowHeight = 20;
    static constexpr int AreaTop = 44;
    static constexpr int Rows = 35;
    // What lies above the first row and below the last one.
    static constexpr int Margin = 87;

    // The rows that fit when the "Zakres" group box sits at groupBoxTop.
    static int rowsThatFit(int groupBoxTop);
    // The top of the row area at a bar position.
    static int areaTopAt(int position) { return AreaTop - RowHeight * position; }

    // Lays the bar out for `count` rows with the group box at groupBoxTop:
    // scrolling is needed from `fit` rows on, the maximum is the rows beyond
    // those that fit, and the position is kept within the maximum.
    void layout(int count, int groupBoxTop);

    // After a row was opened or removed at the end: shows the last row. The
    // area moves to the row after the last when there is one; false when
    // that row lies beyond the 35th (the caller may move the focus on).
    bool scrollToLast(int count, int groupBoxTop);

    // After the last row was removed from a grid holding at least as many
    // rows as fit: the area comes one row back down from where
    // scrollToLast() left it.
    void stepBack();

    // After the window was resized: lays out again and pulls the position
    // back to at most maximum - fit + 1 (never below 0).
    void afterResize(int count, int groupBoxTop);

    // Moved by the user.
    void setPosition(int position);

    int fit() const { return m_fit; }
    int maximum() const { return m_maximum; }
    int pageStep() const { return m_fit; }
    int position() const { return m_position; }
    int areaTop() const { return m_areaTop; }
    bool needed() const { return m_needed; }
    // The bar is shown only when there are more rows than fit.
    static bool shownFor(int count, int fit) { return count > fit; }

private:
    int m_fit = 0;
    int m_maximum = 0;
    int m_position = 0;
    int m_areaTop = AreaTop;
    bool m_needed = false;
};

// The verification window's size rules: the width is fixed and the height
// steps by whole rows.
namespace WindowSize {

constexpr int Width = 639;
// Heights a drag gives are this plus whole rows.
constexpr int BaseHeight = 60;
constexpr int MinHeight = 420;
constexpr int MaxHeight = 922;

// A height asked for while the border is dragged, as the window takes it:
// clamped to 420..922, then lowered to 60 plus a multiple of 20.
int allowedHeight(int height);

// Where the parts below the grids go for a window height.
inline int notebookHeight(int height)
{
    return height - 170;
}
inline int tabBarTop(int height)
{
    return height - 168;
}
inline int groupBoxTop(int height)
{
    return height - 129;
}

} // namespace WindowSize
