#include "core/amplitude/amplitudegrid.h"

#include "core/calibrator/calibratorranges.h"
#include "core/characteristic/amplitudecells.h"
#include "core/characteristic/numbertext.h"
#include "core/document/documentsession.h"
#include "core/document/tdanesprawdzania.h"

#include <vector>

using namespace AmplitudeTags;

namespace {

std::vector<std::uint8_t> headerOf(ConstZakresAmpl range)
{
    return {range.bytes(), range.bytes() + RecordLayout::ZakresAmplHeader};
}

} // namespace

AmplitudeGridRules::AmplitudeGridRules(DocumentSession &session) : m_session(session) {}

bool AmplitudeGridRules::cyfrowy() const
{
    return m_session.record().isCyfrowy();
}

TZakresAmpl AmplitudeGridRules::range(int k) const
{
    return m_session.record().ZakresyAmpl(k);
}

GridTags AmplitudeGridRules::tags() const
{
    return AmplitudeTags::Tags;
}

CellKind AmplitudeGridRules::kind(GridArea area, int column) const
{
    if (area == GridArea::Ranges)
        return column == FrequencyColumn ? CellKind::List : CellKind::Edit;
    if (column == entryColumn())
        return CellKind::Edit;
    return column == TickColumn ? CellKind::Tick : CellKind::Shown;
}

int AmplitudeGridRules::maxLength(GridArea area, int column) const
{
    return AmplitudeCells::maxLength(area, column);
}

int AmplitudeGridRules::entryColumn() const
{
    return AmplitudeTags::entryColumn(cyfrowy());
}

int AmplitudeGridRules::currentRange() const
{
    return m_session.currentRange(Characteristic::Amplitude);
}

void AmplitudeGridRules::setCurrentRange(int k)
{
    m_session.setCurrentRange(Characteristic::Amplitude, k);
}

int AmplitudeGridRules::rangeCount() const
{
    return m_session.record().amplRangeCount();
}

bool AmplitudeGridRules::rangeDefined(int k) const
{
    return !range(k).isEmpty();
}

int AmplitudeGridRules::pointCount() const
{
    return range(currentRange()).pointCount();
}

bool AmplitudeGridRules::pointDefined(int j) const
{
    return range(currentRange()).Punkty(j).Wpisany();
}

bool AmplitudeGridRules::resultsShown(int j) const
{
    // A point removed after it was measured keeps its marks in the record,
    // but its row has nothing to show.
    const ConstZakresAmpl r = range(currentRange());
    const ConstPunktAmpl point = r.Punkty(j);
    return r.Zmierzony() && point.Zmierzony() && point.Wpisany();
}

QString AmplitudeGridRules::text(GridArea area, int column, int row) const
{
    if (area == GridArea::Ranges) {
        const ConstZakresAmpl r = range(row);
        switch (column) {
        case ValueColumn:
            return AmplitudeCells::rangeValueText(r);
        case FrequencyColumn:
            return itemText({area, column, row});
        case ClassMeasuredColumn:
            return AmplitudeCells::classMeasuredText(r);
        case ClassRangeColumn:
            return AmplitudeCells::classRangeText(r);
        default:
            return {};
        }
    }
    const ConstZakresAmpl r = range(currentRange());
    const ConstPunktAmpl point = r.Punkty(row);
    if (resultsShown(row)) {
        const AmplitudeCells::FullRow full = AmplitudeCells::fullRow(r, point);
        switch (column) {
        case WmColumn:
            return full.wm;
        case NkColumn:
            return full.nk;
        case BmrColumn:
            return full.bmr;
        case BmdColumn:
            return full.bmd;
        case BkColumn:
            return full.bk;
        case UnitColumn:
            return full.unit;
        default:
            return {};
        }
    }
    if (column == entryColumn() && point.Wpisany())
        return AmplitudeCells::pointEntryText(r, row, cyfrowy());
    return {};
}

QStringList AmplitudeGridRules::items(const GridCellRef &cell) const
{
    if (cell.area != GridArea::Ranges || cell.column != FrequencyColumn)
        return {};
    QStringList list = AmplitudeCells::frequencyItems();
    const ConstZakresAmpl r = range(cell.row);
    if (r.Cz() == RangeCz::User) {
        const QString user = AmplitudeCells::userFrequencyItem(r.CzHz());
        if (!user.isEmpty())
            list[RangeCz::User] = user;
    }
    return list;
}

int AmplitudeGridRules::item(const GridCellRef &cell) const
{
    if (cell.area != GridArea::Ranges || cell.column != FrequencyColumn)
        return -1;
    const int cz = range(cell.row).Cz();
    return cz >= RangeCz::DC && cz <= RangeCz::User ? cz : RangeCz::DC;
}

Decision AmplitudeGridRules::decision(int j) const
{
    const ConstZakresAmpl r = range(currentRange());
    return Uncertainty::RangeJudging::of(m_session.extension(), Characteristic::Amplitude,
                                         currentRange())
        .budget(r, r.Punkty(j))
        .decision;
}

