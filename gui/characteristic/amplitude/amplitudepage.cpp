#include "gui/characteristic/amplitude/amplitudepage.h"

#include "core/amplitude/amplitudegrid.h"
#include "gui/document/tform_sprawdzanie.h"

namespace {

std::unique_ptr<GridRules> amplitudeRules(TForm_Sprawdzanie &window, AmplitudePage *page)
{
    auto rules = std::make_unique<AmplitudeGridRules>(window.session());
    // Asked only once the page is up.
    rules->askFrequency = [page] { return page->askFrequency(); };
    return rules;
}

} // namespace

AmplitudePage::AmplitudePage(Services &services, TForm_Sprawdzanie &window,
                             TForm_Czestotliwosc &frequencyDialog)
    : CharacteristicPage(services, window, frequencyDialog, amplitudeRules(window, this),
                         Characteristic::Amplitude, QString())
{
    setObjectName(QStringLiteral("Tabela"));
}
