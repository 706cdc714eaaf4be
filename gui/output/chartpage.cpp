#include "gui/output/chartpage.h"

#include "core/base/prompts.h"

#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

ChartPage::ChartPage(QWidget *parent) : QChartView(new QChart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(200, 200);
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setOptimizationFlags(QGraphicsView::DontSavePainterState |
                         QGraphicsView::DontAdjustForAntialiasing);
}

bool ChartPage::build(const TDaneSprawdzania &record, const DocumentExtension &extension,
                      ChartTable table, ChartKind kind, int k, Prompts &prompts)
{
    const std::optional<ChartContent> content =
        ChartContent::build(record, extension, table, kind, k);
    if (!content) {
        prompts.show(ChartContent::refusalText(), ChartContent::refusalCaption());
        return false;
    }
    showChart(*content);
    return true;
}

void ChartPage::showChart(const ChartContent &content)
{
    m_heading = content.heading;
    m_subheading = content.subheading;
    fill(*chart(), content);
}

namespace {

QValueAxis *axisOf(QChart &chart, Qt::Orientation orientation)
{
    const QList<QAbstractAxis *> axes = chart.axes(orientation);
    if (!axes.isEmpty())
        return static_cast<QValueAxis *>(axes.first());
    auto *axis = new QValueAxis;
    axis->setTickInterval(1);
    axis->setTickType(QValueAxis::TicksDynamic);
    chart.addAxis(axis, orientation == Qt::Horizontal ? Qt::AlignBottom : Qt::AlignLeft);
    return axis;
}

// Room the title's text document keeps around its lines.
constexpr qreal TitleSlack = 12;

// QChart cuts a title too wide for it from its end, which takes the second
// line first. The first line is cut here to the room the title has, so that
// the second always shows.
void setTitle(QChart &chart, const QString &heading, const QString &subheading)
{
    qreal left = 0;
    qreal top = 0;
    qreal right = 0;
    qreal bottom = 0;
    if (chart.layout())
        chart.layout()->getContentsMargins(&left, &top, &right, &bottom);
    const qreal width =
        chart.size().width() > 0 ? chart.size().width() : qreal(ChartPage::DesignWidth);
    const qreal room =
        width - left - right - chart.margins().left() - chart.margins().right() - TitleSlack;
    const QString first =
        QFontMetricsF(chart.titleFont()).elidedText(heading, Qt::ElideRight, std::max(0.0, room));
    chart.setTitle(first.toHtmlEscaped() + QStringLiteral("<br>") + subheading.toHtmlEscaped());
}

} // namespace

void ChartPage::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    setTitle(*chart(), m_heading, m_subheading);
}

void ChartPage::fill(QChart &chart, const ChartContent &content)
{
    // The axes and the series stay from one filling to the next: making
    // them anew costs far more than giving them new values.
    QValueAxis *across = axisOf(chart, Qt::Horizontal);
    QValueAxis *values = axisOf(chart, Qt::Vertical);
    QList<QAbstractSeries *> shown = chart.series();
    while (shown.size() > content.series.size()) {
        QAbstractSeries *extra = shown.takeLast();
        chart.removeSeries(extra);
        delete extra;
    }
    while (shown.size() < content.series.size()) {
        auto *series = new QLineSeries;
        series->setPointsVisible(true);
        chart.addSeries(series);
        series->attachAxis(across);
        series->attachAxis(values);
        shown.append(series);
    }

    const int points = content.points();
    for (int s = 0; s < content.series.size(); ++s) {
        const ChartContent::Series &one = content.series.at(s);
        auto *series = static_cast<QLineSeries *>(shown.at(s));
        series->setName(one.legend);
        QPen pen(QColor::fromRgb(QRgb(one.rgb)));
        pen.setWidthF(2);
        if (one.dashed)
            pen.setStyle(Qt::DashLine);
        if (series->pen() != pen)
            series->setPen(pen);
        QList<QPointF> data;
        data.reserve(one.values.size());
        for (int i = 0; i < one.values.size(); ++i)
            data.append(QPointF(i + 1, one.values.at(i)));
        series->replace(data);
    }

    if (!chart.localizeNumbers()) {
        chart.setLocale(QLocale());
        chart.setLocalizeNumbers(true);
    }
    // "%d" gives no labels where numbers follow the locale.
    across->setLabelFormat(QStringLiteral("%.0f"));
    across->setTickAnchor(1);
    // Every point numbered while they fit, every few points beyond.
    across->setTickInterval(std::max(1, (points + 11) / 12));
    if (points > 1)
        across->setRange(1, points);
    else
        across->setRange(0, 2);

    values->setTitleText(content.valueAxisTitle);
    values->setLabelFormat(QStringLiteral("%.%1f").arg(content.decimals));
    // The axis draws a tick and a label for every step of its range at
    // once: a small step of the last chart over the range of this one
    // would make thousands of them on the way.
    values->setTickInterval(std::max(values->tickInterval(), content.scale.step));
    values->setRange(content.scale.minimum, content.scale.maximum);
    values->setTickAnchor(content.scale.minimum);
    values->setTickInterval(content.scale.step);

    setTitle(chart, content.heading, content.subheading);
    QLegend *legend = chart.legend();
    legend->setAlignment(Qt::AlignRight);
    // At least the legend's width of old; wider where a legend text would
    // otherwise be cut.
    legend->setMinimumWidth(ChartContent::LegendWidth);
    QFont small = legend->font();
    if (small.pixelSize() != 10) {
        small.setPixelSize(10);
        legend->setFont(small);
    }
}

void ChartPage::render(QPainter &painter, const ChartContent &content, const QRectF &target)
{
    QGraphicsScene scene;
    auto *chart = new QChart;
    scene.addItem(chart);
    const QRectF design(0, 0, DesignWidth, DesignHeight);
    chart->setGeometry(design);
    fill(*chart, content);
    chart->layout()->activate();
    scene.setSceneRect(design);
    scene.render(&painter, target, design);
}
