#include "tools/assesstool.h"

#include "core/base/errors.h"
#include "core/characteristic/uncertainty.h"
#include "core/document/documentfile.h"
#include "tools/jsonline.h"

#include <cmath>
#include <optional>

namespace AssessTool {

namespace {

struct Request
{
    QString file;
    std::optional<DecisionRule> rule;
    std::optional<long double> minTur;
};

CalTool::Result usageError(const QString &message)
{
    return {CalTool::Usage, {}, "orvane707-cal: " + message.toUtf8() + '\n' + usage()};
}

QJsonValue number(long double value)
{
    return static_cast<double>(value);
}

QByteArray pointLine(const TDaneSprawdzania &record, const Uncertainty::DocumentPoint &point)
{
    const Uncertainty::Budget &budget = point.budget;
    JsonLine line;
    line.add("view", point.characteristic == Characteristic::Amplitude
                         ? QStringLiteral("amplitude")
                         : QStringLiteral("frequency"))
        .add("range", point.range)
        .add("point", point.point)
        .add("unit", point.characteristic == Characteristic::Amplitude
                         ? record.ZakresyAmpl(point.range).Punkty(point.point).JmBk()
                         : record.ZakresyCz(point.range).Punkty(point.point).JmBk())
        .add("error", number(budget.error))
        .add("tolerance", number(budget.tolerance))
        .add("u_cal", number(budget.uCal))
        .add("u_res", number(budget.uRes))
        .add("U", number(budget.expanded))
        .add("tur", budget.tur ? number(*budget.tur) : QJsonValue())
        .add("decision", Uncertainty::decisionKey(budget.decision))
        .add("below_min_tur", budget.belowMinTur);
    return line.line();
}

} // namespace

QByteArray usage()
{
    return "       orvane707-cal assess FILE [--rule simple|guard_band|four_zone] [--min-tur X]\n";
}

CalTool::Result run(const QStringList &arguments)
{
    Request request;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool option =
            argument == QLatin1String("--rule") || argument == QLatin1String("--min-tur");
        if (option && i + 1 >= arguments.size())
            return usageError(QStringLiteral("%1 wymaga wartości").arg(argument));
        if (argument == QLatin1String("--rule")) {
            request.rule = DecisionRules::fromKey(arguments.at(++i));
            if (!request.rule)
                return usageError(QStringLiteral("nieznana reguła „%1”").arg(arguments.at(i)));
        } else if (argument == QLatin1String("--min-tur")) {
            bool ok = false;
            const double value = arguments.at(++i).toDouble(&ok);
            if (!ok || !std::isfinite(value) || value < 0)
                return usageError(QStringLiteral("minimalny TUR „%1” nie jest liczbą nieujemną")
                                      .arg(arguments.at(i)));
            request.minTur = value;
        } else if (argument.startsWith(QLatin1String("--")) || !request.file.isEmpty()) {
            return usageError(QStringLiteral("nieoczekiwany argument „%1”").arg(argument));
        } else {
            request.file = argument;
        }
    }
    if (request.file.isEmpty())
        return usageError(QStringLiteral("podaj dokument"));

    CalTool::Result result;
    try {
        const DocumentFile::StoredDocument document = DocumentFile::load(request.file);
        if (document.extensionDamaged)
            result.err =
                CalTool::errorLine(request.file, ProgramError(DocumentExtension::damagedText()));
        Uncertainty::Settings settings = Uncertainty::Settings::of(document.extension);
        settings.rule = request.rule.value_or(settings.rule);
        settings.minTur = request.minTur.value_or(settings.minTur);
        for (const Uncertainty::DocumentPoint &point :
             Uncertainty::assessDocument(document.record, document.extension, settings))
            result.out += pointLine(document.record, point);
    } catch (const ProgramError &error) {
        result = {CalTool::BadInput, {}, CalTool::errorLine(request.file, error)};
    }
    return result;
}

} // namespace AssessTool
