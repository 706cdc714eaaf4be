#include "core/output/reportcontent.h"

#include "core/characteristic/errormath.h"
#include "core/characteristic/numbertext.h"
#include "core/characteristic/uncertainty.h"
#include "core/document/tdanesprawdzania.h"

#include <cmath>

namespace {

const QString MethodDO = QStringLiteral("Metoda dokładnego odczytu");
const QString MethodDN = QStringLiteral("Metoda dokładnej nastawy");
const QString WskazanieMiernika = QStringLiteral("Wskazanie miernika badanego");
const QString NastawaAmplitudy = QStringLiteral("Nastawa amplitudy kalibratora");

// Columns 3..7 of every variant; the leading blanks push the words of the
// word-wrapped headers onto their lines.
const std::array<QString, 5> ResultHeaders = {
    QStringLiteral("                   Błąd miernika: rzeczywisty"),
    QStringLiteral("                   Błąd miernika: dopuszczalny"),
    QStringLiteral("                               Błąd      kalibratora"),
    QStringLiteral("       j. m."),
    QStringLiteral("Wł.  / Wył."),
};

QString general(long double value)
{
    return ReportContent::generalText(value);
}

// "Klasa: 0,5% wartości mierzonej, 0,1% zakresu + 2mV". Without an
// additive term the amplitude report shows both parts with 4 decimals.
template <typename Range> QString classLine(const Range &range, bool fixedWithoutTerm)
{
    const QString term = range.KmzDod();
    const bool noTerm = term == QLatin1String("0");
    auto number = [&](long double value) {
        return noTerm && fixedWithoutTerm ? ReportContent::fixed4(value) : general(value);
    };
    QString line = QStringLiteral("Klasa: ") + number(range.Kmm()) +
                   QStringLiteral("% wartości mierzonej, ") + number(range.Kmz()) +
                   QStringLiteral("% zakresu");
    if (!noTerm)
        line += QStringLiteral(" + ") + term;
    return line;
}

// Columns 3..6 and the decision on a measured point.
template <typename Range, typename Point>
void fillResults(ReportContent::Row &row, const Range &range, const Point &point,
                 const Uncertainty::RangeJudging &judging)
{
    const int decimals = point.Dokl();
    row.outOfTolerance = Uncertainty::isFailing(judging.budget(range, point).decision);
    row.cells[2] = ReportContent::cellText(point.Bmr(), decimals);
    if (row.outOfTolerance)
        row.cells[2] += QLatin1Char('*');
    // Both in the unit of column 6, as Bmr is.
    row.cells[3] = ReportContent::cellText(ErrorMath::bmdInCalibratorUnit(range, point), decimals);
    row.cells[4] =
        ReportContent::cellText(ErrorMath::bkInCalibratorUnit(point.Bk(), point.JmBk()), decimals);
    row.cells[5] = point.JmBk();
}

QString pointFrequency(ConstPunktCz point)
{
    // A frequency point knows no DC: its fixed frequencies are the amplitude
    // list's from 50 Hz on.
    const int cz = point.Cz();
    if (cz == PointCz::User)
        return general(point.CzHz()) + QStringLiteral("Hz");
    return cz >= PointCz::Hz50 && cz <= PointCz::Hz400
               ? OutputRanges::fixedFrequency(RangeCz::Hz50 + (cz - PointCz::Hz50))
               : QString();
}

QString rangeFrequency(ConstZakresAmpl range)
{
    const int cz = range.Cz();
    QString fixed = OutputRanges::fixedFrequency(cz);
    if (!fixed.isEmpty())
        return fixed;
    if (cz == RangeCz::User)
        return general(range.CzHz()) + QStringLiteral("Hz");
    return {};
}

void amplitudeHeading(ReportContent &report, const TDaneSprawdzania &record, int k)
{
    const ConstZakresAmpl range = record.ZakresyAmpl(k);
    report.title = QStringLiteral("Charakterystyka amplitudowa");
    report.metoda = ReportContent::methodOf(record);
    report.zakres = QStringLiteral("Wartość: ") + general(range.Zak()) + range.Jm();
    report.secondLine = QStringLiteral("Częstotliwość: ") + rangeFrequency(range);
    report.klasa = classLine(range, true);
    report.headers[0] = WskazanieMiernika;
    report.headers[1] = NastawaAmplitudy;
}

void fillAmplitude(ReportContent &report, const TDaneSprawdzania &record, int k,
                   const Uncertainty::RangeJudging &judging)
{
    const ConstZakresAmpl range = record.ZakresyAmpl(k);
    const bool cyfrowy = record.isCyfrowy();
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        const ConstPunktAmpl point = range.Punkty(j);
        if (!point.Wpisany())
            continue;
        ReportContent::Row row;
        row.ticked = point.Wl();
        if (range.Zmierzony() && point.Zmierzony()) {
            row.cells[0] = ReportContent::cellText(point.Wm(), point.Dokl());
            row.cells[1] = ReportContent::cellText(point.Nk(), point.Dokl());
            fillResults(row, range, point, judging);
        } else {
            // Only what the operator typed exists yet: the indication of an
            // analogue meter, the setting for a digital one.
            row.cells[cyfrowy ? 1 : 0] = general(cyfrowy ? point.Nk() : point.Wm());
        }
        report.rows.append(row);
    }
}

