#include "core/characteristic/errormath.h"

#include "core/calibrator/calibratorranges.h"
#include "core/characteristic/numbertext.h"
#include "core/document/real48.h"
#include "core/document/tdanesprawdzania.h"

#include <cmath>

namespace ErrorMath {

namespace {

long double asStored(long double value)
{
    return Real48::fits(value) ? Real48::stored(value) : value;
}

struct Term
{
    long double multiplier = 0;
    QString number;
};

Term splitTerm(const QString &kmzDod)
{
    Term term;
    term.number = kmzDod;
    for (int i = 0; i < kmzDod.size(); ++i) {
        const QChar c = kmzDod[i];
        if (c == QLatin1Char('m') || c == QLatin1Char('A') || c == QLatin1Char('V')) {
            term.multiplier = c == QLatin1Char('m') ? 0.001L : 1.0L;
            term.number = kmzDod.left(i);
            break;
        }
    }
    return term;
}

} // namespace

long double additiveTerm(const QString &kmzDod)
{
    const Term term = splitTerm(kmzDod);
    if (term.multiplier == 0)
        return 0;
    return NumberText::fromDot(term.number).value_or(0) * term.multiplier;
}

bool isValidAdditiveTerm(const QString &kmzDod)
{
    return NumberText::fromDot(splitTerm(kmzDod).number).has_value();
}

// A range's term, then its unit, as rangePart() takes them.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters)
long double additiveTermInRangeUnit(const QString &kmzDod, const QString &rangeUnit)
{
    const long double d = additiveTerm(kmzDod);
    return Units::isMilli(rangeUnit) ? d * 1000 : d;
}

long double rangePart(long double zak, long double kmz, const QString &kmzDod,
                      const QString &rangeUnit)
{
    return std::fabs(zak * kmz / 100 + additiveTermInRangeUnit(kmzDod, rangeUnit));
}

long double permissibleError(long double reading, long double kmm, long double rangePart,
                             const QString &rangeUnit, const QString &calibratorUnit)
{
    const long double f = Units::factor(rangeUnit, calibratorUnit);
    return std::fabs(reading * (kmm * f) / 100) + rangePart;
}

void computeRange(TZakresAmpl &range)
{
    if (!range.Zmierzony())
        return;
    const QString jm = range.Jm();
    const long double a = rangePart(range.Zak(), range.Kmz(), range.KmzDod(), jm);
    const long double kmm = range.Kmm();
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        TPunktAmpl point = range.Punkty(j);
        if (!point.Wpisany() || !point.Zmierzony())
            continue;
        const long double wm = point.Wm();
        point.setBmd(permissibleError(wm, kmm, a, jm, point.JmBk()));
        point.setBmr(wm - point.Nk());
    }
}

QString amplitudeUnit(ConstZakresCz range)
{
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        // A point removed after it was measured still tells: the amplitude
        // was stored with it.
        const ConstPunktCz point = range.Punkty(j);
        if (point.Zmierzony() && !point.JmBk().isEmpty())
            return point.JmBk();
    }
    return range.Jm();
}

long double amplitudeIn(ConstZakresCz range, const QString &unit)
{
    const long double stored = range.NkDN_WmDO();
    const QString held = amplitudeUnit(range);
    const QString jm = range.Jm();
    if (Units::isMilli(held) == Units::isMilli(unit))
        return stored;
    if (Units::isMilli(held) == Units::isMilli(jm))
        return Units::toCalibratorUnit(stored, jm, unit);
    // Back from the calibrator unit to Jm, undoing what the run did: of the
    // values with the fewest digits, the one the run turns into the stored
    // value. Multiplying back would show 0,15 stored as 150 mV as
    // 0,1500000000002.
    const long double naive = Units::toRangeUnit(stored, jm, held);
    if (stored == 0 || !Real48::fits(naive))
        return naive;
    const auto target = Real48::fromLongDouble(stored);
    const double approximate = static_cast<double>(naive);
    for (int digits = 1; digits <= 15; ++digits) {
        const long double candidate =
            asStored(QString::number(approximate, 'g', digits).toDouble());
        const long double scaled = Units::toCalibratorUnit(candidate, jm, held);
        if (Real48::fits(scaled) && Real48::fromLongDouble(scaled) == target)
            return candidate;
    }
    return naive;
}

