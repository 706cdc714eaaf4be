#include "core/characteristic/characteristicgrid.h"

#include "core/base/errorbox.h"
#include "core/base/prompts.h"
#include "core/document/documentsession.h"

#include <exception>

CharacteristicGrid::CharacteristicGrid(GridRules &rules, DocumentSession &session, Prompts &prompts,
                                       QObject *parent)
    : QObject(parent), m_rules(rules), m_session(session), m_prompts(prompts)
{
    // Another rule or resolution judges the points anew.
    connect(&session, &DocumentSession::extensionChanged, this, &CharacteristicGrid::changed);
}

// Showing.

void CharacteristicGrid::clear(bool show)
{
    m_rangeOpen.fill(false);
    m_pointOpen.fill(false);
    for (auto &row : m_rangeTexts)
        row.fill(QString());
    m_rangeOpen[1] = show;
    m_current.reset();
    m_progress = 0;
    resetBars();
    Q_EMIT currentCellChanged();
    Q_EMIT changed();
}

void CharacteristicGrid::showNewDocument()
{
    clear(true);
    layoutBars();
    Q_EMIT documentShown();
    Q_EMIT changed();
}

void CharacteristicGrid::showDocument()
{
    clear(true);
    for (int k = 1; k <= Rows; ++k) {
        if (!m_rules.rangeDefined(k))
            continue;
        m_rangeOpen[k] = true;
        for (int column = 1; column <= GridTags::RangeColumns; ++column)
            m_rangeTexts[k][column] = m_rules.text(GridArea::Ranges, column, k);
    }
    showPoints();
    Q_EMIT summaryChanged(currentRange());
    resetBars();
    layoutBars();
    Q_EMIT documentShown();
    Q_EMIT changed();
}

void CharacteristicGrid::showPoints()
{
    m_rules.pointsShown();
    m_pointOpen.fill(false);
    m_pointOpen[1] = true;
    bool results = false;
    for (int j = 1; j <= Rows; ++j) {
        if (m_rules.pointDefined(j))
            m_pointOpen[j] = true;
        results = results || m_rules.resultsShown(j);
    }
    if (results)
        enableMeasuring();
}

void CharacteristicGrid::refreshPoint(int j)
{
    if (j >= 1 && j <= Rows && m_rules.resultsShown(j))
        enableMeasuring();
    Q_EMIT changed();
}

void CharacteristicGrid::setProgressRow(int j)
{
    m_progress = j;
    if (j >= 1 && j <= Rows) {
        // The row being measured is brought into view.
        const int first = (RowScroller::AreaTop - m_pointBar.areaTop()) / RowScroller::RowHeight;
        const int fit = m_pointBar.fit();
        if (j - 1 < first)
            m_pointBar.setPosition(j - 1);
        else if (fit > 0 && j - 1 >= first + fit)
            m_pointBar.setPosition(j - fit);
    }
    Q_EMIT changed();
}

bool CharacteristicGrid::rowOpen(GridArea area, int row) const
{
    if (row < 1 || row > Rows)
        return false;
    return area == GridArea::Ranges ? m_rangeOpen[row] : m_pointOpen[row];
}

GridCell CharacteristicGrid::cell(GridArea area, int column, int row) const
{
    GridCell shown;
    if (!rowOpen(area, row))
        return shown;
    shown.kind = m_rules.kind(area, column);
    if (area == GridArea::Ranges) {
        shown.visible = column >= 1 && column <= GridTags::RangeColumns;
        shown.shade = row == currentRange() ? CellShade::Current : CellShade::Idle;
    } else {
        const bool results = m_rules.resultsShown(row);
        if (column == m_rules.entryColumn())
            shown.visible = true;
        else if (shown.kind == CellKind::Tick)
            shown.visible = results || m_rules.pointDefined(row);
        else
            shown.visible = results && column != GridTags::PointColumns - 1;
        if (results && column == GridTags::ActualErrorColumn) {
            const Decision decision = m_rules.decision(row);
            shown.alarm = decision == Decision::Fail;
            shown.caution = !shown.alarm && decision != Decision::Pass;
        }
        if (m_rules.silverPoints())
            shown.shade = CellShade::Idle;
        shown.checked = shown.kind == CellKind::Tick && m_rules.ticked(row);
        shown.inProgress = row == m_progress;
    }
    if (!shown.visible)
        return shown;
    if (shown.kind != CellKind::Tick)
        shown.text = text(area, column, row);
    return shown;
}

QString CharacteristicGrid::text(GridArea area, int column, int row) const
{
    if (area == GridArea::Ranges && m_rules.kind(area, column) == CellKind::Edit)
        return m_rangeTexts[row][column];
    return m_rules.text(area, column, row);
}

