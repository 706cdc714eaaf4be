#include "gui/characteristic/gridview.h"

#include "core/base/errorbox.h"
#include "core/characteristic/rowscroller.h"
#include "gui/link/decimalcommakey.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QToolTip>

#include <cmath>

namespace {

constexpr int RowHeight = RowScroller::RowHeight;
constexpr int HeaderHeight = RowScroller::AreaTop;
constexpr int HalfHeader = HeaderHeight / 2;
constexpr int Rows = GridTags::Rows;
constexpr int GridLeft = 2;
constexpr int BarGap = 1;
constexpr int AreaGap = 3;
constexpr int BarWidth = 16;
constexpr int TickWidth = 20;
constexpr int MinimumColumn = 16;
// The fonts the grid tries, largest first, until its columns fit the
// window's width; the headers are two pixels smaller.
constexpr int LargestCellFont = 11;
constexpr int SmallestCellFont = 8;
constexpr int HeaderFontStep = 2;

const QColor Yellow(255, 255, 0);
const QColor Silver(192, 192, 192);
const QColor Red(255, 0, 0);
const QColor DarkOrange(255, 140, 0);
// The row of the point a run is measuring.
const QColor ProgressColour(135, 206, 250);

int areaIndex(GridArea area)
{
    return area == GridArea::Ranges ? 0 : 1;
}

int columnCount(GridArea area)
{
    return area == GridArea::Ranges ? GridTags::RangeColumns : GridTags::PointColumns;
}

// Focus that moves because another window came up (a message box, a
// dialog, a popup, the menu) is not the user leaving a cell.
bool isMoveWithinWindow(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

bool isGridKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

int textWidth(const QFontMetricsF &metrics, const QString &text)
{
    return int(std::ceil(metrics.horizontalAdvance(text)));
}

int widestWord(const QFontMetricsF &metrics, const QString &text)
{
    int widest = 0;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widest = std::max(widest, textWidth(metrics, word));
    return widest;
}

QColor backgroundOf(const GridCell &cell, const QPalette &palette)
{
    if (cell.inProgress)
        return ProgressColour;
    switch (cell.shade) {
    case CellShade::Current:
        return Yellow;
    case CellShade::Idle:
        return Silver;
    case CellShade::Plain:
        break;
    }
    return palette.color(QPalette::Base);
}

} // namespace

// One area of the grid, painted row by row; the rows scroll under it.
class GridAreaWidget : public QWidget
{
public:
    GridAreaWidget(CharacteristicGridView &view, GridArea area)
        : QWidget(&view), m_view(view), m_area(area)
    {
        setObjectName(area == GridArea::Ranges ? QStringLiteral("Obszar_Zakresy")
                                               : QStringLiteral("Obszar_Punkty"));
        setFocusPolicy(Qt::NoFocus);
    }

    int offset() const { return m_view.m_grid.scroller(m_area).areaTop() - HeaderHeight; }

    QRect cellRect(int column, int row) const
    {
        const auto &columns = m_view.m_columns[areaIndex(m_area)];
        return {columns.x[column], offset() + (row - 1) * RowHeight, columns.width[column],
                RowHeight};
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.setFont(m_view.m_cellFont);
        const QRect dirty = event->rect();
        const CharacteristicGrid &grid = m_view.m_grid;
        for (int row = 1; row <= Rows; ++row) {
            const QRect line(0, offset() + (row - 1) * RowHeight, width(), RowHeight);
            if (!line.intersects(dirty) || !grid.rowOpen(m_area, row))
                continue;
            for (int column = 1; column <= columnCount(m_area); ++column) {
                const GridCell cell = grid.cell(m_area, column, row);
                if (cell.visible)
                    paintCell(painter, cellRect(column, row), cell);
            }
        }
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        const QPoint at = event->position().toPoint();
        if (const auto cell = cellAt(at))
            m_view.cellPressed(*cell, at);
    }

    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::ToolTip) {
            auto *help = static_cast<QHelpEvent *>(event);
            const auto cell = cellAt(help->pos());
            const QString hint = cell && m_view.m_grid.cell(*cell).visible
                                     ? m_view.m_grid.rules().hint(cell->area, cell->column)
                                     : QString();
            if (hint.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), hint, this);
            return true;
        }
        return QWidget::event(event);
    }

