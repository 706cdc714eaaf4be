#include "core/output/outputrange.h"

#include "core/characteristic/amplitudecells.h"
#include "core/document/documentsession.h"
#include "core/document/tdanesprawdzania.h"

namespace OutputRanges {

OutputRange shown(const DocumentSession &session)
{
    const Characteristic characteristic = session.shownView() == DocumentSession::View::Frequency
                                              ? Characteristic::Frequency
                                              : Characteristic::Amplitude;
    return {characteristic, session.currentRange(characteristic)};
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
    if (!amplitude && !record.hasMethod())
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

QString fixedFrequency(int cz)
{
    if (cz < RangeCz::DC || cz > RangeCz::Hz400)
        return {};
    return AmplitudeCells::frequencyItems().at(cz);
}

} // namespace OutputRanges
