#include "core/characteristic/rowscroller.h"

#include <algorithm>

int RowScroller::rowsThatFit(int groupBoxTop)
{
    return std::max(0, (groupBoxTop - Margin) / RowHeight);
}

// The row count, then the group box's top in pixels, as scrollToLast() takes them.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
void RowScroller::layout(int count, int groupBoxTop)
{
    m_fit = rowsThatFit(groupBoxTop);
    m_needed = count >= m_fit;
    m_maximum = m_needed ? count - m_fit : 0;
    if (m_position > m_maximum)
        m_position = m_maximum;
}

bool RowScroller::scrollToLast(int count, int groupBoxTop)
{
    layout(count, groupBoxTop);
    bool reached = true;
    if (count >= m_fit && m_needed) {
        const int t = count + 1 - m_fit;
        if (t <= Rows - m_fit)
            m_areaTop = areaTopAt(t);
        else
            reached = false;
    }
    // With exactly as many rows as fit, the row just opened below them
    // still has to be reachable.
    if (count == m_fit)
        m_maximum = 1;
    m_position = m_maximum;
    return reached;
}

void RowScroller::stepBack()
{
    m_areaTop = std::min(AreaTop, m_areaTop + RowHeight);
}

void RowScroller::afterResize(int count, int groupBoxTop)
{
    layout(count, groupBoxTop);
    // A resize pulls the bar back by all but one of the rows that fit.
    const int last = m_maximum - pageStep() + 1;
    if (m_position > last)
        m_position = std::max(0, last);
    m_areaTop = areaTopAt(m_position);
}

void RowScroller::setPosition(int position)
{
    m_position = std::clamp(position, 0, std::max(0, m_maximum));
    m_areaTop = areaTopAt(m_position);
}

namespace WindowSize {

int allowedHeight(int height)
{
    const int clamped = std::clamp(height, MinHeight, MaxHeight);
    return (clamped - BaseHeight) / RowScroller::RowHeight * RowScroller::RowHeight + BaseHeight;
}

} // namespace WindowSize
