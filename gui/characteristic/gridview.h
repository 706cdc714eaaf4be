#pragma once

#include "core/characteristic/characteristicgrid.h"

#include <QFont>
#include <QWidget>

#include <array>

class QPushButton;
class QScrollBar;
class Prompts;
class GridAreaWidget;
class GridLineEditor;
class GridListEditor;
template <typename Editor> class GridEditor;

// A characteristic grid on the screen: the header band, the range rows with
// their bar, the point rows with theirs, and ON / OFF over the ticks. Cells
// are painted; the one cell under edit holds a real editor (an edit, or a
// list), and whatever the editor holds reaches the grid only when the cell
// is left. The columns take the room their widest texts need, in the font
// the window has, so every cell shows its whole text.
//
// Both characteristics use it; the grid's rules decide what each column is
// and holds, and `suffix` ends the names of the bars and buttons ("_Cz" for
// the frequency table). An error a key lets escape from the grid ends in
// the general error box.
class CharacteristicGridView : public QWidget
{
    Q_OBJECT

public:
    // Room between a cell's border and its text.
    static constexpr int TextPadding = 3;

    CharacteristicGridView(CharacteristicGrid &grid, Prompts &prompts, const QString &suffix,
                           QWidget *parent);
    ~CharacteristicGridView() override;

    CharacteristicGrid &grid() { return m_grid; }

    // The edit under way is committed before a write (a refusal stays in
    // the cell, unsaid), or dropped when the document goes.
    void commitEdit();
    void discardEdit();
    // The edit under way is left before a measurement, which works on what
    // the cell holds; false when the cell refused it (its box was shown).
    bool finishEdit();

    // The "Zakres" group box moved: the rows that fit, the bars.
    void setGroupBoxTop(int top);

    // Where things are, in the view's coordinates.
    QRect cellRect(const GridCellRef &cell) const;
    // The room a cell's text has.
    QRect textRect(const GridCellRef &cell) const;
    QRect headerRect(const GridHeader &header) const;
    QWidget *area(GridArea area) const;
    // The editor of the cell under edit; none when no cell is.
    QWidget *editor() const;
    QFont cellFont() const { return m_cellFont; }
    QFont headerFont() const { return m_headerFont; }
    // The colours a header is painted in: its tone, and white for its text.
    static QColor toneColour(HeaderTone tone);

    QPushButton *BtnON = nullptr;
    QPushButton *BtnOFF = nullptr;
    QScrollBar *ZakresySB = nullptr;
    QScrollBar *PunktySB = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
    // The focus coming to the grid, by Tab or as its window comes up,
    // enters a cell: the one under edit, or the current range's first.
    void focusInEvent(QFocusEvent *event) override;

private:
    friend class GridAreaWidget;
    template <typename Editor> friend class GridEditor;
    friend class GridListEditor;

    struct Columns
    {
        std::array<int, GridTags::PointColumns + 1> x{};
        std::array<int, GridTags::PointColumns + 1> width{};
        int total = 0;
    };

    void computeLayout();
    // Lays the columns out again for the texts of the document shown.
    void relayout();
    Columns columnsFor(GridArea area, const QFont &cellFont, const QFont &headerFont) const;
    int areaLeft(GridArea area) const;
    void placeChildren();
    void syncBars();
    GridLineEditor *lineEditor(GridArea area);
    GridListEditor *listEditor(GridArea area);
    bool isEditor(const QWidget *widget) const;
    void syncEditor(Qt::FocusReason reason);
    void refocusEditor();
    void reloadList();
    CellInput input() const;

    // From the areas and the editors.
    void cellPressed(const GridCellRef &cell, const QPoint &inArea);
    void editorKey(int key);
    void tab(int step);
    void editorLeft(QWidget *newFocus);
    void itemChosen(int item);

    CharacteristicGrid &m_grid;
    Prompts &m_prompts;
    QFont m_cellFont;
    QFont m_headerFont;
    Columns m_columns[2];
    int m_groupBoxTop = 0;
    int m_listOverhead = 0;
    // Backtab left the first cell: the focus goes on past the grid.
    bool m_leavingBackward = false;
    GridAreaWidget *m_ranges = nullptr;
    GridAreaWidget *m_points = nullptr;
    // The editors of each area, made when first needed.
    std::array<GridLineEditor *, 2> m_edits{};
    std::array<GridListEditor *, 2> m_lists{};
};
