#include "core/output/chartcontent.h"

#include "core/calibrator/calibratorranges.h"
#include "core/characteristic/amplitudecells.h"
#include "core/characteristic/errormath.h"
#include "core/characteristic/uncertainty.h"
#include "core/document/tdanesprawdzania.h"
#include "core/output/reportcontent.h"

#include <algorithm>
#include <cmath>

namespace {

// The heading is built the way the chart always cut it: the name part, the
// number label and the whole each at most so many characters.
struct HeadingCuts
{
    int afterName;
    int afterLabel;
    int total;
};

QString heading(const QString &lead, const TDaneSprawdzania &record, HeadingCuts cuts)
{
    QString text = (lead + QStringLiteral(";  Miernik: ") + record.Nazwa()).left(cuts.afterName);
    text = (text + QStringLiteral(",  Nr: ")).left(cuts.afterLabel);
    return (text + record.Numer()).left(cuts.total);
}

// "10V", "100mA", "7,5V": in the general form, as the report writes it.
QString rangeText(long double zak, const QString &jm)
{
    return ReportContent::generalText(zak) + jm;
}

// "mV", "mA", "V" or "A": the unit every series is drawn in.
QString unitText(const QString &jm)
{
    return jm.right(Units::isMilli(jm) ? 2 : 1);
}

QString amplitudeFrequency(ConstZakresAmpl range)
{
    QString fixed = OutputRanges::fixedFrequency(range.Cz());
    if (!fixed.isEmpty())
        return fixed;
    // The free frequency as the range's list shows it.
    const QString shown = AmplitudeCells::userFrequencyItem(range.CzHz());
    return shown.isEmpty() ? ReportContent::generalText(range.CzHz()) + QStringLiteral("Hz")
                           : shown;
}

// One plotted point: its values as the record holds them and the unit of
// the calibrator range they were measured on.
struct Plotted
{
    long double setting = 0;
    long double indication = 0;
    long double bmr = 0;
    long double bmd = 0;
    QString jmBk;
    // T − U, in the calibrator unit like Bmr.
    long double acceptance = 0;
};

struct Source
{
    QString jm;
    QString subheading;
    QList<Plotted> points;
};

// Only the ticked points that have been measured are plotted: a point
// without results would draw as zero.
Source amplitudeSource(ConstZakresAmpl range, const Uncertainty::RangeJudging &judging)
{
    Source source;
    source.jm = range.Jm();
    source.subheading = QStringLiteral("Zakres: ") + rangeText(range.Zak(), range.Jm()) +
                        QStringLiteral(",  Częstotliwość: ") + amplitudeFrequency(range);
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        const ConstPunktAmpl point = range.Punkty(j);
        if (!(point.Wl() && point.Wpisany() && point.Zmierzony()))
            continue;
        const Uncertainty::Budget budget = judging.budget(range, point);
        source.points.append({point.Nk(), point.Wm(), point.Bmr(), point.Bmd(), point.JmBk(),
                              budget.tolerance - budget.expanded});
    }
    return source;
}

Source frequencySource(ConstZakresCz range, bool analogowy,
                       const Uncertainty::RangeJudging &judging)
{
    Source source;
    source.jm = range.Jm();
    source.subheading = QStringLiteral("Zakres: ") + rangeText(range.Zak(), range.Jm()) +
                        (analogowy ? QStringLiteral(",  Wskazanie miernika badanego: ")
                                   : QStringLiteral(",  Nastawa amplitudy kalibratora: ")) +
                        ReportContent::generalText(ErrorMath::amplitudeInRangeUnit(range)) +
                        range.Jm();
    for (int j = 1; j <= TDaneSprawdzania::Slots; ++j) {
        const ConstPunktCz point = range.Punkty(j);
        if (!(point.Wl() && point.Wpisany() && point.Zmierzony()))
            continue;
        // The range holds one amplitude: the meter's indication for exact
        // reading, the calibrator's setting for exact setting. It is taken
        // in the point's unit, as the point's own value is.
        const long double amplitude = ErrorMath::amplitudeIn(range, point.JmBk());
        const long double measured = point.WmDN_NkDO();
        const Uncertainty::Budget budget = judging.budget(range, point);
        source.points.append({analogowy ? measured : amplitude, analogowy ? amplitude : measured,
                              point.Bmr(), point.Bmd(), point.JmBk(),
                              budget.tolerance - budget.expanded});
    }
    return source;
}