private:
    std::optional<GridCellRef> cellAt(const QPoint &at) const
    {
        const int row = (at.y() - offset()) / RowHeight + 1;
        if (at.y() < offset() || row < 1 || row > Rows)
            return std::nullopt;
        for (int column = 1; column <= columnCount(m_area); ++column) {
            if (cellRect(column, row).contains(at))
                return GridCellRef{m_area, column, row};
        }
        return std::nullopt;
    }

    void paintCell(QPainter &painter, const QRect &rect, const GridCell &cell)
    {
        if (cell.kind == CellKind::Tick) {
            painter.fillRect(rect,
                             cell.inProgress ? ProgressColour : palette().color(QPalette::Window));
            const QPixmap &tick = tickPixmap(cell.checked);
            const QSize size = tick.deviceIndependentSize().toSize();
            painter.drawPixmap(rect.center().x() - size.width() / 2 + 1,
                               rect.center().y() - size.height() / 2 + 1, tick);
            return;
        }
        painter.fillRect(rect, backgroundOf(cell, palette()));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        QRect text = rect.adjusted(CharacteristicGridView::TextPadding, 0,
                                   -CharacteristicGridView::TextPadding, 0);
        if (cell.kind == CellKind::List) {
            // A list shows its item and the arrow that opens it, in the room
            // its editor gives the item.
            text.setRight(rect.right() - m_view.m_listOverhead +
                          CharacteristicGridView::TextPadding);
            const QPoint tip(rect.right() -
                                 (m_view.m_listOverhead - 2 * CharacteristicGridView::TextPadding) /
                                     2,
                             rect.center().y() + 2);
            const QPolygon arrow({tip + QPoint(-4, -4), tip + QPoint(4, -4), tip});
            painter.setPen(Qt::NoPen);
            painter.setBrush(palette().color(QPalette::ButtonText));
            painter.drawPolygon(arrow);
            painter.setBrush(Qt::NoBrush);
        }
        painter.setPen(cell.alarm ? Red : cell.caution ? DarkOrange : QColor(Qt::black));
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, cell.text);
    }

    // The style's check box, drawn once in each state.
    const QPixmap &tickPixmap(bool checked)
    {
        QPixmap &pixmap = m_ticks[checked ? 1 : 0];
        const qreal ratio = devicePixelRatioF();
        if (pixmap.isNull() || pixmap.devicePixelRatio() != ratio) {
            const int w = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
            const int h = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
            pixmap = QPixmap(QSize(w, h) * ratio);
            pixmap.setDevicePixelRatio(ratio);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            QStyleOptionButton option;
            option.initFrom(this);
            option.rect = QRect(0, 0, w, h);
            option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
            style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);
        }
        return pixmap;
    }

    CharacteristicGridView &m_view;
    GridArea m_area;
    QPixmap m_ticks[2];
};

// What the grid's editors share: Enter, Esc and Tab are the grid's, and
// leaving the editor for anything outside the grid leaves its cell.
template <typename Editor> class GridEditor : public Editor
{
public:
    GridEditor(CharacteristicGridView &view, QWidget *parent) : Editor(parent), m_view(view) {}

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        // Enter and Esc must not reach the window, where they would press
        // its default button or close it.
        if (isGridKey(event->key())) {
            event->accept();
            m_view.editorKey(event->key());
            return;
        }
        Editor::keyPressEvent(event);
    }

    // Tab and Backtab never reach keyPressEvent: the widget moves the focus
    // itself. In the grid they go from cell to cell.
    bool focusNextPrevChild(bool next) override
    {
        m_view.tab(next ? 1 : -1);
        return true;
    }

    void focusOutEvent(QFocusEvent *event) override
    {
        Editor::focusOutEvent(event);
        if (isMoveWithinWindow(event->reason()))
            m_view.editorLeft(QApplication::focusWidget());
    }

    CharacteristicGridView &m_view;
};