void frequencyHeading(ReportContent &report, const TDaneSprawdzania &record, int k)
{
    const ConstZakresCz range = record.ZakresyCz(k);
    const bool cyfrowy = record.isCyfrowy();
    report.title = QStringLiteral("Charakterystyka czestotliwościowa");
    report.metoda = ReportContent::methodOf(record);
    report.zakres = QStringLiteral("Wartość: ") + general(range.Zak()) + range.Jm();
    report.secondLine = (cyfrowy ? NastawaAmplitudy : WskazanieMiernika) + QStringLiteral(": ") +
                        general(ErrorMath::amplitudeInRangeUnit(range)) + range.Jm();
    report.klasa = classLine(range, false);
    report.headers[0] = cyfrowy ? WskazanieMiernika : NastawaAmplitudy;
    report.headers[1] = QStringLiteral("Nastawa częstotliwości kalibratora");
}

void fillFrequency(ReportContent &report, const TDaneSprawdzania &record, int k,
                   const Uncertainty::RangeJudging &judging)
{
    const ConstZakresCz range = record.ZakresyCz(k);
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        const ConstPunktCz point = range.Punkty(j);
        if (!point.Wpisany())
            continue;
        ReportContent::Row row;
        row.ticked = point.Wl();
        row.cells[1] = pointFrequency(point);
        if (range.Zmierzony() && point.Zmierzony()) {
            row.cells[0] = ReportContent::cellText(point.WmDN_NkDO(), point.Dokl());
            fillResults(row, range, point, judging);
        }
        report.rows.append(row);
    }
}

} // namespace

ReportContent ReportContent::heading(const TDaneSprawdzania &record, const OutputRange &range)
{
    ReportContent report;
    report.nazwa = QStringLiteral("Nazwa: ") + record.Nazwa();
    report.numer = QStringLiteral("Numer: ") + record.Numer();
    for (int c = 0; c < int(ResultHeaders.size()); ++c)
        report.headers[c + 2] = ResultHeaders[c];
    if (range.characteristic == Characteristic::Amplitude)
        amplitudeHeading(report, record, range.range);
    else
        frequencyHeading(report, record, range.range);
    return report;
}

ReportContent ReportContent::fill(const TDaneSprawdzania &record,
                                  const DocumentExtension &extension, const OutputRange &range)
{
    ReportContent report = heading(record, range);
    const Uncertainty::RangeJudging judging =
        Uncertainty::RangeJudging::of(extension, range.characteristic, range.range);
    if (range.characteristic == Characteristic::Amplitude)
        fillAmplitude(report, record, range.range, judging);
    else
        fillFrequency(report, record, range.range, judging);
    return report;
}

QString ReportContent::methodOf(const TDaneSprawdzania &record)
{
    return record.isCyfrowy() ? MethodDN : MethodDO;
}

QString ReportContent::cellText(long double value, int decimals)
{
    return NumberText::fixed(value, decimals);
}

QString ReportContent::generalText(long double value)
{
    return NumberText::general(value);
}

QString ReportContent::fixed4(long double value)
{
    if (value == 0)
        return NumberText::fixed(0, 4);
    // Rounded to 4 significant digits first, then written with 4 decimals.
    const int exponent = int(std::floor(std::log10(std::fabs(static_cast<double>(value)))));
    const double scale = std::pow(10.0, 3 - exponent);
    return NumberText::fixed(std::round(static_cast<double>(value) * scale) / scale, 4);
}
