#include "gui/characteristic/frequency/frequencypage.h"

#include "core/frequency/frequencygrid.h"
#include "gui/document/tform_sprawdzanie.h"

namespace {

std::unique_ptr<GridRules> frequencyRules(TForm_Sprawdzanie &window, FrequencyPage *page)
{
    auto rules = std::make_unique<FrequencyGridRules>(window.session());
    rules->askFrequency = [page] { return page->askFrequency(); };
    return rules;
}

} // namespace

FrequencyPage::FrequencyPage(Services &services, TForm_Sprawdzanie &window,
                             TForm_Czestotliwosc &frequencyDialog)
    : CharacteristicPage(services, window, frequencyDialog, frequencyRules(window, this),
                         Characteristic::Frequency, QStringLiteral("_Cz"))
{
    setObjectName(QStringLiteral("StronaCz"));
}
