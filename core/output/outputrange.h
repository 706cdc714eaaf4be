#pragma once

#include "core/document/characteristic.h"

#include <QString>

class DocumentSession;
class TDaneSprawdzania;

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

// The range the verification window shows: the current range of the
// characteristic of its view.
OutputRange shown(const DocumentSession &session);

// Why no output can be made of the range: a range number outside 1..35, or
// a slot without a range. Empty when there is nothing against it. The
// frequency slots of a document without a method are not looked at.
QString refusal(const TDaneSprawdzania &record, const OutputRange &range);

// The caption of the refusal's box.
QString refusalCaption();

// The frequency of an amplitude range's index Cz as its list names it: "DC",
// "50Hz", "60Hz" or "400Hz" for 0..3. Empty for the free frequency (4),
// which each output writes its own way, and for anything else.
QString fixedFrequency(int cz);

} // namespace OutputRanges
