#include "gui/output/chartpages.h"

#include "core/characteristic/viewswitch.h"
#include "core/document/documentsession.h"
#include "gui/document/characteristicframe.h"
#include "gui/output/chartpage.h"

namespace {

int indexOf(ChartTable table, ChartKind kind)
{
    return int(table) * 2 + (kind == ChartKind::Errors ? 1 : 0);
}

} // namespace

ChartPages::ChartPages(Prompts &prompts, DocumentSession &session, CharacteristicFrame &frame)
    : QObject(&frame.window()), m_prompts(prompts), m_session(session), m_frame(frame)
{}

bool ChartPages::build(Characteristic characteristic, ChartKind kind)
{
    const TDaneSprawdzania &record = m_session.record();
    const ChartTable table = ChartContent::tableOf(record, characteristic);
    ChartPage *&page = m_pages[indexOf(table, kind)];
    if (!page) {
        // Made when first needed: a chart costs the start-up of the program
        // more than the rest of the window.
        page = new ChartPage;
        m_frame.setPage(ViewSwitch::chartPage(record, characteristic, kind), page);
    }
    return page->build(record, m_session.extension(), table, kind,
                       m_session.currentRange(characteristic), m_prompts);
}