bool AmplitudeGridRules::ticked(int j) const
{
    return range(currentRange()).Punkty(j).Wl();
}

CellOutcome AmplitudeGridRules::leave(const GridCellRef &cell, const CellInput &input)
{
    if (cell.area == GridArea::Ranges)
        return AmplitudeCells::leaveRangeCell(range(cell.row), cell.column, input.text,
                                              cell.row == currentRange(), !cyfrowy());
    if (cell.column != entryColumn())
        return {};
    CellOutcome outcome = AmplitudeCells::cellOutcome(
        AmplitudeCells::leavePoint(range(currentRange()), cell.row, input.text, cyfrowy()));
    outcome.enablesMeasuring = true;
    return outcome;
}

CellOutcome AmplitudeGridRules::choose(const GridCellRef &cell, int item)
{
    if (cell.area != GridArea::Ranges || cell.column != FrequencyColumn)
        return {};
    TZakresAmpl r = range(cell.row);
    const auto before = headerOf(r);
    if (item == RangeCz::User) {
        const QString text = askFrequency ? askFrequency() : QString();
        if (!text.isEmpty())
            AmplitudeCells::chooseFrequency(r, RangeCz::User, text);
    } else {
        AmplitudeCells::chooseFrequency(r, item);
    }
    CellOutcome outcome;
    outcome.changed = headerOf(r) != before;
    outcome.summary = cell.row == currentRange();
    return outcome;
}

CellOutcome AmplitudeGridRules::confirm(const GridCellRef &cell, int item)
{
    if (cell.area != GridArea::Ranges || cell.column != FrequencyColumn)
        return {};
    TZakresAmpl r = range(cell.row);
    const std::int32_t before = r.Cz();
    if (item >= RangeCz::DC && item <= RangeCz::Hz400)
        AmplitudeCells::chooseFrequency(r, item);
    else if (item == RangeCz::User && r.Cz() != RangeCz::User)
        r.setCz(RangeCz::User);
    CellOutcome outcome;
    outcome.changed = r.Cz() != before;
    return outcome;
}

bool AmplitudeGridRules::tick(int j, bool on)
{
    TPunktAmpl point = range(currentRange()).Punkty(j);
    if (point.Wl() == on)
        return false;
    point.setWl(on);
    return true;
}

bool AmplitudeGridRules::setTicks(bool on)
{
    return AmplitudeCells::setTicks(range(currentRange()), on);
}

void AmplitudeGridRules::clearRange(int k)
{
    range(k).clear();
}

void AmplitudeGridRules::removePoint(int j)
{
    AmplitudeCells::leavePoint(range(currentRange()), j, QStringLiteral("-1"), cyfrowy());
}

RangeSummary AmplitudeGridRules::summary(int, const QStringList &rowTexts) const
{
    return AmplitudeCells::summary(rowTexts.value(0), rowTexts.value(1), rowTexts.value(2),
                                   rowTexts.value(3));
}

QList<GridHeader> AmplitudeGridRules::headers() const
{
    using Band = GridHeader::Band;
    const GridArea ranges = GridArea::Ranges;
    const GridArea points = GridArea::Points;
    const HeaderTone input = HeaderTone::Input;
    const bool digital = cyfrowy();
    QList<GridHeader> headers = {
        {QStringLiteral("Label_Zak"), QStringLiteral("Zakres"), ranges, 1, 1, Band::Whole, input},
        {QStringLiteral("Label_Cz"), QStringLiteral("Nastawa częstotliw. kalibratora"), ranges, 2,
         2, Band::Whole, input},
        {QStringLiteral("Label_Wm"), QStringLiteral("Wskazanie miernika badanego"), points,
         WmColumn, WmColumn, Band::Whole, digital ? input : HeaderTone::Entry},
        {QStringLiteral("Label_Nk"), QStringLiteral("Nastawa amplitudy kalibratora"), points,
         NkColumn, NkColumn, Band::Whole, digital ? HeaderTone::Entry : input},
    };
    headers.append(AmplitudeCells::sharedHeaders(QString()));
    return headers;
}

QStringList AmplitudeGridRules::widestTexts(GridArea area, int column) const
{
    if (area == GridArea::Ranges) {
        switch (column) {
        case ValueColumn:
            return AmplitudeCells::widestRangeTexts(AmplitudeCells::RangeText::Value);
        case FrequencyColumn: {
            QStringList texts = AmplitudeCells::frequencyItems();
            for (const FrequencyBand::Band &band : FrequencyBand::Bands)
                texts.append(AmplitudeCells::userFrequencyItem(band.highest));
            return texts;
        }
        case ClassMeasuredColumn:
            return AmplitudeCells::widestRangeTexts(AmplitudeCells::RangeText::ClassMeasured);
        case ClassRangeColumn:
            return AmplitudeCells::widestRangeTexts(AmplitudeCells::RangeText::ClassRange);
        default:
            return {};
        }
    }
    if (column == WmColumn || column == NkColumn)
        return AmplitudeCells::widestResults(AmplitudeCells::ResultColumn::Value);
    return AmplitudeCells::widestPointResults(column);
}
