#include "chartpages.h"

#include "chartpage.h"
#include "outputrange.h"
#include "tform_sprawdzanie.h"

namespace {

int indexOf(ChartTable table, ChartKind kind)
{
    return int(table) * 2 + (kind == ChartKind::Errors ? 1 : 0);
}

} // namespace

ChartPages::ChartPages(Prompts &prompts, TForm_Sprawdzanie &window)
    : QObject(&window), m_prompts(prompts), m_session(window.session())
{
    for (ChartTable table :
         {ChartTable::Amplitude, ChartTable::FrequencyDN, ChartTable::FrequencyDO}) {
        for (ChartKind kind : {ChartKind::Points, ChartKind::Errors}) {
            auto *page = new ChartPage;
            m_pages[indexOf(table, kind)] = page;
            window.setPage(pageOf(table, kind), page);
        }
    }
}

bool ChartPages::build(Characteristic characteristic, ChartKind kind)
{
    const TDaneSprawdzania &record = m_session.record();
    const ChartTable table = ChartContent::tableOf(record, characteristic);
    const OutputRange range = OutputRanges::current(m_session, characteristic);
    return page(table, kind)->build(record, table, kind, range.range, m_prompts);
}

int ChartPages::pageOf(ChartTable table, ChartKind kind)
{
    static constexpr int First[] = {1, 4, 6};
    return First[int(table)] + (kind == ChartKind::Errors ? 1 : 0);
}

ChartPage *ChartPages::page(ChartTable table, ChartKind kind) const
{
    return m_pages[indexOf(table, kind)];
}
