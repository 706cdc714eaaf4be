#include "gui/output/tform_tabela.h"

#include "core/output/reportlayout.h"
#include "gui/output/reportpainter.h"

#include <QPainter>

TForm_Tabela::TForm_Tabela(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form_Tabela"));
    setWindowTitle(QStringLiteral("Wydruk"));
    resize(ReportLayout::PageWidth, ReportLayout::PageHeight);
}

void TForm_Tabela::fill(const TDaneSprawdzania &record, const DocumentExtension &extension,
                        const OutputRange &range)
{
    m_report = ReportContent::fill(record, extension, range);
    update();
}

void TForm_Tabela::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = std::min(width() / qreal(ReportLayout::PageWidth),
                                 height() / qreal(ReportLayout::PageHeight));
    painter.scale(scale, scale);
    ReportPainter::paint(painter, m_report);
}
