#include "pagepainter.h"

#include "chartpage.h"
#include "errors.h"
#include "reportlayout.h"
#include "reportpainter.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace PagePainter {

void paintPage(QPainter &painter, const OutputPage &page)
{
    if (const auto *report = std::get_if<ReportContent>(&page)) {
        ReportPainter::paint(painter, *report);
        return;
    }
    // A chart at its design size, centred across the page below the top
    // margin of 20 mm.
    const QRectF target((ReportLayout::PageWidth - ChartPage::DesignWidth) / 2.0, 76,
                        ChartPage::DesignWidth, ChartPage::DesignHeight);
    ChartPage::render(painter, std::get<ChartContent>(page), target);
}

void paint(QPagedPaintDevice &device, const QList<OutputPage> &pages, const QString &failure)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw EInOutError(failure);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal scaleX = device.logicalDpiX() / 96.0;
    const qreal scaleY = device.logicalDpiY() / 96.0;
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            throw EInOutError(failure);
        }
        painter.save();
        painter.scale(scaleX, scaleY);
        paintPage(painter, pages.at(i));
        painter.restore();
    }
    if (!painter.end())
        throw EInOutError(failure);
}

} // namespace PagePainter

void DevicePagePrinter::prepare(QPrinter &printer)
{
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
}

void DevicePagePrinter::print(const QList<OutputPage> &pages)
{
    if (pages.isEmpty())
        return;
    prepare(m_printer);
    const QString name = m_printer.outputFormat() == QPrinter::PdfFormat
                             ? QDir::toNativeSeparators(m_printer.outputFileName())
                             : m_printer.printerName();
    PagePainter::paint(m_printer, pages,
                       QStringLiteral("Nie można drukować na „%1”. Drukarkę wybiera się "
                                      "przyciskiem „Drukarka” okna „Drukowanie”.")
                           .arg(name));
    if (m_printer.printerState() == QPrinter::Error)
        throw EInOutError(QStringLiteral("Drukowanie na „%1” nie powiodło się.").arg(name));
}

void PdfPagePrinter::print(const QList<OutputPage> &pages)
{
    const QString shown = QDir::toNativeSeparators(m_fileName);
    const QString failure = QStringLiteral("Nie można zapisać pliku %1.").arg(shown);
    const QString partial = m_fileName + QStringLiteral(".part");
    {
        QPdfWriter writer(partial);
        writer.setCreator(QStringLiteral("Orvane 707"));
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        try {
            PagePainter::paint(writer, pages, failure);
        } catch (...) {
            QFile::remove(partial);
            throw;
        }
    }
    if (std::rename(QFile::encodeName(partial).constData(),
                    QFile::encodeName(m_fileName).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(partial);
        throw EInOutError(failure, reason);
    }
}
