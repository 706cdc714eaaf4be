#include "gui/output/chartpages.h"

#include "core/characteristic/viewswitch.h"
#include "gui/document/tform_sprawdzanie.h"
#include "gui/output/chartpage.h"

namespace {

int indexOf(ChartTable table, ChartKind kind)
{
    return int(table) * 2 + (kind == ChartKind::Errors ? 1 : 0);
}

} // namespace

ChartPages::ChartPages(Prompts &prompts, TForm_Sprawdzanie &window)
    : QObject(&window), m_prompts(prompts), m_window(window)
{}

bool ChartPages::build(Characteristic characteristic, ChartKind kind)
{
    const DocumentSession &session = m_window.session();
    const TDaneSprawdzania &record = session.record();
    const ChartTable table = ChartContent::tableOf(record, characteristic);
    ChartPage *&page = m_pages[indexOf(table, kind)];
    if (!page) {
        // Made when first needed: a chart costs the start-up of the program
        // more than the rest of the window.
        page = new ChartPage;
        m_window.setPage(ViewSwitch::chartPage(record, characteristic, kind), page);
    }
    return page->build(record, table, kind, session.currentRange(characteristic), m_prompts);
}
