#pragma once

#include "core/output/chartcontent.h"

#include <QObject>

#include <array>

class CharacteristicFrame;
class ChartPage;
class DocumentSession;
class Prompts;

// The six chart pages of the verification window's notebook: the amplitude
// points and errors charts on pages 1 and 2, the exact-setting frequency
// charts on 4 and 5, the exact-reading ones on 6 and 7.
//
// The tab bars under the notebook call build() for their second ("Wykres
// punktów") and third ("Wykres błędów") tab, and show the chart's page
// when it returns true, the table with its first tab when it returns
// false.
class ChartPages : public QObject
{
    Q_OBJECT

public:
    // The pages go into the frame's notebook when first built.
    ChartPages(Prompts &prompts, DocumentSession &session, CharacteristicFrame &frame);

    // Builds the chart of the current range of a characteristic (for the
    // frequency one, of the document's method) on its page. False, after
    // the "Wykres" box, when there is nothing to plot; the page then keeps
    // what it showed.
    bool build(Characteristic characteristic, ChartKind kind);

private:
    Prompts &m_prompts;
    const DocumentSession &m_session;
    CharacteristicFrame &m_frame;
    // Indexed by table * 2 + kind.
    std::array<ChartPage *, 6> m_pages{};
};
