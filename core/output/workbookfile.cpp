#include "core/output/workbookfile.h"

#include "core/base/filenode.h"
#include "core/document/outputfile.h"
#include "core/output/workbookcontent.h"

#include <QHash>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <locale.h>
#include <unistd.h>

namespace WorkbookFile {

namespace {

// libxlsxwriter prints its own English lines ("[ERROR] workbook_close():
// ...") on stderr; the program reports the failure itself, in its words.
class QuietStderr
{
public:
    QuietStderr()
    {
        std::fflush(stderr);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null < 0)
            return;
        m_saved = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        if (m_saved >= 0)
            ::dup2(null, STDERR_FILENO);
        ::close(null);
    }
    QuietStderr(const QuietStderr &) = delete;
    QuietStderr &operator=(const QuietStderr &) = delete;
    ~QuietStderr()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
    }

private:
    int m_saved = -1;
};

// libxlsxwriter writes numbers with printf, which follows the C library's
// numeric locale; Qt sets that from the environment, so on a Polish desktop
// 1.99 would go into the file as "1,99", which no spreadsheet reads as a
// number. The file format wants '.', whatever the user's locale.
class FileNumbers
{
public:
    FileNumbers() : m_c(::newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr)))
    {
        if (m_c)
            m_previous = ::uselocale(m_c);
    }
    FileNumbers(const FileNumbers &) = delete;
    FileNumbers &operator=(const FileNumbers &) = delete;
    ~FileNumbers()
    {
        if (!m_c)
            return;
        ::uselocale(m_previous);
        ::freelocale(m_c);
    }

private:
    locale_t m_c;
    locale_t m_previous = nullptr;
};

} // namespace

void write(const WorkbookContent &content, const QString &fileName)
{
    OutputFile file(fileName);
    const QuietStderr quiet;
    const FileNumbers numbers;
    lxw_workbook *workbook = workbook_new(file.temporaryPath().constData());
    if (!workbook)
        throw file.failure(QStringLiteral("brak pamięci na skoroszyt"));
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
    // The system's reason is the cause (a full disk); the library's own text
    // only stands in when there is none.
    errno = 0;
    const lxw_error closed = workbook_close(workbook);
    const int systemError = errno;
    if (error == LXW_NO_ERROR)
        error = closed;
    if (error != LXW_NO_ERROR)
        throw file.failure(systemError != 0 ? FileNode::systemError(systemError)
                                            : QString::fromUtf8(lxw_strerror(error)));
    file.commit();
}

} // namespace WorkbookFile