// The edit over the cell being typed into.
class GridLineEditor : public GridEditor<QLineEdit>
{
public:
    GridLineEditor(CharacteristicGridView &view, QWidget *parent) : GridEditor(view, parent)
    {
        // The cell's own border stays around it; the text starts where the
        // painted cells start theirs.
        setFrame(false);
        setTextMargins(0, 0, 0, 0);
        typeDecimalCommaFromKeypad(this);
    }
};

// The list over the cell being chosen in.
class GridListEditor : public GridEditor<QComboBox>
{
public:
    GridListEditor(CharacteristicGridView &view, QWidget *parent) : GridEditor(view, parent)
    {
        connect(this, &QComboBox::activated, this, [this](int item) { m_view.itemChosen(item); });
    }
};

CharacteristicGridView::CharacteristicGridView(CharacteristicGrid &grid, Prompts &prompts,
                                               const QString &suffix, QWidget *parent)
    : QWidget(parent), m_grid(grid), m_prompts(prompts)
{
    setObjectName(QStringLiteral("Siatka") + suffix);
    // The grid takes the focus from the keyboard and hands it to a cell.
    setFocusPolicy(Qt::TabFocus);
    m_ranges = new GridAreaWidget(*this, GridArea::Ranges);
    m_points = new GridAreaWidget(*this, GridArea::Points);

    ZakresySB = new QScrollBar(Qt::Vertical, this);
    ZakresySB->setObjectName(QStringLiteral("ZakresySB") + suffix);
    PunktySB = new QScrollBar(Qt::Vertical, this);
    PunktySB->setObjectName(QStringLiteral("PunktySB") + suffix);
    for (QScrollBar *bar : {ZakresySB, PunktySB}) {
        bar->setMinimum(0);
        bar->setSingleStep(1);
        bar->hide();
    }
    connect(ZakresySB, &QScrollBar::valueChanged, this,
            [this](int position) { m_grid.scrollTo(GridArea::Ranges, position); });
    connect(PunktySB, &QScrollBar::valueChanged, this,
            [this](int position) { m_grid.scrollTo(GridArea::Points, position); });

    BtnON = new QPushButton(QStringLiteral("ON"), this);
    BtnON->setObjectName(QStringLiteral("BtnON") + suffix);
    BtnON->setToolTip(QStringLiteral("włącz wszystkie punkty"));
    BtnOFF = new QPushButton(QStringLiteral("OFF"), this);
    BtnOFF->setObjectName(QStringLiteral("BtnOFF") + suffix);
    BtnOFF->setToolTip(QStringLiteral("wyłącz wszystkie punkty"));
    for (QPushButton *button : {BtnON, BtnOFF})
        button->setAutoDefault(false);
    connect(BtnON, &QPushButton::clicked, this, [this] { m_grid.setTicks(true); });
    connect(BtnOFF, &QPushButton::clicked, this, [this] { m_grid.setTicks(false); });

    connect(&m_grid, &CharacteristicGrid::changed, this, [this] {
        syncBars();
        m_ranges->update();
        m_points->update();
        update(0, 0, width(), HeaderHeight);
        if (const auto current = m_grid.currentCell()) {
            if (QWidget *shown = editor())
                shown->setGeometry(cellRect(*current)
                                       .translated(-area(current->area)->pos())
                                       .adjusted(1, 1, -1, -1));
            if (m_grid.rules().kind(current->area, current->column) == CellKind::List)
                reloadList();
        }
    });
    connect(&m_grid, &CharacteristicGrid::documentShown, this, &CharacteristicGridView::relayout);
    connect(&m_grid, &CharacteristicGrid::currentCellChanged, this,
            [this] { syncEditor(Qt::OtherFocusReason); });
    connect(&m_grid, &CharacteristicGrid::editRefused, this,
            &CharacteristicGridView::refocusEditor);
    connect(&m_grid, &CharacteristicGrid::buttonFocusRequested, this,
            [this] { BtnON->setFocus(Qt::TabFocusReason); });

    computeLayout();
    placeChildren();
}

CharacteristicGridView::~CharacteristicGridView() = default;

