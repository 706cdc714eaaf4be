#include "gui/output/pagepainter.h"

#include "core/base/errors.h"
#include "core/document/outputfile.h"
#include "core/output/reportlayout.h"
#include "gui/output/chartpage.h"
#include "gui/output/reportpainter.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace PagePainter {

void paintPage(QPainter &painter, const OutputPage &page)
{
    if (const auto *report = std::get_if<ReportContent>(&page)) {
        ReportPainter::paint(painter, *report);
        return;
    }
    if (const auto *certificate = std::get_if<CertificatePage>(&page)) {
        ReportPainter::paintItems(painter, certificate->items);
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
    // Printing to a file writes it as --report does: the printer would
    // replace the file even when the disk is full, and say nothing.
    if (m_printer.outputFormat() == QPrinter::PdfFormat) {
        PdfPagePrinter(m_printer.outputFileName()).print(pages);
        return;
    }
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
    // The target is looked at before anything is painted. The PDF writer
    // does not tell of a failed write, so it paints into memory, and the
    // bytes go to the file through a writer that checks every call.
    OutputFile file(m_fileName);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Orvane 707"));
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        PagePainter::paint(writer, pages,
                           QStringLiteral("Nie można zapisać pliku %1.")
                               .arg(QDir::toNativeSeparators(m_fileName)));
    }
    file.write(buffer.data());
    file.commit();
}
