#include "core/frequency/frequencygrid.h"

#include "core/base/localnumber.h"
#include "core/calibrator/calibratorranges.h"
#include "core/characteristic/amplitudecells.h"
#include "core/characteristic/errormath.h"
#include "core/characteristic/numbertext.h"
#include "core/document/documentsession.h"
#include "core/document/real48.h"
#include "core/document/tdanesprawdzania.h"

#include <vector>

using namespace FrequencyTags;

namespace {

// The items of a point's list stand in the order of its Cz.
constexpr int UserFrequencyItem = PointCz::User;

CellOutcome refusal(const QString &message, const QString &caption, PromptIcon icon)
{
    CellOutcome outcome;
    outcome.message = message;
    outcome.caption = caption;
    outcome.icon = icon;
    outcome.refused = true;
    return outcome;
}

std::vector<std::uint8_t> bytesOf(ConstPunktCz point)
{
    return {point.bytes(), point.bytes() + TPunktCz::Size};
}

// A measured point names its user frequency in full.
QString measuredFrequencyItem(long double hertz)
{
    return NumberText::general(hertz) + QStringLiteral("Hz");
}

bool sameStored(long double a, long double b)
{
    return Real48::fits(a) && Real48::fits(b) &&
           Real48::fromLongDouble(a) == Real48::fromLongDouble(b);
}

} // namespace

FrequencyGridRules::FrequencyGridRules(DocumentSession &session) : m_session(session) {}

QStringList FrequencyGridRules::frequencyItems()
{
    return {QStringLiteral("50Hz"), QStringLiteral("60Hz"), QStringLiteral("400Hz"),
            QStringLiteral("f")};
}

bool FrequencyGridRules::analogowy() const
{
    return m_session.record().isAnalogowy();
}

bool FrequencyGridRules::inUse() const
{
    return m_session.record().hasMethod();
}

TZakresCz FrequencyGridRules::range(int k) const
{
    TDaneSprawdzania &record = m_session.record();
    return analogowy() ? record.ZakresyCzDO(k) : record.ZakresyCzDN(k);
}

GridTags FrequencyGridRules::tags() const
{
    return FrequencyTags::Tags;
}

CellKind FrequencyGridRules::kind(GridArea area, int column) const
{
    if (area == GridArea::Ranges)
        return CellKind::Edit;
    if (column == FrequencyColumn)
        return CellKind::List;
    return column == TickColumn ? CellKind::Tick : CellKind::Shown;
}

int FrequencyGridRules::maxLength(GridArea area, int column) const
{
    return AmplitudeCells::maxLength(area, column);
}

int FrequencyGridRules::entryColumn() const
{
    return FrequencyColumn;
}

int FrequencyGridRules::currentRange() const
{
    return m_session.currentRange(Characteristic::Frequency);
}

void FrequencyGridRules::setCurrentRange(int k)
{
    if (!inUse())
        return;
    m_session.setCurrentRange(Characteristic::Frequency, k);
}

int FrequencyGridRules::rangeCount() const
{
    if (!inUse())
        return 0;
    const TDaneSprawdzania &record = m_session.record();
    return analogowy() ? record.czDORangeCount() : record.czDNRangeCount();
}

bool FrequencyGridRules::rangeDefined(int k) const
{
    return inUse() && !range(k).isEmpty();
}

int FrequencyGridRules::pointCount() const
{
    return inUse() ? range(currentRange()).pointCount() : 0;
}

bool FrequencyGridRules::pointDefined(int j) const
{
    return inUse() && range(currentRange()).Punkty(j).Wpisany();
}

bool FrequencyGridRules::resultsShown(int j) const
{
    if (!inUse())
        return false;
    const ConstZakresCz r = range(currentRange());
    const ConstPunktCz point = r.Punkty(j);
    return r.Zmierzony() && point.Zmierzony() && point.Wpisany();
}

void FrequencyGridRules::pointsShown()
{
    m_chosen.fill(false);
}

bool FrequencyGridRules::chosen(int j) const
{
    return pointDefined(j) || (j >= 1 && j <= GridTags::Rows && m_chosen[j]);
}

