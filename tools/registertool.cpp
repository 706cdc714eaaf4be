#include "tools/registertool.h"

#include "core/register/meterregister.h"
#include "core/register/registererror.h"
#include "core/register/registerscan.h"
#include "tools/jsonline.h"

namespace RegisterTool {

namespace {

QJsonValue dateValue(QDate date)
{
    return date.isValid() ? QJsonValue(date.toString(Qt::ISODate)) : QJsonValue();
}

QJsonValue textValue(const QString &text)
{
    return text.isNull() ? QJsonValue() : QJsonValue(text);
}

QByteArray verificationLine(const Verification &verification)
{
    JsonLine line;
    line.add("name", verification.name)
        .add("number", verification.number)
        .add("verified_on", dateValue(verification.verifiedOn))
        .add("due_on", dateValue(verification.dueOn))
        .add("certificate", textValue(verification.certificate))
        .add("standard", textValue(verification.standard))
        .add("path", verification.path);
    if (verification.summary) {
        const DecisionCounts total = verification.summary->total();
        line.add("pass", total.pass)
            .add("conditional", total.conditionalPass + total.conditionalFail)
            .add("fail", total.fail);
    } else {
        line.add("pass", QJsonValue()).add("conditional", QJsonValue()).add("fail", QJsonValue());
    }
    return line.line();
}

QDate isoDate(const QString &text)
{
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

} // namespace

QByteArray usage()
{
    return "       orvane707-cal register [--db URL] add FILE...\n"
           "       orvane707-cal register [--db URL] scan DIR...\n"
           "       orvane707-cal register [--db URL] due [--days N] [--today YYYY-MM-DD]\n"
           "       orvane707-cal register [--db URL] history NAME NUMBER\n"
           "       orvane707-cal register [--db URL] trace SERIAL FROM TO\n"
           "URL: sqlite:PATH or postgresql://[user@][host][:port]/dbname[?host=DIR&port=N]\n";
}

CalTool::Result run(const QStringList &arguments,
                    const std::function<void(const QByteArray &line)> &refused)
{
    CalTool::Result result;
    QStringList rest = arguments;
    QString url;
    if (rest.value(0) == QLatin1String("--db") && rest.size() >= 2) {
        url = rest.at(1);
        rest = rest.mid(2);
    }
    const QString command = rest.value(0);
    rest.removeFirst();

    auto usageError = [](const QByteArray &reason) {
        CalTool::Result usage;
        usage.status = CalTool::Usage;
        if (!reason.isEmpty())
            usage.err = "orvane707-cal: register: " + reason + '\n';
        usage.err += CalTool::usage();
        return usage;
    };
    const bool known = ((command == QLatin1String("add") || command == QLatin1String("scan")) &&
                        !rest.isEmpty()) ||
                       (command == QLatin1String("history") && rest.size() == 2) ||
                       (command == QLatin1String("trace") && rest.size() == 3) ||
                       command == QLatin1String("due");
    if (!known)
        return usageError({});

    int days = 30;
    QDate today = QDate::currentDate();
    if (command == QLatin1String("due")) {
        for (qsizetype i = 0; i < rest.size(); i += 2) {
            const QString value = rest.value(i + 1);
            bool ok = i + 1 < rest.size();
            if (rest.at(i) == QLatin1String("--days"))
                days = value.toInt(&ok);
            else if (rest.at(i) == QLatin1String("--today"))
                ok = (today = isoDate(value)).isValid();
            else
                ok = false;
            if (!ok || days < 0)
                return usageError("due takes --days N (N >= 0) and --today YYYY-MM-DD");
        }
    }
    const QDate from = isoDate(rest.value(1));
    const QDate to = isoDate(rest.value(2));
    if (command == QLatin1String("trace") && (!from.isValid() || !to.isValid()))
        return usageError("FROM and TO are dates YYYY-MM-DD");

    QString current;
    try {
        MeterRegister meterRegister(url.isEmpty() ? RegisterLocation::configured()
                                                  : RegisterLocation::parse(url));
        if (command == QLatin1String("add")) {
            RegisterScan::Counts counts;
            for (const QString &file : std::as_const(rest)) {
                current = file;
                try {
                    ++(RegisterScan::addFile(meterRegister, file) == RegisterScan::Outcome::Added
                           ? counts.added
                           : counts.unchanged);
                } catch (const ERegisterError &) {
                    throw;
                } catch (const ProgramError &error) {
                    result.status = CalTool::BadInput;
                    result.err += CalTool::errorLine(file, error);
                }
            }
            current.clear();
            result.out =
                JsonLine().add("added", counts.added).add("unchanged", counts.unchanged).line();
        } else if (command == QLatin1String("scan")) {
            const RegisterScan::Counts counts = RegisterScan::scan(
                meterRegister, rest, [&refused](const QString &file, const ProgramError &error) {
                    refused(CalTool::errorLine(file, error));
                });
            result.out = JsonLine()
                             .add("added", counts.added)
                             .add("unchanged", counts.unchanged)
                             .add("refused", counts.refused)
                             .line();
        } else if (command == QLatin1String("due")) {
            for (const Verification &latest : meterRegister.due(today, days))
                result.out += JsonLine()
                                  .add("name", latest.name)
                                  .add("number", latest.number)
                                  .add("verified_on", dateValue(latest.verifiedOn))
                                  .add("due_on", dateValue(latest.dueOn))
                                  .add("overdue", MeterRegister::isOverdue(latest, today))
                                  .add("path", latest.path)
                                  .line();
        } else if (command == QLatin1String("history")) {
            for (const Verification &verification : meterRegister.history(rest.at(0), rest.at(1)))
                result.out += verificationLine(verification);
        } else {
            for (const Verification &verification : meterRegister.trace(rest.at(0), from, to))
                result.out += verificationLine(verification);
        }
    } catch (const ProgramError &error) {
        result.status = CalTool::BadInput;
        result.err += CalTool::errorLine(current, error);
    }
    return result;
}

} // namespace RegisterTool
