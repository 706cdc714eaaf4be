#include "core/output/outputrange.h"

#include "core/characteristic/amplitudecells.h"
#include "core/document/documentsession.h"
#include "core/document/tdanesprawdzania.h"

namespace OutputRanges {

OutputRange current(const DocumentSession &session, Characteristic characteristic)
{
    if (characteristic == Characteristic::Amplitude)
        return {characteristic, session.BiezacyZakres};
    return {characteristic,
            session.record().isAnalogowy() ? session.BiezacyZakresCzDO : session.BiezacyZakresCzDN};
}

OutputRange shown(const DocumentSession &session)
{
    const bool frequency =
        session.shownView && session.shownView() == DocumentSession::View::Frequency;
    return current(session, frequency ? Characteristic::Frequency : Characteristic::Amplitude);
}

QString refusal(const TDaneSprawdzania &record, const OutputRange &range)
{
    if (range.range < 1 || range.range > TDaneSprawdzania::Slots)
        return QStringLiteral("Nie ma zakresu nr %1: zakresy mają numery od 1 do %2.")
            .arg(range.range)
            .arg(TDaneSprawdzania::Slots);
    const bool amplitude = range.characteristic == Characteristic::Amplitude;
    // Without a method no frequency array is in use: there is no slot to
    // look at, and the outputs show nothing of it.
    if (!amplitude && !hasMethod(record))
        return {};
    const bool empty = amplitude ? record.ZakresyAmpl(range.range).isEmpty()
                                 : record.ZakresyCz(range.range).isEmpty();
    if (empty)
        return QStringLiteral("Zakres nr %1 jest pusty.").arg(range.range);
    return {};
}

QString refusalCaption()
{
    return QStringLiteral("Brak danych");
}

bool hasMethod(const TDaneSprawdzania &record)
{
    return record.isAnalogowy() || record.isCyfrowy();
}

QString fixedFrequency(int cz)
{
    if (cz < RangeCz::DC || cz > RangeCz::Hz400)
        return {};
    return AmplitudeCells::frequencyItems().at(cz);
}

} // namespace OutputRanges