QColor CharacteristicGridView::toneColour(HeaderTone tone)
{
    switch (tone) {
    case HeaderTone::Entry:
        return {0, 128, 0};
    case HeaderTone::Result:
        return {0, 128, 128};
    case HeaderTone::Input:
        break;
    }
    return {128, 128, 0};
}

// Layout.

CharacteristicGridView::Columns CharacteristicGridView::columnsFor(GridArea area,
                                                                   const QFont &cellFont,
                                                                   const QFont &headerFont) const
{
    const QFontMetricsF cells(cellFont, this);
    const QFontMetricsF headers(headerFont, this);
    const GridRules &rules = m_grid.rules();
    const QList<GridHeader> captions = rules.headers();
    Columns columns;
    const int count = columnCount(area);
    for (int column = 1; column <= count; ++column) {
        const CellKind kind = rules.kind(area, column);
        if (area == GridArea::Points && column == GridTags::PointColumns - 1)
            continue; // the tick's panel is the tick's cell
        if (kind == CellKind::Tick) {
            columns.width[column] = TickWidth;
            continue;
        }
        int needed = MinimumColumn;
        for (const QString &text : rules.widestTexts(area, column)) {
            const int room = textWidth(cells, text);
            needed = std::max(needed, kind == CellKind::List ? room + m_listOverhead
                                                             : room + 2 * TextPadding);
        }
        for (const GridHeader &header : captions) {
            if (header.area != area || header.first != column || header.last != column)
                continue;
            const int words = header.band == GridHeader::Whole
                                  ? widestWord(headers, header.caption)
                                  : textWidth(headers, header.caption.trimmed());
            needed = std::max(needed, words + 2 * TextPadding);
        }
        columns.width[column] = needed;
    }
    // A caption over several columns widens the last of them when it must.
    for (const GridHeader &header : captions) {
        if (header.area != area || header.first == header.last)
            continue;
        int spanned = 0;
        for (int column = header.first; column <= header.last; ++column)
            spanned += columns.width[column];
        const int needed =
            (header.band == GridHeader::Whole ? widestWord(headers, header.caption)
                                              : textWidth(headers, header.caption.trimmed())) +
            2 * TextPadding;
        if (needed > spanned)
            columns.width[header.last] += needed - spanned;
    }
    int x = 0;
    for (int column = 1; column <= count; ++column) {
        columns.x[column] = x;
        x += columns.width[column];
    }
    columns.total = x;
    return columns;
}

void CharacteristicGridView::computeLayout()
{
    // What a list's arrow and frame take from a cell.
    QStyleOptionComboBox probe;
    probe.initFrom(this);
    probe.rect = QRect(0, 0, 100, RowHeight);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &probe, QStyle::SC_ComboBoxEditField, this);
    m_listOverhead = probe.rect.width() - field.width() + 2 * TextPadding;

    const int room = WindowSize::Width - 2 * GridLeft;
    for (int size = LargestCellFont; size >= SmallestCellFont; --size) {
        QFont cells = font();
        cells.setPixelSize(size);
        QFont headers = font();
        headers.setPixelSize(size - HeaderFontStep);
        m_cellFont = cells;
        m_headerFont = headers;
        m_columns[0] = columnsFor(GridArea::Ranges, cells, headers);
        m_columns[1] = columnsFor(GridArea::Points, cells, headers);
        const int total = m_columns[0].total + BarGap + BarWidth + AreaGap + m_columns[1].total +
                          BarGap + BarWidth;
        if (total <= room)
            break;
    }
    for (QPushButton *button : {BtnON, BtnOFF})
        button->setFont(m_headerFont);
}

void CharacteristicGridView::relayout()
{
    const std::array<Columns, 2> before = {m_columns[0], m_columns[1]};
    const QFont font = m_cellFont;
    computeLayout();
    if (font == m_cellFont && before[0].width == m_columns[0].width &&
        before[1].width == m_columns[1].width)
        return;
    for (std::array<QWidget *, 4> editors = {m_edits[0], m_edits[1], m_lists[0], m_lists[1]};
         QWidget * editor : editors) {
        if (editor)
            editor->setFont(m_cellFont);
    }
    placeChildren();
    if (const auto current = m_grid.currentCell(); current && editor())
        editor()->setGeometry(
            cellRect(*current).translated(-area(current->area)->pos()).adjusted(1, 1, -1, -1));
    update();
}

