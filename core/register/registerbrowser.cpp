#include "core/register/registerbrowser.h"

#include "core/register/meterregister.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString None = QStringLiteral("—");

QString dateText(QDate date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : None;
}

QString orNone(const QString &text)
{
    return text.isEmpty() ? None : text;
}

QString countsText(const std::optional<VerificationSummary> &summary,
                   DecisionCounts VerificationSummary::*characteristic)
{
    if (!summary)
        return None;
    const DecisionCounts &counts = (*summary).*characteristic;
    return QStringLiteral("zgodne: %1, warunkowe: %2, niezgodne: %3")
        .arg(counts.pass)
        .arg(counts.conditionalPass + counts.conditionalFail)
        .arg(counts.fail);
}

} // namespace

RegisterLocation RegisterBrowser::where() const
{
    return location ? location() : RegisterLocation::configured();
}

QStringList RegisterBrowser::searchHeaders()
{
    return {QStringLiteral("Nazwa"), QStringLiteral("Numer"), QStringLiteral("Typ"),
            QStringLiteral("Ostatnie sprawdzenie"), QStringLiteral("Termin")};
}

QList<RegisterBrowser::Row> RegisterBrowser::search(const QString &text)
{
    MeterRegister meterRegister(where());
    QList<Row> rows;
    for (const Verification &latest : meterRegister.search(text))
        rows.append({{latest.name, latest.number, latest.kind, dateText(latest.verifiedOn),
                      dateText(latest.dueOn)},
                     false,
                     latest});
    return rows;
}

QStringList RegisterBrowser::historyHeaders()
{
    return {QStringLiteral("Data sprawdzenia"),
            QStringLiteral("Termin"),
            QStringLiteral("Świadectwo"),
            QStringLiteral("Wzorzec"),
            QStringLiteral("Charakterystyka amplitudowa"),
            QStringLiteral("Charakterystyka częstotliwościowa"),
            QStringLiteral("Plik")};
}

QList<RegisterBrowser::Row> RegisterBrowser::history(const QString &name, const QString &number)
{
    MeterRegister meterRegister(where());
    QList<Row> rows;
    for (const Verification &verification : meterRegister.history(name, number))
        rows.append({{dateText(verification.verifiedOn), dateText(verification.dueOn),
                      orNone(verification.certificate), orNone(verification.standard),
                      countsText(verification.summary, &VerificationSummary::amplitude),
                      countsText(verification.summary, &VerificationSummary::frequency),
                      QDir::toNativeSeparators(verification.path)},
                     false,
                     verification});
    return rows;
}

QStringList RegisterBrowser::dueHeaders()
{
    return {QStringLiteral("Nazwa"), QStringLiteral("Numer"), QStringLiteral("Data sprawdzenia"),
            QStringLiteral("Termin"), QStringLiteral("Plik")};
}

QList<RegisterBrowser::Row> RegisterBrowser::due(QDate today, int days)
{
    MeterRegister meterRegister(where());
    QList<Row> rows;
    for (const Verification &latest : meterRegister.due(today, days))
        rows.append({{latest.name, latest.number, dateText(latest.verifiedOn),
                      dateText(latest.dueOn), QDir::toNativeSeparators(latest.path)},
                     MeterRegister::isOverdue(latest, today),
                     latest});
    return rows;
}

RegisterBrowser::FileState RegisterBrowser::fileState(const Verification &verification)
{
    QFile file(verification.path);
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return FileState::Missing;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex() == verification.sha256 ? FileState::Present : FileState::Changed;
}