RangeSummary CharacteristicGrid::summary(int k) const
{
    QStringList texts;
    for (int column = 1; column <= GridTags::RangeColumns; ++column)
        texts.append(k >= 1 && k <= Rows ? text(GridArea::Ranges, column, k) : QString());
    return m_rules.summary(k, texts);
}

bool CharacteristicGrid::enterable(const GridCellRef &ref) const
{
    if (!m_rules.inUse())
        return false;
    const GridCell shown = cell(ref);
    return shown.visible && (shown.kind == CellKind::Edit || shown.kind == CellKind::List);
}

std::optional<GridCellRef> CharacteristicGrid::neighbour(const GridCellRef &from, int step) const
{
    const auto columns = [](GridArea area) {
        return area == GridArea::Ranges ? GridTags::RangeColumns : GridTags::PointColumns;
    };
    const auto search = [&](GridArea area, int index) -> std::optional<GridCellRef> {
        const int count = columns(area);
        for (; index >= 0 && index < Rows * count; index += step) {
            const GridCellRef candidate{area, index % count + 1, index / count + 1};
            if (enterable(candidate))
                return candidate;
        }
        return std::nullopt;
    };
    const int index = (from.row - 1) * columns(from.area) + (from.column - 1);
    if (const auto next = search(from.area, index + step))
        return next;
    // Past the last range cell the points come next, and before the first
    // point cell the ranges.
    if (from.area == GridArea::Ranges && step > 0)
        return search(GridArea::Points, 0);
    if (from.area == GridArea::Points && step < 0)
        return search(GridArea::Ranges, Rows * columns(GridArea::Ranges) - 1);
    return std::nullopt;
}

// Editing.

bool CharacteristicGrid::needsCheck(const GridCellRef &cell, const CellInput &input) const
{
    const CellKind kind = m_rules.kind(cell.area, cell.column);
    if (kind == CellKind::List)
        return true;
    if (kind != CellKind::Edit)
        return false;
    // An empty cell of a row that holds no range has nothing to store: it
    // is let go, or a new row opened by mistake would hold the user until
    // Esc.
    if (cell.area == GridArea::Ranges && input.text.isEmpty() && !m_rules.rangeDefined(cell.row))
        return false;
    // Likewise an empty point cell that holds no point: nothing was typed
    // there to be refused.
    if (cell.area == GridArea::Points && input.text.isEmpty() && !m_rules.pointDefined(cell.row))
        return false;
    // What the grid showed and the user did not touch is not stored again.
    return input.edited || input.text.isEmpty();
}

bool CharacteristicGrid::commit(const CellInput &input, CommitMode mode)
{
    if (!m_current)
        return true;
    const GridCellRef cell = *m_current;
    if (!needsCheck(cell, input))
        return true;
    CellOutcome outcome;
    try {
        outcome = m_rules.leave(cell, input);
    } catch (const std::exception &error) {
        // A text that does not read: nothing was stored, the cell keeps it.
        if (mode == CommitMode::Interactive)
            showGeneralError(m_prompts, error);
        return false;
    }
    if (!outcome.refused && cell.area == GridArea::Ranges &&
        m_rules.kind(cell.area, cell.column) == CellKind::Edit)
        m_rangeTexts[cell.row][cell.column] = input.text;
    return apply(cell, outcome, mode);
}

bool CharacteristicGrid::apply(const GridCellRef &cell, const CellOutcome &outcome, CommitMode mode)
{
    if (outcome.changed)
        m_session.setChanged();
    if (outcome.enablesMeasuring)
        enableMeasuring();
    if (!outcome.message.isEmpty() && mode == CommitMode::Interactive)
        m_prompts.show(outcome.message, outcome.caption, outcome.icon);
    if (outcome.summary && !outcome.refused)
        Q_EMIT summaryChanged(cell.row);
    Q_EMIT changed();
    return !outcome.refused;
}

void CharacteristicGrid::enterCell(const GridCellRef &target)
{
    m_current = target;
    // Entering a range's value cell makes it the current range.
    if (target.area == GridArea::Ranges && target.column == 1)
        makeCurrent(target.row);
    Q_EMIT currentCellChanged();
    m_enteredByAsking = false;
    if (m_rules.kind(target.area, target.column) == CellKind::List) {
        guarded(m_prompts, [this, &target] {
            const CellOutcome outcome = m_rules.enter(target);
            m_enteredByAsking = outcome.asked;
            apply(target, outcome, CommitMode::Interactive);
        });
    }
}