int CharacteristicGridView::areaLeft(GridArea area) const
{
    if (area == GridArea::Ranges)
        return GridLeft;
    return GridLeft + m_columns[0].total + BarGap + BarWidth + AreaGap;
}

void CharacteristicGridView::placeChildren()
{
    const int barHeight = std::max(0, m_groupBoxTop - RowScroller::Margin);
    const int areaHeight = barHeight + RowHeight;
    m_ranges->setGeometry(areaLeft(GridArea::Ranges), HeaderHeight, m_columns[0].total, areaHeight);
    m_points->setGeometry(areaLeft(GridArea::Points), HeaderHeight, m_columns[1].total, areaHeight);
    ZakresySB->setGeometry(areaLeft(GridArea::Ranges) + m_columns[0].total + BarGap, HeaderHeight,
                           BarWidth, barHeight);
    PunktySB->setGeometry(areaLeft(GridArea::Points) + m_columns[1].total + BarGap, HeaderHeight,
                          BarWidth, barHeight);
    const int tick = GridTags::PointColumns;
    const int buttonX = areaLeft(GridArea::Points) + m_columns[1].x[tick];
    const int buttonWidth = m_columns[1].width[tick] + BarGap + BarWidth;
    BtnON->setGeometry(buttonX, 0, buttonWidth, HalfHeader);
    BtnOFF->setGeometry(buttonX, HalfHeader, buttonWidth, HalfHeader);
}

void CharacteristicGridView::setGroupBoxTop(int top)
{
    m_groupBoxTop = top;
    placeChildren();
    syncBars();
}

void CharacteristicGridView::syncBars()
{
    const std::pair<QScrollBar *, GridArea> bars[] = {{ZakresySB, GridArea::Ranges},
                                                      {PunktySB, GridArea::Points}};
    for (const auto &[bar, area] : bars) {
        const RowScroller &scroller = m_grid.scroller(area);
        const QSignalBlocker block(bar);
        bar->setMaximum(scroller.maximum());
        bar->setPageStep(std::max(1, scroller.pageStep()));
        bar->setValue(scroller.position());
        bar->setVisible(m_grid.barShown(area));
    }
}

// Geometry.

QWidget *CharacteristicGridView::area(GridArea area) const
{
    return area == GridArea::Ranges ? m_ranges : m_points;
}

QRect CharacteristicGridView::cellRect(const GridCellRef &cell) const
{
    const GridAreaWidget *widget = cell.area == GridArea::Ranges ? m_ranges : m_points;
    return widget->cellRect(cell.column, cell.row).translated(widget->pos());
}

QRect CharacteristicGridView::textRect(const GridCellRef &cell) const
{
    const QRect rect = cellRect(cell);
    if (m_grid.rules().kind(cell.area, cell.column) == CellKind::List)
        return rect.adjusted(TextPadding, 0, -(m_listOverhead - TextPadding), 0);
    return rect.adjusted(TextPadding, 0, -TextPadding, 0);
}

QRect CharacteristicGridView::headerRect(const GridHeader &header) const
{
    const Columns &columns = m_columns[areaIndex(header.area)];
    const int left = areaLeft(header.area) + columns.x[header.first];
    const int right = areaLeft(header.area) + columns.x[header.last] + columns.width[header.last];
    const int top = header.band == GridHeader::Lower ? HalfHeader : 0;
    const int height = header.band == GridHeader::Whole ? HeaderHeight : HalfHeader;
    return {left, top, right - left, height};
}

void CharacteristicGridView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(m_headerFont);
    for (const GridHeader &header : m_grid.rules().headers()) {
        const QRect rect = headerRect(header);
        const QColor tone = toneColour(header.tone);
        painter.fillRect(rect, tone);
        painter.setPen(tone.darker(170));
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::white);
        painter.drawText(rect.adjusted(TextPadding, 1, -TextPadding, -1),
                         Qt::AlignCenter | Qt::TextWordWrap, header.caption.trimmed());
    }
}

// The editors.