QString FrequencyGridRules::text(GridArea area, int column, int row) const
{
    if (!inUse())
        return {};
    if (area == GridArea::Ranges) {
        const ConstZakresCz r = range(row);
        switch (column) {
        case ValueColumn:
            return AmplitudeCells::rangeValueText(r);
        case AmplitudeColumn:
            return NumberText::general(ErrorMath::amplitudeInRangeUnit(r));
        case ClassMeasuredColumn:
            return AmplitudeCells::classMeasuredText(r);
        case ClassRangeColumn:
            return AmplitudeCells::classRangeText(r);
        default:
            return {};
        }
    }
    if (column == FrequencyColumn)
        return itemText({area, column, row});
    if (!resultsShown(row))
        return {};
    const ConstZakresCz r = range(currentRange());
    const ConstPunktCz point = r.Punkty(row);
    const AmplitudeCells::Results results = AmplitudeCells::results(r, point);
    switch (column) {
    case MeasuredColumn:
        return NumberText::fixed(point.WmDN_NkDO(), point.Dokl());
    case BmrColumn:
        return results.bmr;
    case BmdColumn:
        return results.bmd;
    case BkColumn:
        return results.bk;
    case UnitColumn:
        return results.unit;
    default:
        return {};
    }
}

QStringList FrequencyGridRules::items(const GridCellRef &cell) const
{
    if (cell.area != GridArea::Points || cell.column != FrequencyColumn)
        return {};
    const int j = cell.row;
    QStringList list = frequencyItems();
    if (!inUse() || !chosen(j))
        return list;
    const ConstPunktCz point = range(currentRange()).Punkty(j);
    if (point.Cz() != UserFrequencyItem)
        return list;
    // A measured point names its frequency in full; otherwise only a
    // frequency within the dialog's bands replaces "f".
    if (resultsShown(j)) {
        list[UserFrequencyItem] = measuredFrequencyItem(point.CzHz());
    } else if (const auto band = NumberText::bandFrequency(point.CzHz())) {
        list[UserFrequencyItem] = *band + QStringLiteral("Hz");
    }
    return list;
}

int FrequencyGridRules::item(const GridCellRef &cell) const
{
    if (cell.area != GridArea::Points || cell.column != FrequencyColumn)
        return -1;
    const int j = cell.row;
    if (!inUse() || !chosen(j))
        return UserFrequencyItem;
    const int cz = range(currentRange()).Punkty(j).Cz();
    return cz >= PointCz::Hz50 && cz <= UserFrequencyItem ? cz : UserFrequencyItem;
}

Decision FrequencyGridRules::decision(int j) const
{
    const ConstZakresCz r = range(currentRange());
    return Uncertainty::RangeJudging::of(m_session.extension(), Characteristic::Frequency,
                                         currentRange())
        .budget(r, r.Punkty(j))
        .decision;
}

QString FrequencyGridRules::hint(GridArea area, int column) const
{
    if (area != GridArea::Points)
        return {};
    switch (column) {
    case BmrColumn:
        return QStringLiteral("Błąd rzeczywisty miernika");
    case BmdColumn:
        return QStringLiteral("Błąd dopuszczalny miernika");
    case BkColumn:
        return QStringLiteral("Błąd kalibratora");
    default:
        return {};
    }
}

bool FrequencyGridRules::ticked(int j) const
{
    return inUse() && range(currentRange()).Punkty(j).Wl();
}

CellOutcome FrequencyGridRules::leave(const GridCellRef &cell, const CellInput &input)
{
    if (!inUse())
        return {};
    if (cell.area == GridArea::Points)
        return cell.column == FrequencyColumn ? leavePoint(cell.row, input) : CellOutcome{};
    if (cell.column == AmplitudeColumn)
        return leaveAmplitude(cell.row, input.text);
    return AmplitudeCells::leaveRangeCell(range(cell.row), cell.column, input.text,
                                          cell.row == currentRange(), analogowy());
}

