#include "amplitudecells.h"

#include "calibratorranges.h"
#include "errormath.h"
#include "errors.h"
#include "localnumber.h"
#include "numbertext.h"
#include "prompts.h"
#include "tdanesprawdzania.h"

#include <vector>

namespace AmplitudeCells {

namespace {

constexpr int ClassCellLength = 6;
constexpr int SummaryPieceLength = 13;

const QString noUnitMessage = QStringLiteral("Źle podana jednostka!");
const QString badRangeValue = QStringLiteral("Źle wprowadzona dana");
const QString badPointMessage = QStringLiteral("Źle wpisana liczba");
const QString negativeSettingMessage = QStringLiteral("Nastawa kalibratora nie moze być ujemna");
const QString noClassMeasuredMessage =
    QStringLiteral("Nie wpisano wartości klasy miernika wzg. wartosci mierzonej");
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
std::vector<std::uint8_t> headerBytes(const TZakresAmpl &range)
{
    return {range.bytes(), range.bytes() + RecordLayout::ZakresAmplHeader};
}

std::vector<std::uint8_t> headerBytes(const TZakresCz &range)
{
    return {range.bytes(), range.bytes() + RecordLayout::ZakresCzHeader};
}

QString classText(long double value)
{
    return NumberText::general(value).left(ClassCellLength);
}

bool isNoTerm(const QString &kmzDod)
{
    return kmzDod.isEmpty() || kmzDod == QLatin1String("0");
}

} // namespace

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
        return refused(noClassMeasuredMessage, errorCaption);
    const auto before = headerBytes(range);
    range.setKmm(*value);
    Outcome outcome;
    outcome.changed = headerBytes(range) != before;
    return outcome;
}

template <typename Range> Outcome leaveClassRange(Range range, const QString &text)
{
    const QString dotted = QString(text).replace(QLatin1Char(','), QLatin1Char('.'));
    const int plus = dotted.indexOf(QLatin1Char('+'));
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

template <typename Range> QString classRangeText(const Range &range)
{
    QString text = classText(range.Kmz());
    const QString term = range.KmzDod();
    if (!isNoTerm(term))
        text += QLatin1Char('+') + QString(term).replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

template <typename Range> QString rangeValueText(const Range &range)
{
    return NumberText::general(range.Zak()) + range.Jm();
}

template <typename Range> QString classMeasuredText(const Range &range)
{
    return classText(range.Kmm());
}

// Both characteristics' ranges.
template Outcome leaveRangeValue(TZakresAmpl, const QString &);
template Outcome leaveRangeValue(TZakresCz, const QString &);
template Outcome leaveClassMeasured(TZakresAmpl, const QString &);
template Outcome leaveClassMeasured(TZakresCz, const QString &);
template Outcome leaveClassRange(TZakresAmpl, const QString &);
template Outcome leaveClassRange(TZakresCz, const QString &);
template QString rangeValueText(const TZakresAmpl &);
template QString rangeValueText(const TZakresCz &);
template QString classMeasuredText(const TZakresAmpl &);
template QString classMeasuredText(const TZakresCz &);
template QString classRangeText(const TZakresAmpl &);
template QString classRangeText(const TZakresCz &);

QStringList frequencyItems()
{
    return {QStringLiteral("DC"), QStringLiteral("50Hz"), QStringLiteral("60Hz"),
            QStringLiteral("400Hz"), QStringLiteral("f")};
}

bool chooseFrequency(TZakresAmpl range, int item, const QString &hertzText)
{
    static constexpr long double hertz[] = {0, 50, 60, 400};
    if (item >= 0 && item <= 3) {
        range.setCz(item);
        range.setCzHz(hertz[item]);
        return true;
    }
    if (item != 4)
        return false;
    const auto value = readLocalNumber(hertzText);
    if (!value)
        return false;
    range.setCz(4);
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

bool setTicks(TZakresAmpl range, bool on)
{
    bool changed = false;
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        TPunktAmpl point = range.Punkty(j);
        if (point.Wpisany() && point.Wl() != on) {
            point.setWl(on);
            changed = true;
        }
    }
    return changed;
}

QString pointEntryText(const TZakresAmpl &range, int j, bool cyfrowy)
{
    const TPunktAmpl point = range.Punkty(j);
    return NumberText::entry(cyfrowy ? point.Nk() : point.Wm());
}

FullRow fullRow(const TZakresAmpl &range, const TPunktAmpl &point)
{
    const int decimals = point.Dokl();
    const QString unit = point.JmBk();
    FullRow row;
    row.wm = NumberText::fixed(point.Wm(), decimals);
    row.nk = NumberText::fixed(point.Nk(), decimals);
    row.bmr = NumberText::fixed(point.Bmr(), decimals);
    row.bmd = NumberText::fixed(point.Bmd(), decimals);
    // Bk is kept in volts or amperes and shown in the calibrator unit.
    row.bk = NumberText::fixed(Units::isMilli(unit) ? point.Bk() * 1000 : point.Bk(), decimals);
    row.unit = unit;
    row.outOfTolerance = !ErrorMath::withinTolerance(range, point);
    return row;
}

RangeSummary summary(const QString &valueText, const QString &frequencyText,
                     const QString &classMeasuredText, const QString &classRangeText)
{
    RangeSummary result;
    result.zakres = valueText.left(SummaryPieceLength);
    result.czestotliwosc =
        QStringLiteral("Częstotliwość: ") + frequencyText.left(SummaryPieceLength);
    result.kmm = classMeasuredText.left(SummaryPieceLength) + QStringLiteral("% w. mierz.");
    const QString kmz = classRangeText.left(SummaryPieceLength);
    const int plus = kmz.indexOf(QLatin1Char('+'));
    result.kmz = (plus >= 0 ? kmz.left(plus) : kmz) + QStringLiteral("% zakresu");
    if (plus >= 0)
        result.kmz += kmz.mid(plus);
    return result;
}

} // namespace AmplitudeCells
