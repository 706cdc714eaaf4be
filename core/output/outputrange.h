#pragma once

#include "core/characteristic/uncertainty.h"
#include "core/document/documentextension.h"

#include <QString>

class DocumentSession;
class TDaneSprawdzania;

// The two characteristics of a verification, as the window shows them.
enum class Characteristic { Amplitude, Frequency };

// What a printed report, a chart or a workbook is made of: one range of one
// characteristic. For the frequency characteristic the range is one of the
// array the document's Typ uses (ZakresyCzDO for "Analogowy", ZakresyCzDN
// for "Cyfrowy").
struct OutputRange
{
    Characteristic characteristic = Characteristic::Amplitude;
    int range = 1;
};

namespace OutputRanges {

// The table of the document's extension data a characteristic's ranges
// have their resolutions in.
DocumentExtension::Table extensionTable(Characteristic characteristic);

// How the points of a range are judged: the document's rule and the
// meter's resolution on that range.
Uncertainty::RangeJudging judging(const DocumentExtension &extension, const OutputRange &range);

// The current range of a characteristic in the verification window: of
// ZakresyAmpl, or of the frequency array the document's Typ uses.
OutputRange current(const DocumentSession &session, Characteristic characteristic);

// The range the verification window shows: the current range of the
// characteristic of its view.
OutputRange shown(const DocumentSession &session);

// Why no output can be made of the range: a range number outside 1..35, or
// a slot without a range. Empty when there is nothing against it. The
// frequency slots of a document without a method are not looked at.
QString refusal(const TDaneSprawdzania &record, const OutputRange &range);

// The caption of the refusal's box.
QString refusalCaption();

// Whether the document's Typ names a method, "Analogowy" or "Cyfrowy"; the
// report and the print selection have nothing to show without one.
bool hasMethod(const TDaneSprawdzania &record);

// The frequency of an amplitude range's index Cz as its list names it: "DC",
// "50Hz", "60Hz" or "400Hz" for 0..3. Empty for the free frequency (4),
// which each output writes its own way, and for anything else.
QString fixedFrequency(int cz);

} // namespace OutputRanges