long double amplitudeInRangeUnit(ConstZakresCz range)
{
    return amplitudeIn(range, range.Jm());
}

void computeRange(TZakresCz &range, bool analogowy)
{
    if (!range.Zmierzony())
        return;
    const QString jm = range.Jm();
    const long double a = rangePart(range.Zak(), range.Kmz(), range.KmzDod(), jm);
    const long double kmm = range.Kmm();
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        TPunktCz point = range.Punkty(j);
        if (!point.Wpisany() || !point.Zmierzony())
            continue;
        const long double amplitude = amplitudeIn(range, point.JmBk());
        const long double measured = point.WmDN_NkDO();
        // The meter's indication is the range amplitude for exact reading
        // and the point's value for exact setting; the error is always
        // indication minus setting.
        const long double indication = analogowy ? amplitude : measured;
        const long double setting = analogowy ? measured : amplitude;
        point.setBmd(permissibleError(indication, kmm, a, jm, point.JmBk()));
        point.setBmr(indication - setting);
    }
}

namespace {

// A stored value moved into the other unit of its pair, by moving the
// decimal point of the digits it was stored with, and held as it would be
// stored there: 12.3 mV is the six-byte real of 0.0123 V.
long double inOtherUnit(long double value, int shift)
{
    return asStored(Real48::shortestDecimal(value, shift));
}

} // namespace

long double bmdInCalibratorUnit(long double bmd, const QString &rangeUnit,
                                const QString &calibratorUnit)
{
    return bmdInCalibratorUnit(bmd, Units::isMilli(rangeUnit), Units::isMilli(calibratorUnit));
}

long double bmdInCalibratorUnit(long double bmd, bool rangeMilli, bool calibratorMilli)
{
    const long double f = Units::factor(rangeMilli, calibratorMilli);
    if (f == 1)
        return bmd;
    return inOtherUnit(bmd, f > 1 ? -3 : 3);
}

long double bmdInCalibratorUnit(ConstZakresAmpl range, ConstPunktAmpl point)
{
    return bmdInCalibratorUnit(point.Bmd(), range.Jm(), point.JmBk());
}

long double bmdInCalibratorUnit(ConstZakresCz range, ConstPunktCz point)
{
    return bmdInCalibratorUnit(point.Bmd(), range.Jm(), point.JmBk());
}

long double bkInCalibratorUnit(long double bk, const QString &calibratorUnit)
{
    return Units::isMilli(calibratorUnit) ? inOtherUnit(bk, 3) : bk;
}

bool withinTolerance(long double bmr, long double bmd, const QString &rangeUnit,
                     const QString &calibratorUnit)
{
    return withinTolerance(bmr, bmd, Units::isMilli(rangeUnit), Units::isMilli(calibratorUnit));
}

bool withinTolerance(long double bmr, long double bmd, bool rangeMilli, bool calibratorMilli)
{
    const long double f = Units::factor(rangeMilli, calibratorMilli);
    const long double error = std::fabs(bmr);
    if (f != 1) {
        // Bmd moved into the other unit is Bmd / F to a few units of its
        // twelfth digit: only an error that close to it needs the digits
        // moved, which takes a thousand times as long as the rest.
        const long double approximate = std::fabs(bmd) / f;
        if (error < approximate * (1 - 1e-9L))
            return true;
        if (error > approximate * (1 + 1e-9L))
            return false;
    }
    return error <= std::fabs(bmdInCalibratorUnit(bmd, rangeMilli, calibratorMilli));
}

bool withinTolerance(ConstZakresAmpl range, ConstPunktAmpl point)
{
    return withinTolerance(point.Bmr(), point.Bmd(), range.Jm(), point.JmBk());
}

bool withinTolerance(ConstZakresCz range, ConstPunktCz point)
{
    return withinTolerance(point.Bmr(), point.Bmd(), range.Jm(), point.JmBk());
}

} // namespace ErrorMath