ChartContent pointsChart(const TDaneSprawdzania &record, const Source &source)
{
    ChartContent chart;
    chart.kind = ChartKind::Points;
    const QString unit = unitText(source.jm);
    chart.valueAxisTitle =
        QStringLiteral("Wartości w punktach pomiarowych [") + unit + QLatin1Char(']');
    chart.heading =
        heading(QStringLiteral("Wykres punktów pomiarowych"), record, HeadingCuts{68, 75, 95});
    chart.subheading = source.subheading;
    chart.decimals = Units::isMilli(unit) ? 3 : 6;
    ChartContent::Series setting{QStringLiteral("Nastawa kalibratora"), ChartContent::Yellow, {}};
    ChartContent::Series indication{QStringLiteral("Wskazanie miernika"), ChartContent::Red, {}};
    for (const Plotted &point : source.points) {
        setting.values.append(
            static_cast<double>(Units::toRangeUnit(point.setting, source.jm, point.jmBk)));
        indication.values.append(
            static_cast<double>(Units::toRangeUnit(point.indication, source.jm, point.jmBk)));
    }
    chart.series = {setting, indication};
    chart.scale = ChartContent::scaleOf(chart.series);
    return chart;
}

ChartContent errorsChart(const TDaneSprawdzania &record, const Source &source, bool acceptance)
{
    ChartContent chart;
    chart.kind = ChartKind::Errors;
    chart.valueAxisTitle = QStringLiteral("Wartości błędów");
    chart.heading = heading(QStringLiteral("Wykres błędów"), record, HeadingCuts{55, 62, 82});
    chart.subheading = source.subheading;
    chart.decimals = 4;
    ChartContent::Series actual{QStringLiteral("Błąd rzeczywisty"), ChartContent::Red, {}};
    ChartContent::Series upper{QStringLiteral("+ błąd dopuszczalny"), ChartContent::Green, {}};
    ChartContent::Series lower{QStringLiteral("- błąd dopuszczalny"), ChartContent::Green, {}};
    for (const Plotted &point : source.points) {
        // Bmr is in the calibrator range's unit; Bmd is already in the
        // meter range's unit.
        actual.values.append(
            static_cast<double>(Units::toRangeUnit(point.bmr, source.jm, point.jmBk)));
        upper.values.append(static_cast<double>(point.bmd));
        lower.values.append(static_cast<double>(-point.bmd));
    }
    chart.series = {actual, upper, lower};
    if (acceptance) {
        ChartContent::Series above{
            QStringLiteral("+ granica akceptacji"), ChartContent::Green, {}, true};
        ChartContent::Series below{
            QStringLiteral("- granica akceptacji"), ChartContent::Green, {}, true};
        for (const Plotted &point : source.points) {
            const double limit =
                static_cast<double>(Units::toRangeUnit(point.acceptance, source.jm, point.jmBk));
            above.values.append(limit);
            below.values.append(-limit);
        }
        chart.series.append({above, below});
    }
    chart.scale = ChartContent::scaleOf(chart.series);
    return chart;
}

} // namespace

std::optional<ChartContent> ChartContent::build(const TDaneSprawdzania &record,
                                                const DocumentExtension &extension,
                                                ChartTable table, ChartKind kind, int k)
{
    if (k < 1 || k > TDaneSprawdzania::Slots)
        return std::nullopt;
    const Uncertainty::RangeJudging judging = Uncertainty::RangeJudging::of(
        extension,
        table == ChartTable::Amplitude ? Characteristic::Amplitude : Characteristic::Frequency, k);
    Source source;
    switch (table) {
    case ChartTable::Amplitude: {
        const ConstZakresAmpl range = record.ZakresyAmpl(k);
        if (!range.Zmierzony())
            return std::nullopt;
        source = amplitudeSource(range, judging);
        break;
    }
    case ChartTable::FrequencyDN:
    case ChartTable::FrequencyDO: {
        const bool analogowy = table == ChartTable::FrequencyDO;
        const ConstZakresCz range = analogowy ? record.ZakresyCzDO(k) : record.ZakresyCzDN(k);
        if (!range.Zmierzony())
            return std::nullopt;
        source = frequencySource(range, analogowy, judging);
        break;
    }
    }
    if (source.points.isEmpty())
        return std::nullopt;
    if (kind == ChartKind::Points)
        return pointsChart(record, source);
    return errorsChart(record, source, judging.settings.rule != DecisionRule::Simple);
}

ChartTable ChartContent::tableOf(const TDaneSprawdzania &record, Characteristic characteristic)
{
    if (characteristic == Characteristic::Amplitude)
        return ChartTable::Amplitude;
    return record.isAnalogowy() ? ChartTable::FrequencyDO : ChartTable::FrequencyDN;
}

ChartContent::Scale ChartContent::scaleOf(const QList<Series> &series)
{
    double largest = 0;
    double smallest = 0;
    for (const Series &one : series) {
        for (double value : one.values) {
            largest = std::max(largest, value);
            smallest = std::min(smallest, value);
        }
    }
    if (largest == smallest) {
        // Every value is 0: an axis still needs a span to be drawn.
        return {0, 1, 0.1};
    }
    return {smallest * 1.07, largest * 1.07, (largest - smallest) / 10};
}

QString ChartContent::refusalText()
{
    return QStringLiteral("Nie zaznaczono punktów do wykresu");
}

QString ChartContent::refusalCaption()
{
    return QStringLiteral("Wykres");
}
