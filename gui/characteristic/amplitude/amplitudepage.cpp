#include "gui/characteristic/amplitude/amplitudepage.h"

#include "core/amplitude/amplitudegrid.h"

namespace {

std::unique_ptr<GridRules> amplitudeRules(DocumentSession &session, AmplitudePage *page)
{
    auto rules = std::make_unique<AmplitudeGridRules>(session);
    // Asked only once the page is up.
    rules->askFrequency = [page] { return page->askFrequency(); };
    return rules;
}

} // namespace

AmplitudePage::AmplitudePage(Services &services, DocumentSession &session,
                             CharacteristicFrame &frame, TForm_Czestotliwosc &frequencyDialog)
    : CharacteristicPage(services, session, frame, frequencyDialog, amplitudeRules(session, this),
                         Characteristic::Amplitude, QString())
{
    setObjectName(QStringLiteral("Tabela"));
}
