#pragma once

#include "core/characteristic/uncertainty.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

struct VerificationSummary
{
    DecisionCounts amplitude;
    DecisionCounts frequency;

    DecisionCounts total() const { return amplitude + frequency; }
    bool operator==(const VerificationSummary &) const = default;
};

// One verification of one meter, as the register keeps it. A meter is its
// name and number together; a verification is the meter and its date.
struct Verification
{
    QString name;      // Nazwa, trimmed
    QString number;    // Numer, trimmed
    QString kind;      // Typ
    QString path;      // the document's absolute path
    QByteArray sha256; // of the document's bytes, in hex
    QDate verifiedOn;
    std::optional<int> intervalMonths;
    // verifiedOn + intervalMonths; null without an interval.
    QDate dueOn;
    // Null when the document does not give them.
    QString certificate;
    QString standard;
    QString decisionRule;
    // Absent for a verification recorded before summaries were kept, until
    // its document is read again.
    std::optional<VerificationSummary> summary;
};

// The due date: the months added to the verification date, clamped to the
// last day of the month they lead to (2024-01-31 + 1 is 2024-02-29).
QDate dueDate(QDate verifiedOn, int months);

// Reads a document for the register: its meter, its path and SHA-256, and
// the verification its data describe. The verification date is the one the
// document's certificate data give, else saveDate, else (saveDate null) the
// file's modification date.
//
// Throws EInOutError for a file that cannot be read or is not a document,
// and ProgramError for a document without a meter name and number, which
// could not be told from any other.
Verification readVerification(const QString &path, QDate saveDate = {});
