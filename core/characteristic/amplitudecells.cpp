#include "core/characteristic/amplitudecells.h"

#include "core/base/errors.h"
#include "core/base/localnumber.h"
#include "core/base/prompts.h"
#include "core/calibrator/calibratorranges.h"
#include "core/characteristic/errormath.h"
#include "core/characteristic/numbertext.h"
#include "core/document/tdanesprawdzania.h"

#include <iterator>
#include <vector>

namespace AmplitudeCells {

namespace {

constexpr int SummaryPieceLength = 13;

const QString noUnitMessage = QStringLiteral("Źle podana jednostka!");
const QString badRangeValue = QStringLiteral("Źle wprowadzona dana");
const QString badPointMessage = QStringLiteral("Źle wpisana liczba");
const QString negativeSettingMessage = QStringLiteral("Nastawa kalibratora nie moze być ujemna");
const QString noClassRangeMessage =
    QStringLiteral("Nie wpisano wartości klasy miernika wzg. zakresu");
const QString errorCaption = QStringLiteral("Błąd");
const QString removalText = QStringLiteral("-1");

Outcome refused(const QString &message, const QString &caption)
{
    Outcome outcome;
    outcome.message = message;
    outcome.caption = caption;
    outcome.refocus = true;
    return outcome;
}

// The header bytes of a range, to tell whether an edit changed anything.
std::vector<std::uint8_t> headerBytes(ConstZakresAmpl range)
{
    return {range.bytes(), range.bytes() + RecordLayout::ZakresAmplHeader};
}

std::vector<std::uint8_t> headerBytes(ConstZakresCz range)
{
    return {range.bytes(), range.bytes() + RecordLayout::ZakresCzHeader};
}

// The two tables have always spelt this box each its own way.
QString noClassMeasuredMessage(ConstZakresAmpl)
{
    return QStringLiteral("Nie wpisano wartości klasy miernika wzg. wartosci mierzonej");
}

QString noClassMeasuredMessage(ConstZakresCz)
{
    return QStringLiteral("Nie wpisano wartości klasy miernika wzg. wartości mierzonej");
}

QString classText(long double value)
{
    return NumberText::general(value).left(ClassMeasuredLength);
}

void recomputeErrors(TZakresAmpl &range, bool)
{
    ErrorMath::computeRange(range);
}

void recomputeErrors(TZakresCz &range, bool analogowy)
{
    ErrorMath::computeRange(range, analogowy);
}

bool isNoTerm(const QString &kmzDod)
{
    return kmzDod.isEmpty() || kmzDod == QLatin1String("0");
}

} // namespace

CellOutcome cellOutcome(const Outcome &outcome)
{
    CellOutcome result;
    result.message = outcome.message;
    result.caption = outcome.caption;
    result.refused = outcome.refocus;
    result.changed = outcome.changed;
    return result;
}

int maxLength(GridArea area, int column)
{
    constexpr int classMeasuredColumn = 3;
    constexpr int classRangeColumn = 4;
    if (area == GridArea::Ranges && column == classMeasuredColumn)
        return ClassMeasuredLength;
    if (area == GridArea::Ranges && column == classRangeColumn)
        return ClassRangeLength;
    return 0;
}

QString plainCaption()
{
    return Prompts::plainCaption();
}

QString unitOfRangeText(const QString &text)
{
    QString unit;
    for (const char *candidate : {"V", "A", "mV", "mA"}) {
        if (text.contains(QLatin1String(candidate)))
            unit = QLatin1String(candidate);
    }
    return unit;
}

template <typename Range> Outcome leaveRangeValue(Range range, const QString &text)
{
    const QString unit = unitOfRangeText(text);
    if (unit.isEmpty())
        return refused(noUnitMessage, plainCaption());
    const auto value = readLocalNumber(text.left(text.size() - unit.size()));
    if (!value)
        throw EConvertError(badRangeValue);
    range.setZak(*value);
    range.setJm(unit);
    Outcome outcome;
    outcome.changed = true;
    return outcome;
}

template <typename Range> Outcome leaveClassMeasured(Range range, const QString &text)
{
    const QString dotted = QString(text).replace(QLatin1Char(','), QLatin1Char('.'));
    const auto value = NumberText::fromDot(dotted);
    if (text.isEmpty() || !value)
        return refused(noClassMeasuredMessage(range), errorCaption);
    const auto before = headerBytes(range);
    range.setKmm(*value);
    Outcome outcome;
    outcome.changed = headerBytes(range) != before;
    return outcome;
}

template <typename Range> Outcome leaveClassRange(Range range, const QString &text)
{
    const QString dotted = QString(text).replace(QLatin1Char(','), QLatin1Char('.'));
    const qsizetype plus = dotted.indexOf(QLatin1Char('+'));
    const QString classPart = plus >= 0 ? dotted.left(plus) : dotted;
    const QString term =
        plus >= 0 ? dotted.mid(plus + 1).left(RecordLayout::KmzDodLength) : QStringLiteral("0");
    const auto value = NumberText::fromDot(classPart);
    if (text.isEmpty() || !value || !ErrorMath::isValidAdditiveTerm(term))
        return refused(noClassRangeMessage, errorCaption);
    const auto before = headerBytes(range);
    range.setKmz(*value);
    range.setKmzDod(term);
    Outcome outcome;
    outcome.changed = headerBytes(range) != before;
    return outcome;
}

template <typename Range>
CellOutcome leaveRangeCell(Range range, int column, const QString &text, bool current,
                           bool analogowy)
{
    CellOutcome outcome;
    switch (column) {
    case 1:
        // The box describes the range whose value was typed, current or
        // about to be.
        outcome = cellOutcome(leaveRangeValue(range, text));
        outcome.summary = true;
        return outcome;
    case 3:
        outcome = cellOutcome(leaveClassMeasured(range, text));
        break;
    case 4:
        outcome = cellOutcome(leaveClassRange(range, text));
        break;
    default:
        return {};
    }
    if (outcome.changed)
        recomputeErrors(range, analogowy);
    outcome.summary = current;
    return outcome;
}

// Both characteristics' ranges.
template Outcome leaveRangeValue(TZakresAmpl, const QString &);
template Outcome leaveRangeValue(TZakresCz, const QString &);
template Outcome leaveClassMeasured(TZakresAmpl, const QString &);
template Outcome leaveClassMeasured(TZakresCz, const QString &);
template Outcome leaveClassRange(TZakresAmpl, const QString &);
template Outcome leaveClassRange(TZakresCz, const QString &);
template CellOutcome leaveRangeCell(TZakresAmpl, int, const QString &, bool, bool);
template CellOutcome leaveRangeCell(TZakresCz, int, const QString &, bool, bool);

namespace {

template <typename Range> QString classRangeTextOf(const Range &range)
{
    QString text = classText(range.Kmz());
    const QString term = range.KmzDod();
    if (!isNoTerm(term))
        text += QLatin1Char('+') + QString(term).replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

template <typename Range> QString rangeValueTextOf(const Range &range)
{
    return NumberText::general(range.Zak()) + range.Jm();
}

} // namespace

QString rangeValueText(ConstZakresAmpl range)
{
    return rangeValueTextOf(range);
}

QString rangeValueText(ConstZakresCz range)
{
    return rangeValueTextOf(range);
}

QString classMeasuredText(ConstZakresAmpl range)
{
    return classText(range.Kmm());
}

QString classMeasuredText(ConstZakresCz range)
{
    return classText(range.Kmm());
}

QString classRangeText(ConstZakresAmpl range)
{
    return classRangeTextOf(range);
}

QString classRangeText(ConstZakresCz range)
{
    return classRangeTextOf(range);
}

QStringList frequencyItems()
{
    return {QStringLiteral("DC"), QStringLiteral("50Hz"), QStringLiteral("60Hz"),
            QStringLiteral("400Hz"), QStringLiteral("f")};
}

bool chooseFrequency(TZakresAmpl range, int item, const QString &hertzText)
{
    if (item >= RangeCz::DC && item <= RangeCz::Hz400) {
        range.setCz(item);
        range.setCzHz(RangeCz::Hertz[item]);
        return true;
    }
    if (item != RangeCz::User)
        return false;
    const auto value = readLocalNumber(hertzText);
    if (!value)
        return false;
    range.setCz(RangeCz::User);
    range.setCzHz(*value);
    return true;
}

QString userFrequencyItem(long double hertz)
{
    const auto text = NumberText::bandFrequency(hertz);
    return text ? *text + QStringLiteral("Hz") : QString();
}

PointOutcome leavePoint(TZakresAmpl range, int j, const QString &text, bool cyfrowy)
{
    TPunktAmpl point = range.Punkty(j);
    PointOutcome outcome;
    if (text == removalText) {
        if (cyfrowy)
            point.setNk(0);
        else
            point.setWm(0);
        point.setWl(false);
        point.setWpisany(false);
        outcome.removed = true;
        outcome.rewrite = true;
        outcome.changed = true;
        return outcome;
    }
    const auto value = readLocalNumber(text);
    if (!value) {
        outcome.message = badPointMessage;
        outcome.caption = plainCaption();
        outcome.refocus = true;
        return outcome;
    }
    if (cyfrowy && *value < 0) {
        outcome.message = negativeSettingMessage;
        outcome.caption = plainCaption();
        outcome.refocus = true;
        return outcome;
    }
    const long double before = cyfrowy ? point.Nk() : point.Wm();
    if (cyfrowy)
        point.setNk(*value);
    else
        point.setWm(*value);
    // A measured point keeps its values in the calibrator's unit. A new value
    // typed over it is a new nominal in the range unit: the old result no
    // longer belongs to it, and the next run must not convert it back as if
    // it were one.
    const long double after = cyfrowy ? point.Nk() : point.Wm();
    if (point.Zmierzony() &&
        (after != before || Units::isMilli(range.Jm()) != Units::isMilli(point.JmBk())))
        point.setZmierzony(false);
    point.setWpisany(true);
    outcome.changed = true;
    outcome.rewrite = true;
    outcome.shownText = pointEntryText(range, j, cyfrowy);
    return outcome;
}

template <typename Range> bool setTicks(Range range, bool on)
{
    bool changed = false;
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        auto point = range.Punkty(j);
        if (point.Wpisany() && point.Wl() != on) {
            point.setWl(on);
            changed = true;
        }
    }
    return changed;
}

template bool setTicks(TZakresAmpl, bool);
template bool setTicks(TZakresCz, bool);

QString pointEntryText(ConstZakresAmpl range, int j, bool cyfrowy)
{
    const ConstPunktAmpl point = range.Punkty(j);
    return NumberText::entry(cyfrowy ? point.Nk() : point.Wm());
}

namespace {

template <typename Range, typename Point> Results resultsOf(const Range &range, const Point &point)
{
    const int decimals = point.Dokl();
    Results shown;
    shown.bmr = NumberText::fixed(point.Bmr(), decimals);
    shown.bmd = NumberText::fixed(ErrorMath::bmdInCalibratorUnit(range, point), decimals);
    shown.bk = NumberText::fixed(ErrorMath::bkInCalibratorUnit(point.Bk(), point.JmBk()), decimals);
    shown.unit = point.JmBk();
    return shown;
}

} // namespace

Results results(ConstZakresAmpl range, ConstPunktAmpl point)
{
    return resultsOf(range, point);
}

Results results(ConstZakresCz range, ConstPunktCz point)
{
    return resultsOf(range, point);
}

FullRow fullRow(ConstZakresAmpl range, ConstPunktAmpl point)
{
    const int decimals = point.Dokl();
    FullRow row;
    static_cast<Results &>(row) = results(range, point);
    row.wm = NumberText::fixed(point.Wm(), decimals);
    row.nk = NumberText::fixed(point.Nk(), decimals);
    row.outOfTolerance = !ErrorMath::withinTolerance(range, point);
    return row;
}

QStringList widestResults(ResultColumn column)
{
    // Values and actual errors may be negative; the calibrator error is
    // largest off DC.
    QStringList texts;
    for (int index = 0; index < CalibratorRanges::Count; ++index) {
        const CalibratorRanges::CalibratorRange &calibrator = CalibratorRanges::range(index);
        const int decimals = calibrator.decimals;
        const QString unit = QString::fromLatin1(calibrator.unit);
        const long double limit = CalibratorRanges::settingLimit(index);
        switch (column) {
        case ResultColumn::Value:
        case ResultColumn::ActualError:
            texts.append(NumberText::fixed(-limit, decimals));
            break;
        case ResultColumn::PermissibleError:
            texts.append(NumberText::fixed(limit, decimals));
            break;
        case ResultColumn::CalibratorError: {
            const bool milli = Units::isMilli(unit);
            const long double error =
                CalibratorRanges::alternatingError(index, milli ? limit / 1000 : limit);
            texts.append(NumberText::fixed(milli ? error * 1000 : error, decimals));
            break;
        }
        case ResultColumn::Unit:
            texts.append(unit);
            break;
        }
    }
    return texts;
}

QStringList widestPointResults(int column)
{
    static constexpr ResultColumn columns[] = {ResultColumn::ActualError,
                                               ResultColumn::PermissibleError,
                                               ResultColumn::CalibratorError, ResultColumn::Unit};
    constexpr int first = GridTags::ActualErrorColumn;
    if (column < first || column >= first + int(std::size(columns)))
        return {};
    return widestResults(columns[column - first]);
}

QList<GridHeader> sharedHeaders(const QString &suffix)
{
    using Band = GridHeader::Band;
    const auto header = [&suffix](const char *name, const char *caption, GridArea area, int first,
                                  int last, Band band, HeaderTone tone) {
        return GridHeader{QLatin1String(name) + suffix,
                          QString::fromUtf8(caption),
                          area,
                          first,
                          last,
                          band,
                          tone};
    };
    const GridArea ranges = GridArea::Ranges;
    const GridArea points = GridArea::Points;
    const HeaderTone input = HeaderTone::Input;
    const HeaderTone result = HeaderTone::Result;
    return {
        header("Label_Klasa", "Klasa miernika", ranges, 3, 4, Band::Upper, input),
        header("Label_Kl_Kmm", "% w. mierz.", ranges, 3, 3, Band::Lower, input),
        header("Label_Kl_Kmz", "% zakresu", ranges, 4, 4, Band::Lower, input),
        header("Label_Blad", "Błąd miernika", points, 3, 4, Band::Upper, result),
        header("Label_Bmr", "rzeczywisty", points, 3, 3, Band::Lower, result),
        header("Label_Bmd", "dopuszcz.", points, 4, 4, Band::Lower, result),
        header("Label_Bk1", "Błąd", points, 5, 5, Band::Upper, result),
        header("Label_Bk2", "kalibratora", points, 5, 5, Band::Lower, result),
        header("Label_Jm1", "", points, 6, 6, Band::Upper, result),
        header("Label_Jm2", "j.m.", points, 6, 6, Band::Lower, result),
    };
}

QStringList widestRangeTexts(RangeText column)
{
    switch (column) {
    case RangeText::Value:
        return {QStringLiteral("1000mV"), NumberText::general(0.075L) + QStringLiteral("mA")};
    case RangeText::ClassMeasured:
        return {classText(1.0L / 3)};
    case RangeText::ClassRange:
        // A class of a third with the longest term a class holds.
        return {classText(1.0L / 3) + QStringLiteral("+") + NumberText::general(0.002L) +
                QStringLiteral("mV")};
    }
    return {};
}

QString summaryPiece(const QString &text)
{
    return text.left(SummaryPieceLength);
}

RangeSummary summary(const QString &valueText, const QString &frequencyText,
                     const QString &classMeasuredText, const QString &classRangeText)
{
    return rangeSummary(valueText, QStringLiteral("Częstotliwość: ") + summaryPiece(frequencyText),
                        classMeasuredText, classRangeText);
}

// The texts in the order of the range row's columns, as summary() takes them.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
RangeSummary rangeSummary(const QString &valueText, const QString &secondLine,
                          const QString &classMeasuredText, const QString &classRangeText)
{
    RangeSummary result;
    result.zakres = summaryPiece(valueText);
    result.czestotliwosc = secondLine;
    result.kmm = summaryPiece(classMeasuredText) + QStringLiteral("% w. mierz.");
    const QString kmz = summaryPiece(classRangeText);
    const qsizetype plus = kmz.indexOf(QLatin1Char('+'));
    result.kmz = (plus >= 0 ? kmz.left(plus) : kmz) + QStringLiteral("% zakresu");
    if (plus >= 0)
        result.kmz += kmz.mid(plus);
    return result;
}

} // namespace AmplitudeCells