GridLineEditor *CharacteristicGridView::lineEditor(GridArea area)
{
    GridLineEditor *&edit = m_edits[areaIndex(area)];
    if (!edit) {
        edit = new GridLineEditor(*this, this->area(area));
        edit->setObjectName(QStringLiteral("Edycja"));
        edit->setFont(m_cellFont);
        edit->hide();
        // Tab goes on from the grid to what follows it in the window.
        setTabOrder(this, edit);
    }
    return edit;
}

GridListEditor *CharacteristicGridView::listEditor(GridArea area)
{
    GridListEditor *&list = m_lists[areaIndex(area)];
    if (!list) {
        list = new GridListEditor(*this, this->area(area));
        list->setObjectName(QStringLiteral("Lista"));
        list->setFont(m_cellFont);
        list->hide();
        setTabOrder(this, list);
    }
    return list;
}

bool CharacteristicGridView::isEditor(const QWidget *widget) const
{
    // A list's popup is a window of its own, still the list's child.
    for (; widget; widget = widget->parentWidget()) {
        for (std::array<const QWidget *, 4> editors = {m_edits[0], m_edits[1], m_lists[0],
                                                       m_lists[1]};
             const QWidget *editor : editors) {
            if (editor && editor == widget)
                return true;
        }
    }
    return false;
}

QWidget *CharacteristicGridView::editor() const
{
    const auto current = m_grid.currentCell();
    if (!current)
        return nullptr;
    const int index = areaIndex(current->area);
    switch (m_grid.rules().kind(current->area, current->column)) {
    case CellKind::Edit:
        return m_edits[index];
    case CellKind::List:
        return m_lists[index];
    default:
        return nullptr;
    }
}

void CharacteristicGridView::reloadList()
{
    const auto current = m_grid.currentCell();
    const int index = current ? areaIndex(current->area) : 0;
    GridListEditor *list = m_lists[index];
    if (!current || !list)
        return;
    const GridRules &rules = m_grid.rules();
    const QSignalBlocker block(list);
    const QStringList items = rules.items(*current);
    bool same = list->count() == items.size();
    for (int i = 0; same && i < items.size(); ++i)
        same = list->itemText(i) == items[i];
    if (!same) {
        list->clear();
        list->addItems(items);
    }
    list->setCurrentIndex(rules.item(*current));
}

void CharacteristicGridView::syncEditor(Qt::FocusReason reason)
{
    QWidget *target = nullptr;
    if (const auto current = m_grid.currentCell()) {
        const GridRules &rules = m_grid.rules();
        const QRect rect =
            cellRect(*current).translated(-area(current->area)->pos()).adjusted(1, 1, -1, -1);
        switch (rules.kind(current->area, current->column)) {
        case CellKind::Edit: {
            GridLineEditor *edit = lineEditor(current->area);
            const int limit = rules.maxLength(current->area, current->column);
            edit->setMaxLength(limit > 0 ? limit : 32767);
            edit->setText(m_grid.cell(*current).text);
            edit->setModified(false);
            edit->setCursorPosition(0);
            edit->setGeometry(rect);
            target = edit;
            break;
        }
        case CellKind::List:
            listEditor(current->area)->setGeometry(rect);
            target = m_lists[areaIndex(current->area)];
            reloadList();
            break;
        default:
            break;
        }
    }
    // The new editor takes the focus before the old one goes, so that the
    // focus never wanders off the grid on the way.
    if (target) {
        target->show();
        target->raise();
        target->setFocus(reason);
    }
    for (std::array<QWidget *, 4> editors = {m_edits[0], m_edits[1], m_lists[0], m_lists[1]};
         QWidget * editor : editors) {
        if (editor && editor != target)
            editor->hide();
    }
}

void CharacteristicGridView::refocusEditor()
{
    if (QWidget *shown = editor(); shown && isVisible())
        shown->setFocus(Qt::OtherFocusReason);
}

