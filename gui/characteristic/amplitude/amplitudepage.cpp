#include "amplitudepage.h"

#include "amplitudegrid.h"
#include "services.h"
#include "tform_czestotliwosc.h"
#include "tform_sprawdzanie.h"

namespace {

std::unique_ptr<GridRules> amplitudeRules(TForm_Sprawdzanie &window, AmplitudePage *page)
{
    auto rules = std::make_unique<AmplitudeGridRules>(window.session());
    // Asked only once the page is up.
    rules->askFrequency = [page] { return page->askFrequency(); };
    return rules;
}

} // namespace

AmplitudePage::AmplitudePage(Services &services, TForm_Sprawdzanie &window)
    : CharacteristicPage(services, window, amplitudeRules(window, this), 0, QString())
{
    setObjectName(QStringLiteral("Tabela"));
}

QString AmplitudePage::askFrequency()
{
    if (!m_frequencyDialog)
        m_frequencyDialog = new TForm_Czestotliwosc(m_services.prompts, this);
    return m_frequencyDialog->ask();
}
