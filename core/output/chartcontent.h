#pragma once

#include "core/characteristic/chartkind.h"
#include "core/output/outputrange.h"

#include <QList>
#include <QString>

#include <optional>

class DocumentExtension;
class TDaneSprawdzania;

// The six characteristic charts as data: a points chart and an errors chart
// for each of the three range tables. The chart widget and the printed page
// draw exactly this.
enum class ChartTable { Amplitude, FrequencyDN, FrequencyDO };

struct ChartContent
{
    struct Series
    {
        QString legend;
        // 0xRRGGBB.
        unsigned rgb = 0;
        // One value per plotted point, in the unit of the meter's range.
        QList<double> values;
        bool dashed = false;
    };

    // The value axis: a fixed scale with labels of `decimals` decimals.
    struct Scale
    {
        double minimum = 0;
        double maximum = 0;
        double step = 0;
    };

    static constexpr unsigned Yellow = 0xFFFF00;
    static constexpr unsigned Red = 0xFF0000;
    static constexpr unsigned Green = 0x00FF00;
    static constexpr int LegendWidth = 135;

    ChartKind kind = ChartKind::Points;
    QString valueAxisTitle;
    QString heading;
    QString subheading;
    int decimals = 0;
    Scale scale;
    // The horizontal axis is the running number of the plotted point,
    // 1..points().
    QList<Series> series;

    int points() const { return series.isEmpty() ? 0 : int(series.first().values.size()); }

    // The chart of range k of a table. Empty when there is nothing to plot:
    // no range k, a range not measured, or none of its measured points
    // ticked. The caller then shows refusalText() and keeps what it
    // showed before. Under a rule other than simple acceptance the errors
    // chart draws the acceptance limits ±(T − U) dashed.
    static std::optional<ChartContent> build(const TDaneSprawdzania &record,
                                             const DocumentExtension &extension, ChartTable table,
                                             ChartKind kind, int k);

    // The table a characteristic draws from: the frequency one of the
    // document's method.
    static ChartTable tableOf(const TDaneSprawdzania &record, Characteristic characteristic);

    // The scale over the values, with 0 always inside it: the extremes
    // stretched by 7 % and a tenth of the span as the step.
    static Scale scaleOf(const QList<Series> &series);

    static QString refusalText();
    static QString refusalCaption();
};