bool CharacteristicGrid::moveTo(const GridCellRef &target, const CellInput &input)
{
    if (m_current && *m_current == target)
        return true;
    if (!enterable(target))
        return false;
    if (!commit(input, CommitMode::Interactive)) {
        Q_EMIT editRefused();
        return false;
    }
    if (m_current)
        closeIfEmptyNewRow(*m_current, input);
    enterCell(target);
    return true;
}

bool CharacteristicGrid::leave(const CellInput &input, CommitMode mode)
{
    if (!m_current)
        return true;
    if (!commit(input, mode)) {
        if (mode == CommitMode::Interactive)
            Q_EMIT editRefused();
        return false;
    }
    if (mode == CommitMode::Interactive) {
        const GridCellRef left = *m_current;
        m_current.reset();
        closeIfEmptyNewRow(left, input);
        Q_EMIT currentCellChanged();
    }
    return true;
}

bool CharacteristicGrid::isEmptyNewRow(const GridCellRef &cell, const CellInput &input) const
{
    // The last open point row, left as it came: empty, or a list without a
    // frequency. A "-1" typed there removes the point but keeps the row.
    const bool empty =
        m_rules.kind(cell.area, cell.column) == CellKind::List || input.text.isEmpty();
    return cell.area == GridArea::Points && cell.column == m_rules.entryColumn() && cell.row > 1 &&
           empty && rowOpen(GridArea::Points, cell.row) &&
           !rowOpen(GridArea::Points, cell.row + 1) && !m_rules.pointDefined(cell.row);
}

void CharacteristicGrid::closeIfEmptyNewRow(const GridCellRef &cell, const CellInput &input)
{
    if (!isEmptyNewRow(cell, input))
        return;
    closeLastPointRow(cell.row);
    Q_EMIT changed();
}

void CharacteristicGrid::closeLastPointRow(int j)
{
    m_pointOpen[j] = false;
    scrollToLastPoint();
    const int count = m_rules.pointCount();
    if (count >= m_pointBar.fit())
        m_pointBar.stepBack();
    m_pointBarShown = RowScroller::shownFor(count, m_pointBar.fit());
}

void CharacteristicGrid::discardEdit()
{
    if (!m_current)
        return;
    m_current.reset();
    Q_EMIT currentCellChanged();
}

void CharacteristicGrid::pressEnter(const CellInput &input)
{
    if (!m_current)
        return;
    const GridCellRef cell = *m_current;
    const bool list = m_rules.kind(cell.area, cell.column) == CellKind::List;

    if (cell.area == GridArea::Ranges) {
        if (list)
            apply(cell, m_rules.confirm(cell, input.item), CommitMode::Interactive);
        if (cell.column < GridTags::RangeColumns) {
            moveTo({GridArea::Ranges, cell.column + 1, cell.row}, input);
            return;
        }
        // Enter in the last column of the last range opens the next row.
        const int k = cell.row;
        if (k >= Rows || k < m_rules.rangeCount())
            return;
        if (!commit(input, CommitMode::Interactive)) {
            Q_EMIT editRefused();
            return;
        }
        m_rangeOpen[k + 1] = true;
        enterCell({GridArea::Ranges, 1, k + 1});
        scrollToLastRange();
        Q_EMIT changed();
        return;
    }

    if (cell.column != m_rules.entryColumn() || m_rules.pointCount() >= Rows)
        return;
    if (list)
        apply(cell, m_rules.confirm(cell, input.item), CommitMode::Interactive);
    const int j = cell.row;
    const GridCellRef first{GridArea::Points, m_rules.entryColumn(), 1};
    if (j >= Rows) {
        if (m_rules.lastPointGoesToButton() && m_rules.pointCount() > m_pointBar.fit()) {
            if (leave(input, CommitMode::Interactive))
                Q_EMIT buttonFocusRequested();
        } else {
            moveTo(first, input);
        }
        return;
    }
    if (!commit(input, CommitMode::Interactive)) {
        Q_EMIT editRefused();
        return;
    }
    // No new row opens under one left empty.
    if (!m_rules.pointDefined(j) && (list || input.text.isEmpty()))
        return;
    m_pointOpen[j + 1] = true;
    enterCell({GridArea::Points, m_rules.entryColumn(), j + 1});
    if (!scrollToLastPoint()) {
        m_current.reset();
        Q_EMIT currentCellChanged();
        Q_EMIT buttonFocusRequested();
    }
    Q_EMIT changed();
}

