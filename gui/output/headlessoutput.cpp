#include "gui/output/headlessoutput.h"

#include "core/base/errors.h"
#include "core/document/documentfile.h"
#include "core/document/outputfile.h"
#include "core/document/tdanesprawdzania.h"
#include "core/output/outputrange.h"
#include "core/output/workbookcontent.h"
#include "core/output/workbookfile.h"
#include "gui/output/pagepainter.h"

#include <QCommandLineParser>
#include <QDir>

#include <cstring>

namespace HeadlessOutput {

namespace {

QByteArray line(const QString &message, const QString &detail = {})
{
    QString text = QStringLiteral("orvane707: ") + message;
    if (!detail.isEmpty())
        text += QStringLiteral(" (") + detail + QLatin1Char(')');
    return text.toUtf8() + '\n';
}

Result usageError(const QString &message)
{
    return {Usage, line(message) + usage()};
}

Result refused(const QString &message)
{
    return {BadInput, line(message)};
}

struct Request
{
    bool report = false;
    QString document;
    QString output;
    std::optional<Characteristic> view;
    int range = 1;
    PrintPlan::Marks pages{true, false, false};
};

// The request, or the usage error that stops it.
std::variant<Request, Result> parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption report(QStringLiteral("report"));
    const QCommandLineOption exportOption(QStringLiteral("export"));
    const QCommandLineOption view(QStringLiteral("view"), {}, QStringLiteral("view"));
    const QCommandLineOption range(QStringLiteral("range"), {}, QStringLiteral("N"));
    const QCommandLineOption pages(QStringLiteral("pages"), {}, QStringLiteral("pages"));
    parser.addOptions({report, exportOption, view, range, pages});
    parser.addPositionalArgument(QStringLiteral("document"), {});
    parser.addPositionalArgument(QStringLiteral("output"), {});
    if (!parser.parse(arguments))
        return usageError(parser.errorText());

    Request request;
    request.report = parser.isSet(report);
    if (request.report == parser.isSet(exportOption))
        return usageError(QStringLiteral("podaj jedno z --report i --export"));
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return usageError(QStringLiteral("podaj dokument i plik wynikowy"));
    request.document = files.at(0);
    request.output = files.at(1);

    if (parser.isSet(view)) {
        const QString name = parser.value(view);
        if (name == QLatin1String("amplitude"))
            request.view = Characteristic::Amplitude;
        else if (name == QLatin1String("frequency"))
            request.view = Characteristic::Frequency;
        else
            return usageError(QStringLiteral("nieznany widok „%1”").arg(name));
    }
    if (parser.isSet(range)) {
        bool ok = false;
        request.range = parser.value(range).toInt(&ok);
        if (!ok)
            return usageError(QStringLiteral("numer zakresu „%1” nie jest liczbą całkowitą")
                                  .arg(parser.value(range)));
        if (request.range < 1 || request.range > TDaneSprawdzania::Slots)
            return usageError(OutputRanges::refusal(TDaneSprawdzania(),
                                                    {Characteristic::Amplitude, request.range}));
    }
    if (parser.isSet(pages)) {
        if (!request.report)
            return usageError(QStringLiteral("--pages należy do --report"));
        request.pages = {};
        for (const QString &name : parser.value(pages).split(QLatin1Char(','))) {
            if (name == QLatin1String("table"))
                request.pages.table = true;
            else if (name == QLatin1String("points"))
                request.pages.points = true;
            else if (name == QLatin1String("errors"))
                request.pages.errors = true;
            else
                return usageError(QStringLiteral("nieznana strona „%1”").arg(name));
        }
    }
    return request;
}

void produce(const Request &request, const DocumentFile::StoredDocument &document, Result &result)
{
    const TDaneSprawdzania &record = document.record;
    const OutputRange range{request.view.value_or(record.WidokAmpl() ? Characteristic::Amplitude
                                                                     : Characteristic::Frequency),
                            request.range};
    if (request.report && !record.hasMethod()) {
        result = refused(QStringLiteral("dokument nie ma metody sprawdzania: rodzaj miernika "
                                        "nie jest ani „Analogowy”, ani „Cyfrowy”"));
        return;
    }
    const QString refusal = OutputRanges::refusal(record, range);
    if (!refusal.isEmpty()) {
        result = refused(refusal);
        return;
    }
    if (!request.report) {
        WorkbookFile::write(WorkbookContent::fill(record, document.extension, range),
                            request.output);
        return;
    }
    const PrintPlan::Pages pages =
        PrintPlan::build(record, document.extension, range, request.pages);
    if (pages.chartRefused) {
        result = refused(ChartContent::refusalText());
        return;
    }
    PdfPagePrinter(request.output).print(pages.pages);
}

} // namespace

bool requested(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"--report", "--export"}) {
            const std::size_t length = std::strlen(option);
            if (std::strncmp(argv[i], option, length) == 0 &&
                (argv[i][length] == '\0' || argv[i][length] == '='))
                return true;
        }
    }
    return false;
}

void useOffscreenPlatform()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

QByteArray usage()
{
    return "usage: orvane707 [FILE.cal]\n"
           "       orvane707 --report FILE.cal OUT.pdf [--view amplitude|frequency] [--range N]\n"
           "                 [--pages table,points,errors]\n"
           "       orvane707 --export FILE.cal OUT.xlsx [--view amplitude|frequency] "
           "[--range N]\n";
}

Result run(const QStringList &arguments)
{
    const auto parsed = parse(arguments);
    if (const auto *error = std::get_if<Result>(&parsed))
        return *error;
    const Request &request = std::get<Request>(parsed);
    Result result;
    try {
        OutputFile::refuseInput(request.document, request.output);
        const DocumentFile::StoredDocument document = DocumentFile::load(request.document);
        // The document's own data are left out, as the window leaves them:
        // the outputs are made all the same, judged by simple acceptance.
        if (document.extensionDamaged)
            result.err = line(DocumentExtension::damagedText());
        produce(request, document, result);
    } catch (const ProgramError &error) {
        result = {BadInput, line(error.message(), error.detail())};
    }
    return result;
}

} // namespace HeadlessOutput
