#include "core/characteristic/viewswitch.h"

#include "core/base/prompts.h"
#include "core/document/tdanesprawdzania.h"

#include <cmath>

namespace {

struct CurrentRange
{
    bool inUse = false;
    bool measured = false;
    bool anyRange = false;
    long double zak = 0;
    QString jm;
};

// The current range of the table a characteristic uses. A document of
// neither kind has no frequency table.
CurrentRange currentRange(const DocumentSession &session, Characteristic characteristic)
{
    const TDaneSprawdzania &record = session.record();
    const int current = session.currentRange(characteristic);
    if (current < 1 || current > TDaneSprawdzania::Slots)
        return {};
    CurrentRange range;
    if (characteristic == Characteristic::Amplitude) {
        const ConstZakresAmpl shown = record.ZakresyAmpl(current);
        range = {true, shown.Zmierzony(), !record.ZakresyAmpl(1).isEmpty(), shown.Zak(),
                 shown.Jm()};
    } else if (record.hasMethod()) {
        const ConstZakresCz shown = record.ZakresyCz(current);
        range = {true, shown.Zmierzony(), !record.ZakresyCz(1).isEmpty(), shown.Zak(), shown.Jm()};
    }
    return range;
}

} // namespace

ViewSwitch::ViewSwitch(DocumentSession &session, Prompts &prompts, QObject *parent)
    : QObject(parent), m_session(session), m_prompts(prompts)
{
    m_session.setShownView([this] { return shownView(); });
    connect(&m_session, &DocumentSession::viewRestoreRequested, this, [this](bool amplitude) {
        selectCharacteristic(amplitude ? Characteristic::Amplitude : Characteristic::Frequency);
    });
}

int ViewSwitch::tab(Characteristic characteristic) const
{
    return characteristic == Characteristic::Amplitude ? m_amplitudeTab : m_frequencyTab;
}

ViewSwitch::Tone ViewSwitch::tone(Characteristic characteristic) const
{
    return enabled(characteristic) ? Tone::Active : Tone::Inactive;
}

DocumentSession::View ViewSwitch::shownView() const
{
    if (m_characteristic == Characteristic::Frequency)
        return DocumentSession::View::Frequency;
    return m_page == tablePage(Characteristic::Amplitude) ? DocumentSession::View::AmplitudeTable
                                                          : DocumentSession::View::AmplitudeChart;
}

QString ViewSwitch::czestNastWskaCaption() const
{
    if (m_characteristic == Characteristic::Amplitude)
        return QStringLiteral("Częstotliwość:");
    return m_session.record().isCyfrowy() ? QStringLiteral("Nast. amplit. kalibr.:")
                                          : QStringLiteral("Wskaz. mier. bad.:");
}

int ViewSwitch::tablePage(Characteristic characteristic)
{
    return characteristic == Characteristic::Amplitude ? 0 : 3;
}

int ViewSwitch::chartPage(const TDaneSprawdzania &record, Characteristic characteristic,
                          ChartKind kind)
{
    // Each table's charts follow it, points first; the exact-reading
    // frequency charts come after the exact-setting ones.
    const int points = characteristic == Characteristic::Amplitude ? 1
                       : record.isAnalogowy()                      ? 6
                                                                   : 4;
    return points + (kind == ChartKind::Errors ? 1 : 0);
}

int ViewSwitch::uncertaintyPage(Characteristic characteristic)
{
    return characteristic == Characteristic::Amplitude ? 8 : 9;
}

void ViewSwitch::selectCharacteristic(Characteristic characteristic)
{
    m_characteristic = characteristic;
    m_page = tablePage(characteristic);
    m_amplitudeTab = TableTab;
    m_frequencyTab = TableTab;
    Q_EMIT characteristicChanged(characteristic);
    Q_EMIT changed();
}

QString ViewSwitch::refusal(Characteristic characteristic, bool *said) const
{
    const CurrentRange range = currentRange(m_session, characteristic);
    if (said)
        *said = range.anyRange;
    if (range.inUse && range.measured)
        return {};
    return QStringLiteral("Na zakresie ") +
           QString::number(std::llround(static_cast<double>(range.zak))) + range.jm +
           QStringLiteral(" nie przeprowadzono jeszcze pomiarów.");
}

bool ViewSwitch::selectTab(Characteristic characteristic, int tab)
{
    if (!enabled(characteristic) || tab < TableTab || tab > UncertaintyTab)
        return false;
    int &selected = characteristic == Characteristic::Amplitude ? m_amplitudeTab : m_frequencyTab;
    if (tab == TableTab || tab == UncertaintyTab) {
        selected = tab;
        m_page = tab == TableTab ? tablePage(characteristic) : uncertaintyPage(characteristic);
        Q_EMIT changed();
        return true;
    }
    bool said = false;
    const QString refused = refusal(characteristic, &said);
    if (!refused.isEmpty()) {
        if (said)
            m_prompts.show(refused, QStringLiteral("Brak danych"));
        Q_EMIT changed();
        return false;
    }
    const ChartKind kind = tab == PointsTab ? ChartKind::Points : ChartKind::Errors;
    if (buildChart && buildChart(characteristic, kind)) {
        selected = tab;
        m_page = chartPage(m_session.record(), characteristic, kind);
    } else {
        selected = TableTab;
        m_page = tablePage(characteristic);
    }
    Q_EMIT changed();
    return true;
}