void CharacteristicGrid::pressEscape()
{
    if (!m_current)
        return;
    const GridCellRef cell = *m_current;
    if (cell.area == GridArea::Ranges) {
        // Only the last range, or the empty row after it, goes; row 1 stays
        // on the screen, emptied.
        const int k = cell.row;
        if (cell.column != 1 || k < m_rules.rangeCount())
            return;
        m_rules.clearRange(k);
        m_rangeTexts[k].fill(QString());
        m_session.setChanged();
        if (k >= 2)
            m_rangeOpen[k] = false;
        const int previous = k >= 2 ? k - 1 : 1;
        m_current = GridCellRef{GridArea::Ranges, 1, previous};
        makeCurrent(previous);
        Q_EMIT currentCellChanged();
        scrollToLastRange();
        const int count = m_rules.rangeCount();
        if (count >= m_rangeBar.fit())
            m_rangeBar.stepBack();
        m_rangeBarShown = RowScroller::shownFor(count, m_rangeBar.fit());
        Q_EMIT changed();
        return;
    }

    const int j = cell.row;
    if (cell.column != m_rules.entryColumn() || j == 1 || j < m_rules.pointCount())
        return;
    m_rules.removePoint(j);
    closeLastPointRow(j);
    m_current = GridCellRef{GridArea::Points, cell.column, j - 1};
    Q_EMIT currentCellChanged();
    m_session.setChanged();
    enableMeasuring();
    Q_EMIT changed();
}

void CharacteristicGrid::choose(int item)
{
    if (!m_current || m_rules.kind(m_current->area, m_current->column) != CellKind::List)
        return;
    const GridCellRef cell = *m_current;
    try {
        apply(cell, m_rules.choose(cell, item), CommitMode::Interactive);
    } catch (const std::exception &error) {
        showGeneralError(m_prompts, error);
        Q_EMIT changed();
    }
}

void CharacteristicGrid::toggleTick(int j, bool on, const CellInput &input)
{
    if (!rowOpen(GridArea::Points, j) || !leave(input, CommitMode::Interactive))
        return;
    if (m_rules.tick(j, on))
        m_session.setChanged();
    Q_EMIT changed();
}

void CharacteristicGrid::setTicks(bool on)
{
    if (m_rules.setTicks(on))
        m_session.setChanged();
    Q_EMIT changed();
}

void CharacteristicGrid::makeCurrent(int k)
{
    m_rules.setCurrentRange(k);
    showPoints();
    Q_EMIT summaryChanged(k);
    m_pointBar.setPosition(0);
    layoutPointBar();
    Q_EMIT changed();
}

void CharacteristicGrid::enableMeasuring()
{
    m_session.display().setMenuEnabled(DocumentDisplay::MenuItem::Pomiary, true);
}

// Scrolling.

void CharacteristicGrid::resetBars()
{
    m_rangeBar = RowScroller();
    m_pointBar = RowScroller();
    m_rangeBarShown = false;
    m_pointBarShown = false;
}

void CharacteristicGrid::layoutRangeBar()
{
    const int count = m_rules.rangeCount();
    m_rangeBar.layout(count, m_groupBoxTop);
    m_rangeBarShown = RowScroller::shownFor(count, m_rangeBar.fit());
}

void CharacteristicGrid::layoutPointBar()
{
    const int count = m_rules.pointCount();
    m_pointBar.layout(count, m_groupBoxTop);
    m_pointBarShown = RowScroller::shownFor(count, m_pointBar.fit());
}

void CharacteristicGrid::layoutBars()
{
    layoutRangeBar();
    layoutPointBar();
    Q_EMIT changed();
}

void CharacteristicGrid::resized(int groupBoxTop)
{
    m_groupBoxTop = groupBoxTop;
    m_rangeBar.afterResize(m_rules.rangeCount(), groupBoxTop);
    m_pointBar.afterResize(m_rules.pointCount(), groupBoxTop);
    layoutBars();
}

void CharacteristicGrid::scrollToLastRange()
{
    m_rangeBar.scrollToLast(m_rules.rangeCount(), m_groupBoxTop);
    m_rangeBarShown = m_rangeBar.needed();
}

bool CharacteristicGrid::scrollToLastPoint()
{
    const bool reached = m_pointBar.scrollToLast(m_rules.pointCount(), m_groupBoxTop);
    m_pointBarShown = m_pointBar.needed();
    return reached;
}

void CharacteristicGrid::scrollTo(GridArea area, int position)
{
    (area == GridArea::Ranges ? m_rangeBar : m_pointBar).setPosition(position);
    Q_EMIT changed();
}

const RowScroller &CharacteristicGrid::scroller(GridArea area) const
{
    return area == GridArea::Ranges ? m_rangeBar : m_pointBar;
}

bool CharacteristicGrid::barShown(GridArea area) const
{
    return area == GridArea::Ranges ? m_rangeBarShown : m_pointBarShown;
}
