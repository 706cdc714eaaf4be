#pragma once

#include <QDate>
#include <QString>

#include <optional>

class DocumentExtension;

// The standard a document's points were measured with: the calibrator's
// model and serial number, the number of its own certificate and the day
// that certificate is valid to. A run that measures a point copies the lab's
// standard into the document (under "standard" in its extension data), so
// the document keeps what was used whatever the lab's settings say later.
struct StandardInUse
{
    QString model;
    QString serial;
    QString certificate;
    QDate validUntil;

    static StandardInUse of(const DocumentExtension &extension);
    // Writes only what holds something, and nothing at all for an empty one.
    void storeIn(DocumentExtension &extension) const;

    bool isEmpty() const;
    // Its certificate was no longer valid on the day: the day after the last
    // valid one, or later.
    bool expiredOn(QDate day) const;

    bool operator==(const StandardInUse &) const = default;
};

// What a document's certificate says beyond the record, under "certificate"
// in its extension data: its number, the customer and the place, the day of
// the verification and of the issue, the conditions, the names for
// "Wykonał" and "Zatwierdził", the remarks and the recalibration interval.
// Only what holds something is written, so a document nobody gave such data
// gets no block; keys of the object this program does not know are kept.
struct CertificateData
{
    QString number;
    QString customer;
    QString customerAddress;
    QString place;
    QDate verifiedOn;
    QDate issuedOn;
    // In °C and %.
    std::optional<double> temperature;
    std::optional<double> humidity;
    QString performedBy;
    QString approvedBy;
    QString remarks;
    // The recalibration interval, 1 to 1200 months.
    std::optional<int> intervalMonths;

    static constexpr int LongestInterval = 1200;

    // A value of the wrong kind reads as not given.
    static CertificateData of(const DocumentExtension &extension);
    void storeIn(DocumentExtension &extension) const;

    // The next verification is due: the interval added to the day of this
    // one, on the month's last day when the month is shorter (2024-01-31 and
    // one month are 2024-02-29). Not valid without either.
    QDate dueOn() const;
    static QDate dueDate(QDate verifiedOn, int months);

    // A run measured points on `day` with `standard`: the verification is of
    // that day, and the document records the standard.
    static void recordMeasurement(DocumentExtension &extension, QDate day,
                                  const StandardInUse &standard);

    bool operator==(const CertificateData &) const = default;
};
