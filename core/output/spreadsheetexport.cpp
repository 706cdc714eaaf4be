#include "core/output/spreadsheetexport.h"

#include "core/base/errors.h"
#include "core/base/prompts.h"
#include "core/characteristic/amplitudecells.h"
#include "core/document/tdanesprawdzania.h"
#include "core/output/workbookcontent.h"
#include "core/output/workbookfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace SpreadsheetExport {

QString directory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/orvane707");
}

QString fileName(const TDaneSprawdzania &record, const OutputRange &range, const QString &directory)
{
    QString meter = record.Nazwa().trimmed();
    if (meter.isEmpty())
        meter = QStringLiteral("miernik");
    QString rangeName = QStringLiteral("zakres %1").arg(range.range);
    if (range.range >= 1 && range.range <= TDaneSprawdzania::Slots) {
        const bool amplitude = range.characteristic == Characteristic::Amplitude;
        const long double zak =
            amplitude ? record.ZakresyAmpl(range.range).Zak() : record.ZakresyCz(range.range).Zak();
        const QString jm =
            amplitude ? record.ZakresyAmpl(range.range).Jm() : record.ZakresyCz(range.range).Jm();
        if (zak != 0)
            rangeName += QLatin1Char(' ') + QString::number(static_cast<double>(zak)) + jm;
        if (!amplitude)
            rangeName += QStringLiteral(" częstotliwościowy");
    }
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    QString base = meter + QLatin1Char(' ') + rangeName;
    base.replace(unsafe, QStringLiteral("_"));

    const QDir folder(directory);
    QString name = base + QStringLiteral(".xlsx");
    for (int n = 2; QFileInfo::exists(folder.filePath(name)); ++n)
        name = QStringLiteral("%1 (%2).xlsx").arg(base).arg(n);
    return folder.filePath(name);
}

QString send(const TDaneSprawdzania &record, const DocumentExtension &extension,
             const OutputRange &range, const QString &directory, FileOpener &opener,
             Prompts &prompts)
{
    const QString refusal = OutputRanges::refusal(record, range);
    if (!refusal.isEmpty()) {
        prompts.show(refusal, OutputRanges::refusalCaption(), PromptIcon::Warning);
        return {};
    }
    if (!QDir().mkpath(directory))
        throw EInOutError(QStringLiteral("Nie można utworzyć folderu %1.")
                              .arg(QDir::toNativeSeparators(directory)));
    QString file = fileName(record, range, directory);
    WorkbookFile::write(WorkbookContent::fill(record, extension, range), file);
    if (!opener.open(file))
        prompts.show(QStringLiteral("Cannot start Excel/Excel not installed ?"),
                     AmplitudeCells::plainCaption(), PromptIcon::None, PromptButton::Ok,
                     QDir::toNativeSeparators(file));
    return file;
}

} // namespace SpreadsheetExport
