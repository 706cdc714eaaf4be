#include "chartpage.h"

#include "prompts.h"

#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QValueAxis>

#include <cmath>

ChartPage::ChartPage(QWidget *parent) : QChartView(new QChart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(200, 200);
}

bool ChartPage::build(const TDaneSprawdzania &record, ChartTable table, ChartKind kind, int k,
                      Prompts &prompts)
{
    const std::optional<ChartContent> content = ChartContent::build(record, table, kind, k);
    if (!content) {
        prompts.show(ChartContent::refusalText(), ChartContent::refusalCaption());
        return false;
    }
    show(*content);
    return true;
}

void ChartPage::show(const ChartContent &content)
{
    fill(*chart(), content);
}

void ChartPage::fill(QChart &chart, const ChartContent &content)
{
    chart.removeAllSeries();
    for (QAbstractAxis *axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
    chart.setLocale(QLocale());
    chart.setLocalizeNumbers(true);

    const int points = content.points();
    auto *across = new QValueAxis;
    across->setLabelFormat(QStringLiteral("%.0f"));
    across->setTickType(QValueAxis::TicksDynamic);
    across->setTickAnchor(1);
    // Every point numbered while they fit, every few points beyond.
    across->setTickInterval(std::max(1, (points + 11) / 12));

    auto *values = new QValueAxis;
    values->setTitleText(content.valueAxisTitle);
    values->setLabelFormat(QStringLiteral("%.%1f").arg(content.decimals));
    if (content.scale.step > 0) {
        values->setTickType(QValueAxis::TicksDynamic);
        values->setTickAnchor(content.scale.minimum);
        values->setTickInterval(content.scale.step);
    }
    chart.addAxis(across, Qt::AlignBottom);
    chart.addAxis(values, Qt::AlignLeft);

    for (const ChartContent::Series &one : content.series) {
        auto *series = new QLineSeries;
        series->setName(one.legend);
        QPen pen(QColor::fromRgb(QRgb(one.rgb)));
        pen.setWidthF(2);
        series->setPen(pen);
        series->setPointsVisible(true);
        QList<QPointF> data;
        data.reserve(one.values.size());
        for (int i = 0; i < one.values.size(); ++i)
            data.append(QPointF(i + 1, one.values.at(i)));
        series->replace(data);
        chart.addSeries(series);
        series->attachAxis(across);
        series->attachAxis(values);
    }
    // Attaching a series fits the axes to its data; the scale is fixed.
    if (points > 1)
        across->setRange(1, points);
    else
        across->setRange(0, 2);
    values->setRange(content.scale.minimum, content.scale.maximum);

    chart.setTitle(content.heading.toHtmlEscaped() + QStringLiteral("<br>") +
                   content.subheading.toHtmlEscaped());
    QLegend *legend = chart.legend();
    legend->setAlignment(Qt::AlignRight);
    // At least the legend's width of old; wider where a legend text would
    // otherwise be cut.
    legend->setMinimumWidth(ChartContent::LegendWidth);
    QFont small = legend->font();
    small.setPixelSize(10);
    legend->setFont(small);
}

void ChartPage::render(QPainter &painter, const ChartContent &content, const QRectF &target)
{
    QGraphicsScene scene;
    auto *chart = new QChart;
    scene.addItem(chart);
    fill(*chart, content);
    const QRectF design(0, 0, DesignWidth, DesignHeight);
    chart->setGeometry(design);
    chart->layout()->activate();
    scene.setSceneRect(design);
    scene.render(&painter, target, design);
}