CellInput CharacteristicGridView::input() const
{
    CellInput input;
    const auto current = m_grid.currentCell();
    if (!current)
        return input;
    const int index = areaIndex(current->area);
    switch (m_grid.rules().kind(current->area, current->column)) {
    case CellKind::Edit:
        if (const QLineEdit *edit = m_edits[index]) {
            input.text = edit->text();
            input.edited = edit->isModified();
        }
        break;
    case CellKind::List:
        if (const QComboBox *list = m_lists[index]) {
            input.text = list->currentText();
            input.item = list->currentIndex();
        }
        break;
    default:
        break;
    }
    return input;
}

void CharacteristicGridView::commitEdit()
{
    if (m_grid.leave(input(), CharacteristicGrid::CommitMode::Quiet)) {
        if (const auto current = m_grid.currentCell();
            current && m_grid.rules().kind(current->area, current->column) == CellKind::Edit)
            m_edits[areaIndex(current->area)]->setModified(false);
    }
}

void CharacteristicGridView::discardEdit()
{
    m_grid.discardEdit();
}

bool CharacteristicGridView::finishEdit()
{
    return m_grid.leave(input(), CharacteristicGrid::CommitMode::Interactive);
}

// What the user does.

void CharacteristicGridView::cellPressed(const GridCellRef &cell, const QPoint &inArea)
{
    const GridCell shown = m_grid.cell(cell);
    if (!shown.visible)
        return;
    if (shown.kind == CellKind::Tick) {
        m_grid.toggleTick(cell.row, !shown.checked, input());
        return;
    }
    if (!m_grid.enterable(cell) || !m_grid.moveTo(cell, input()))
        return;
    if (shown.kind == CellKind::Edit) {
        GridLineEditor *edit = m_edits[areaIndex(cell.area)];
        edit->setCursorPosition(edit->cursorPositionAt(edit->mapFrom(area(cell.area), inArea)));
    } else if (GridListEditor *list = m_lists[areaIndex(cell.area)];
               list && list->isVisible() && !m_grid.enteredByAsking()) {
        list->showPopup();
    }
}

void CharacteristicGridView::editorKey(int key)
{
    // The grid answers a refused text itself; what else a key sets off,
    // such as a list's item taken again, ends here.
    guarded(m_prompts, [this, key] {
        if (key == Qt::Key_Escape)
            m_grid.pressEscape();
        else
            m_grid.pressEnter(input());
    });
    // Keyboard moves select what the new cell holds.
    if (QWidget *shown = editor(); shown && shown->hasFocus())
        if (auto *edit = qobject_cast<QLineEdit *>(shown); edit && !edit->isModified())
            edit->selectAll();
}

void CharacteristicGridView::tab(int step)
{
    const auto current = m_grid.currentCell();
    const auto next = current ? m_grid.neighbour(*current, step) : std::nullopt;
    if (next) {
        m_grid.moveTo(*next, input());
        if (auto *edit = qobject_cast<QLineEdit *>(editor()); edit && !edit->isModified())
            edit->selectAll();
        return;
    }
    // Past the last cell the focus goes on through the window.
    m_leavingBackward = step < 0;
    focusNextPrevChild(step > 0);
    m_leavingBackward = false;
}

void CharacteristicGridView::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (m_leavingBackward) {
        focusNextPrevChild(false);
        return;
    }
    if (QWidget *shown = editor(); shown && shown->isVisible()) {
        shown->setFocus(event->reason());
        return;
    }
    const GridCellRef first{GridArea::Ranges, 1, std::max(1, m_grid.currentRange())};
    if (m_grid.enterable(first) && m_grid.moveTo(first, input())) {
        if (auto *edit = qobject_cast<QLineEdit *>(editor()))
            edit->selectAll();
        return;
    }
    // Nothing to enter: the focus does not stop here.
    focusNextPrevChild(reason != Qt::BacktabFocusReason);
}

void CharacteristicGridView::editorLeft(QWidget *newFocus)
{
    // A move to another cell of the grid is the grid's own business: it has
    // committed the cell already.
    if (isEditor(newFocus))
        return;
    m_grid.leave(input(), isVisible() ? CharacteristicGrid::CommitMode::Interactive
                                      : CharacteristicGrid::CommitMode::Quiet);
}

void CharacteristicGridView::itemChosen(int item)
{
    m_grid.choose(item);
}
