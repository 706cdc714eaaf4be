#include "tools/caltool.h"

#include "core/base/errors.h"
#include "core/document/documentfile.h"
#include "core/document/documentjson.h"
#include "tools/assesstool.h"
#include "tools/registertool.h"

#include <QDir>
#include <QFile>

namespace CalTool {

QByteArray errorLine(const QString &file, const ProgramError &error)
{
    QString line = error.message();
    // File errors name the file already, in the text or in the detail; the
    // others get it in front.
    const QString shown = QDir::toNativeSeparators(file);
    if (!file.isEmpty() && !line.contains(shown) && !error.detail().contains(shown))
        line = shown + QStringLiteral(": ") + line;
    if (!error.detail().isEmpty())
        line += QStringLiteral(" (") + error.detail() + QLatin1Char(')');
    return "orvane707-cal: " + line.toUtf8() + '\n';
}

namespace {

QByteArray readJson(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(
            QStringLiteral("Nie można otworzyć pliku %1.").arg(QDir::toNativeSeparators(fileName)),
            file.errorString());
    // A JSON document of a record is about half a megabyte; anything much
    // larger is not one.
    constexpr qint64 Limit = 64 * 1024 * 1024;
    const QByteArray text = file.read(Limit + 1);
    if (text.size() > Limit)
        throw EConvertError(QStringLiteral("plik jest za duży na dokument"));
    return text;
}

} // namespace

QByteArray usage()
{
    return "usage: orvane707-cal dump FILE\n"
           "       orvane707-cal build JSON OUT\n"
           "       orvane707-cal convert IN OUT\n" +
           AssessTool::usage() + RegisterTool::usage();
}

Result run(const QStringList &arguments, const std::function<void(const QByteArray &line)> &refused)
{
    Result result;
    const QString command = arguments.value(0);
    if (command == QLatin1String("register")) {
        // The register's own commands never write a document, and build
        // and convert never touch the register.
        QByteArray refusedLines;
        result = RegisterTool::run(arguments.mid(1), [&](const QByteArray &line) {
            if (refused)
                refused(line);
            else
                refusedLines += line;
        });
        result.err.prepend(refusedLines);
        return result;
    }
    if (command == QLatin1String("assess"))
        return AssessTool::run(arguments.mid(1));
    const bool known = (command == QLatin1String("dump") && arguments.size() == 2) ||
                       (command == QLatin1String("build") && arguments.size() == 3) ||
                       (command == QLatin1String("convert") && arguments.size() == 3);
    if (!known) {
        result.status = Usage;
        result.err = usage();
        return result;
    }

    // The file an error is about: the input until it has been read.
    QString current = arguments.at(1);
    try {
        if (command == QLatin1String("build")) {
            DocumentExtension extension;
            const TDaneSprawdzania record = DocumentJson::fromJson(readJson(current), &extension);
            current = arguments.at(2);
            DocumentFile::write(record, extension, current);
        } else {
            const DocumentFile::StoredDocument document = DocumentFile::load(current);
            if (document.extensionDamaged)
                result.err = errorLine(current, ProgramError(DocumentExtension::damagedText()));
            if (command == QLatin1String("dump")) {
                result.out = DocumentJson::toJson(document.record, document.extension);
            } else {
                current = arguments.at(2);
                DocumentFile::write(document.record, document.extension, current);
            }
        }
    } catch (const ProgramError &error) {
        result.status = BadInput;
        result.err = errorLine(current, error);
    }
    return result;
}

} // namespace CalTool