CellOutcome FrequencyGridRules::leaveAmplitude(int k, const QString &text)
{
    const bool cyfrowy = !analogowy();
    if (text.isEmpty())
        return refusal(cyfrowy ? QStringLiteral("You did not enter calibrator's setting.")
                               : QStringLiteral("You did not enter meter readout!"),
                       QStringLiteral("Error"), PromptIcon::None);
    const auto value =
        NumberText::fromDot(QString(text).replace(QLatin1Char(','), QLatin1Char('.')));
    if (!value)
        return refusal(cyfrowy ? QStringLiteral("Źle wprowadzona nastawa amplitudy kalibratora.")
                               : QStringLiteral("Źle wprowadzone wskazanie miernika."),
                       QStringLiteral("Błąd"), PromptIcon::Critical);
    TZakresCz r = range(k);
    CellOutcome outcome;
    outcome.summary = k == currentRange();
    // The cell shows the amplitude in Jm, whatever unit a run left it in:
    // the same number typed again changes nothing.
    if (sameStored(*value, ErrorMath::amplitudeInRangeUnit(r)))
        return outcome;
    r.setNkDN_WmDO(*value);
    // A new amplitude is typed in Jm. The results measured at the old one
    // no longer belong to the range, and their calibrator unit would make
    // the next run read the new amplitude in that unit.
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        TPunktCz point = r.Punkty(j);
        if (point.Zmierzony())
            point.setZmierzony(false);
    }
    outcome.changed = true;
    return outcome;
}

CellOutcome FrequencyGridRules::leavePoint(int j, const CellInput &input)
{
    const int item = input.item;
    TPunktCz point = range(currentRange()).Punkty(j);
    const auto before = bytesOf(point);
    CellOutcome outcome;
    outcome.enablesMeasuring = true;
    if (item < 0) {
        point.setCz(PointCz::Hz50);
        point.setWl(false);
        point.setWpisany(false);
        m_chosen[j] = false;
    } else if (item == UserFrequencyItem) {
        // The frequency was stored when it was chosen; a list still at "f"
        // has none to define the point with.
        if (!chosen(j) || point.Cz() != UserFrequencyItem)
            return outcome;
        point.setWpisany(true);
    } else if (item < UserFrequencyItem) {
        point.setCz(item);
        point.setWpisany(true);
    }
    outcome.changed = bytesOf(point) != before;
    return outcome;
}

CellOutcome FrequencyGridRules::choose(const GridCellRef &cell, int item)
{
    if (!inUse() || cell.area != GridArea::Points || cell.column != FrequencyColumn)
        return {};
    const int j = cell.row;
    TPunktCz point = range(currentRange()).Punkty(j);
    const auto before = bytesOf(point);
    if (item >= PointCz::Hz50 && item < UserFrequencyItem) {
        point.setCz(item);
        point.setCzHz(PointCz::Hertz[item]);
    } else if (item == UserFrequencyItem) {
        // What the dialog left is read once more here: a text that is not a
        // number stores nothing.
        const auto hertz = readLocalNumber(askFrequency ? askFrequency() : QString());
        if (!hertz) {
            CellOutcome outcome;
            outcome.asked = true;
            return outcome;
        }
        point.setCz(UserFrequencyItem);
        point.setCzHz(*hertz);
    } else {
        return {};
    }
    m_chosen[j] = true;
    CellOutcome outcome;
    outcome.changed = bytesOf(point) != before;
    outcome.asked = item == UserFrequencyItem;
    return outcome;
}

CellOutcome FrequencyGridRules::enter(const GridCellRef &cell)
{
    if (!inUse() || cell.area != GridArea::Points || cell.column != FrequencyColumn)
        return {};
    // A list still at "f" asks for its frequency at once: a new row opens
    // with the frequency dialog.
    if (item(cell) == UserFrequencyItem && itemText(cell) == QLatin1String("f"))
        return choose(cell, UserFrequencyItem);
    return {};
}

CellOutcome FrequencyGridRules::confirm(const GridCellRef &cell, int item)
{
    if (!inUse() || cell.area != GridArea::Points || cell.column != FrequencyColumn || item < 0 ||
        item >= UserFrequencyItem)
        return {};
    TPunktCz point = range(currentRange()).Punkty(cell.row);
    const auto before = bytesOf(point);
    point.setCzHz(PointCz::Hertz[item]);
    CellOutcome outcome;
    outcome.changed = bytesOf(point) != before;
    return outcome;
}

bool FrequencyGridRules::tick(int j, bool on)
{
    if (!inUse())
        return false;
    TPunktCz point = range(currentRange()).Punkty(j);
    if (point.Wl() == on)
        return false;
    point.setWl(on);
    return true;
}

