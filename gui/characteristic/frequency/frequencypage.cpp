#include "gui/characteristic/frequency/frequencypage.h"

#include "core/frequency/frequencygrid.h"

namespace {

std::unique_ptr<GridRules> frequencyRules(DocumentSession &session, FrequencyPage *page)
{
    auto rules = std::make_unique<FrequencyGridRules>(session);
    rules->askFrequency = [page] { return page->askFrequency(); };
    return rules;
}

} // namespace

FrequencyPage::FrequencyPage(Services &services, DocumentSession &session,
                             CharacteristicFrame &frame, TForm_Czestotliwosc &frequencyDialog)
    : CharacteristicPage(services, session, frame, frequencyDialog, frequencyRules(session, this),
                         Characteristic::Frequency, QStringLiteral("_Cz"))
{
    setObjectName(QStringLiteral("StronaCz"));
}
