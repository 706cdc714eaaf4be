#pragma once

#include "core/output/chartcontent.h"

#include <QChartView>

class DocumentExtension;
class Prompts;
class QPainter;
class QRectF;
class TDaneSprawdzania;

// A characteristic chart on a page of the verification window: line series
// with their legends, titles, and a fixed value scale, filled from a
// ChartContent. The printed chart is drawn by the same filling code.
class ChartPage : public QChartView
{
    Q_OBJECT

public:
    // The chart's design size, as on the window's page.
    static constexpr int DesignWidth = 628;
    static constexpr int DesignHeight = 753;

    explicit ChartPage(QWidget *parent = nullptr);

    // Builds the chart of range k of a table. When there is nothing to
    // plot, shows the "Wykres" box through the prompts, keeps what the page
    // showed and returns false.
    bool build(const TDaneSprawdzania &record, const DocumentExtension &extension, ChartTable table,
               ChartKind kind, int k, Prompts &prompts);

    // Shows a chart.
    void showChart(const ChartContent &content);

    // Fills a chart: its series, axes, titles and legend.
    static void fill(QChart &chart, const ChartContent &content);

    // Draws a chart into a rectangle of a painter at its design size.
    static void render(QPainter &painter, const ChartContent &content, const QRectF &target);

protected:
    // The title's first line is cut to the chart's new width.
    void resizeEvent(QResizeEvent *event) override;

private:
    QString m_heading;
    QString m_subheading;
};
