#pragma once

#include "core/document/tdanesprawdzania.h"

#include <QString>

#include <optional>

// The errors of a verification, for both characteristics. Everything is
// computed in long double from the record's values and rounded to the
// six-byte real only when it is stored.
//
// Units: a measured point's values (Wm and Nk, or the frequency point's
// value) are in the calibrator unit JmBk, the range value Zak and the
// additive term in the range unit Jm. So the actual error Bmr comes out in
// the calibrator unit and the permissible error Bmd in the range unit; the
// stored values keep exactly that. Whatever shows Bmd beside JmBk, and the
// verdict, take it in the calibrator unit (bmdInCalibratorUnit).
namespace ErrorMath {

// The additive term of a class as typed after its '+' ("2mV", "0.5V"), in
// volts or amperes: the number before the first 'm', 'A' or 'V', times 0.001
// for 'm' and 1 for 'A' or 'V'. Without one of those letters ("0", "2") the
// term is 0, and so it is for a number part that does not read.
long double additiveTerm(const QString &kmzDod);

// Whether an additive term text reads: its number part, before the first
// 'm', 'A' or 'V' (or the whole text without one), is a number with '.'.
bool isValidAdditiveTerm(const QString &kmzDod);

// The additive term in the range unit: millivolts or milliamperes for a
// milli range, so that 0.5+2mV on a 100mV range adds 2, not 0.002.
long double additiveTermInRangeUnit(const QString &kmzDod, const QString &rangeUnit);

// A: the part of the permissible error that belongs to the range,
// |Zak * Kmz / 100 + d|, in the range unit.
long double rangePart(long double zak, long double kmz, const QString &kmzDod,
                      const QString &rangeUnit);

// The permissible error of a reading in the calibrator unit:
// |reading * Kmm * F / 100| + A, in the range unit.
long double permissibleError(long double reading, long double kmm, long double rangePart,
                             const QString &rangeUnit, const QString &calibratorUnit);

// The one amplitude of a frequency range, NkDN_WmDO, is typed in the range
// unit Jm. A run stores it, with every point it accepts, in the unit of the
// calibrator range that point was measured on, which the point keeps as its
// JmBk; so the record tells the unit through the JmBk of the range's
// measured points, and Jm when there are none. Everything that shows or
// measures the amplitude reads it through these, so that it is never taken
// in the wrong unit, nor scaled twice.
QString amplitudeUnit(ConstZakresCz range);
// The amplitude in a unit that is Jm or a calibrator unit (only its 'm'
// counts); the stored value itself when the record holds it so.
long double amplitudeIn(ConstZakresCz range, const QString &unit);
// The amplitude in the range unit Jm: what the grid, the report, the charts
// and the workbook show, and what a run measures at.
long double amplitudeInRangeUnit(ConstZakresCz range);

// Writes Bmr and Bmd, recomputed, into every defined and measured point of
// a measured amplitude range: the range's points in the record change. A
// range not measured, and points not both defined and measured, keep what
// they hold.
void computeRange(TZakresAmpl &range);

// The same for a range of the frequency characteristic. For an "Analogowy"
// meter the range's amplitude is the meter's indication and the points hold
// calibrator settings; for a "Cyfrowy" meter the other way round. Each
// point's errors take the amplitude in that point's calibrator unit.
void computeRange(TZakresCz &range, bool analogowy);

// Bmd, kept in the range unit, in the calibrator unit of its point, where
// Bmr and the point's values are: when the two units differ in 'm', its
// digits with the decimal point moved by three places, as that unit would
// store them (5 mV on a point measured in volts is 0.005). The grids, the
// report and the workbook show it so beside JmBk.
long double bmdInCalibratorUnit(long double bmd, const QString &rangeUnit,
                                const QString &calibratorUnit);
// The same with the units told by whether each is milli.
long double bmdInCalibratorUnit(long double bmd, bool rangeMilli, bool calibratorMilli);
long double bmdInCalibratorUnit(ConstZakresAmpl range, ConstPunktAmpl point);
long double bmdInCalibratorUnit(ConstZakresCz range, ConstPunktCz point);

// Bk, kept in volts or amperes, in the calibrator unit: times 1000, the
// same way, for a milli unit.
long double bkInCalibratorUnit(long double bk, const QString &calibratorUnit);

// The verdict of a point: within tolerance when |Bmr| <= |Bmd|, with Bmd in
// Bmr's calibrator unit. The grids, the report and the charts all judge
// through this.
bool withinTolerance(long double bmr, long double bmd, const QString &rangeUnit,
                     const QString &calibratorUnit);
bool withinTolerance(long double bmr, long double bmd, bool rangeMilli, bool calibratorMilli);
bool withinTolerance(ConstZakresAmpl range, ConstPunktAmpl point);
bool withinTolerance(ConstZakresCz range, ConstPunktCz point);

} // namespace ErrorMath