bool FrequencyGridRules::setTicks(bool on)
{
    return inUse() && AmplitudeCells::setTicks(range(currentRange()), on);
}

void FrequencyGridRules::clearRange(int k)
{
    if (inUse())
        range(k).clear();
}

void FrequencyGridRules::removePoint(int j)
{
    if (inUse())
        leavePoint(j, CellInput{});
}

RangeSummary FrequencyGridRules::summary(int k, const QStringList &rowTexts) const
{
    const QString jm = inUse() && k >= 1 && k <= GridTags::Rows ? range(k).Jm() : QString();
    const QString second = (analogowy() ? QStringLiteral("Wskaz. mier. bad.: ")
                                        : QStringLiteral("Nast. amplit. kalibr.: ")) +
                           AmplitudeCells::summaryPiece(rowTexts.value(1)) + QLatin1Char(' ') + jm;
    return AmplitudeCells::rangeSummary(rowTexts.value(0), second, rowTexts.value(2),
                                        rowTexts.value(3));
}

QList<GridHeader> FrequencyGridRules::headers() const
{
    using Band = GridHeader::Band;
    const GridArea ranges = GridArea::Ranges;
    const GridArea points = GridArea::Points;
    const HeaderTone input = HeaderTone::Input;
    const QString setting = QStringLiteral("Nastawa amplitudy kalibratora");
    const QString reading = QStringLiteral("Wskazanie miernika badanego");
    // The method decides which of the two is typed per range and which the
    // run measures per point.
    const bool exactReading = analogowy();
    QList<GridHeader> headers = {
        {QStringLiteral("Label_Zak_Cz"), QStringLiteral("                Zakres"), ranges,
         ValueColumn, ValueColumn, Band::Whole, input},
        {exactReading ? QStringLiteral("Label_Wm_DO_Cz") : QStringLiteral("Label_Nk_DN_Cz"),
         exactReading ? reading : setting, ranges, AmplitudeColumn, AmplitudeColumn, Band::Whole,
         input},
        {exactReading ? QStringLiteral("Label_Nk_DO_Cz") : QStringLiteral("Label_Wm_DN_Cz"),
         exactReading ? setting : reading, points, MeasuredColumn, MeasuredColumn, Band::Whole,
         input},
        {QStringLiteral("Label_Cz_Cz"), QStringLiteral("Nastawa częstotliw. kalibratora"), points,
         FrequencyColumn, FrequencyColumn, Band::Whole, HeaderTone::Entry},
    };
    headers.append(AmplitudeCells::sharedHeaders(QStringLiteral("_Cz")));
    return headers;
}

QStringList FrequencyGridRules::widestTexts(GridArea area, int column) const
{
    using AmplitudeCells::RangeText;
    using AmplitudeCells::ResultColumn;
    if (area == GridArea::Ranges) {
        switch (column) {
        case ValueColumn:
            return AmplitudeCells::widestRangeTexts(RangeText::Value);
        case AmplitudeColumn:
            return {NumberText::general(0.1234L), NumberText::general(-1100)};
        case ClassMeasuredColumn:
            return AmplitudeCells::widestRangeTexts(RangeText::ClassMeasured);
        case ClassRangeColumn:
            return AmplitudeCells::widestRangeTexts(RangeText::ClassRange);
        default:
            return {};
        }
    }
    switch (column) {
    case MeasuredColumn:
        return AmplitudeCells::widestResults(ResultColumn::Value);
    case FrequencyColumn: {
        QStringList texts = frequencyItems();
        for (const FrequencyBand::Band &band : FrequencyBand::Bands)
            texts.append(AmplitudeCells::userFrequencyItem(band.highest));
        // A measured point names its frequency with as many digits as the
        // document gave it (99,995Hz).
        for (int k = 1; inUse() && k <= GridTags::Rows; ++k) {
            const ConstZakresCz r = range(k);
            for (int j = 1; !r.isEmpty() && j <= GridTags::Rows; ++j) {
                const ConstPunktCz point = r.Punkty(j);
                if (point.Wpisany() && point.Cz() == UserFrequencyItem)
                    texts.append(measuredFrequencyItem(point.CzHz()));
            }
        }
        return texts;
    }
    default:
        return AmplitudeCells::widestPointResults(column);
    }
}
