#include "workbookfile.h"

#include "errors.h"
#include "workbookcontent.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace WorkbookFile {

namespace {

[[noreturn]] void fail(const QString &fileName, const QString &reason)
{
    throw EInOutError(
        QStringLiteral("Nie można zapisać pliku %1.").arg(QDir::toNativeSeparators(fileName)),
        reason);
}

} // namespace

void write(const WorkbookContent &content, const QString &fileName)
{
    const QString partial = fileName + QStringLiteral(".part");
    const QByteArray partialName = QFile::encodeName(partial);
    lxw_workbook *workbook = workbook_new(partialName.constData());
    if (!workbook)
        fail(fileName, QStringLiteral("brak pamięci na skoroszyt"));
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, nullptr);

    QHash<int, lxw_format *> formats;
    auto formatOf = [&](int decimals) {
        lxw_format *&format = formats[decimals];
        if (!format) {
            format = workbook_add_format(workbook);
            const QByteArray code =
                decimals > 0 ? "0." + QByteArray(decimals, '0') : QByteArray("0");
            format_set_num_format(format, code.constData());
        }
        return format;
    };

    lxw_error error = LXW_NO_ERROR;
    for (const WorkbookContent::Cell &cell : content.cells) {
        const lxw_row_t row = lxw_row_t(cell.row - 1);
        const lxw_col_t column = lxw_col_t(cell.column - 1);
        if (cell.number)
            error =
                worksheet_write_number(sheet, row, column, *cell.number, formatOf(cell.decimals));
        else if (!cell.text.isEmpty())
            error =
                worksheet_write_string(sheet, row, column, cell.text.toUtf8().constData(), nullptr);
        if (error != LXW_NO_ERROR)
            break;
    }

    // Closing writes the file and frees the workbook, also after an error.
    errno = 0;
    const lxw_error closed = workbook_close(workbook);
    if (error == LXW_NO_ERROR)
        error = closed;
    if (error != LXW_NO_ERROR) {
        QString reason = QString::fromUtf8(lxw_strerror(error));
        if (errno != 0)
            reason += QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(partial);
        fail(fileName, reason);
    }
    if (std::rename(partialName.constData(), QFile::encodeName(fileName).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(partial);
        fail(fileName, reason);
    }
}

} // namespace WorkbookFile
