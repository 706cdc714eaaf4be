#include "core/document/certificatedata.h"

#include "core/base/localdate.h"
#include "core/document/documentextension.h"

#include <QJsonObject>

#include <cmath>

namespace {

const QString CertificateKey = QStringLiteral("certificate");
const QString StandardKey = QStringLiteral("standard");

QString textOf(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toString().trimmed();
}

QDate dateOf(const QJsonObject &object, const char *key)
{
    return LocalDate::fromIso(object.value(QLatin1String(key)).toString());
}

std::optional<double> numberOf(const QJsonObject &object, const char *key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isDouble() || !std::isfinite(value.toDouble()))
        return std::nullopt;
    return value.toDouble();
}

void setText(QJsonObject &object, const char *key, const QString &text)
{
    if (text.trimmed().isEmpty())
        object.remove(QLatin1String(key));
    else
        object.insert(QLatin1String(key), text.trimmed());
}

void setDate(QJsonObject &object, const char *key, QDate date)
{
    setText(object, key, LocalDate::isoText(date));
}

void setNumber(QJsonObject &object, const char *key, std::optional<double> number)
{
    if (number && std::isfinite(*number))
        object.insert(QLatin1String(key), *number);
    else
        object.remove(QLatin1String(key));
}

void storeObject(DocumentExtension &extension, const QString &key, const QJsonObject &object)
{
    extension.setValue(key, object.isEmpty() ? QJsonValue() : QJsonValue(object));
}

} // namespace

StandardInUse StandardInUse::of(const DocumentExtension &extension)
{
    const QJsonObject object = extension.value(StandardKey).toObject();
    return {textOf(object, "model"), textOf(object, "serial"), textOf(object, "certificate"),
            dateOf(object, "valid_until")};
}

void StandardInUse::storeIn(DocumentExtension &extension) const
{
    QJsonObject object = extension.value(StandardKey).toObject();
    setText(object, "model", model);
    setText(object, "serial", serial);
    setText(object, "certificate", certificate);
    setDate(object, "valid_until", validUntil);
    storeObject(extension, StandardKey, object);
}

bool StandardInUse::isEmpty() const
{
    return model.isEmpty() && serial.isEmpty() && certificate.isEmpty() && !validUntil.isValid();
}

bool StandardInUse::expiredOn(QDate day) const
{
    return validUntil.isValid() && day.isValid() && validUntil < day;
}

CertificateData CertificateData::of(const DocumentExtension &extension)
{
    const QJsonObject object = extension.value(CertificateKey).toObject();
    CertificateData data;
    data.number = textOf(object, "number");
    data.customer = textOf(object, "customer");
    data.customerAddress = textOf(object, "customer_address");
    data.place = textOf(object, "place");
    data.verifiedOn = dateOf(object, "verified_on");
    data.issuedOn = dateOf(object, "issued_on");
    data.temperature = numberOf(object, "temperature");
    data.humidity = numberOf(object, "humidity");
    data.performedBy = textOf(object, "performed_by");
    data.approvedBy = textOf(object, "approved_by");
    // Remarks keep their lines and the blanks inside them.
    data.remarks = object.value(QLatin1String("remarks")).toString();
    if (data.remarks.trimmed().isEmpty())
        data.remarks.clear();
    const std::optional<double> months = numberOf(object, "interval_months");
    if (months && *months >= 1 && *months <= LongestInterval && *months == std::floor(*months))
        data.intervalMonths = int(*months);
    return data;
}

void CertificateData::storeIn(DocumentExtension &extension) const
{
    QJsonObject object = extension.value(CertificateKey).toObject();
    setText(object, "number", number);
    setText(object, "customer", customer);
    setText(object, "customer_address", customerAddress);
    setText(object, "place", place);
    setDate(object, "verified_on", verifiedOn);
    setDate(object, "issued_on", issuedOn);
    setNumber(object, "temperature", temperature);
    setNumber(object, "humidity", humidity);
    setText(object, "performed_by", performedBy);
    setText(object, "approved_by", approvedBy);
    if (remarks.trimmed().isEmpty())
        object.remove(QLatin1String("remarks"));
    else
        object.insert(QLatin1String("remarks"), remarks);
    const bool interval =
        intervalMonths && *intervalMonths >= 1 && *intervalMonths <= LongestInterval;
    setNumber(object, "interval_months",
              interval ? std::optional<double>(*intervalMonths) : std::nullopt);
    storeObject(extension, CertificateKey, object);
}

QDate CertificateData::dueOn() const
{
    if (!verifiedOn.isValid() || !intervalMonths)
        return {};
    return dueDate(verifiedOn, *intervalMonths);
}

QDate CertificateData::dueDate(QDate verifiedOn, int months)
{
    // QDate clamps a day the month lacks to the month's last day.
    return verifiedOn.addMonths(months);
}

void CertificateData::recordMeasurement(DocumentExtension &extension, QDate day,
                                        const StandardInUse &standard)
{
    CertificateData data = of(extension);
    data.verifiedOn = day;
    data.storeIn(extension);
    // The whole standard of the run: what the lab no longer names goes too.
    extension.setValue(StandardKey, QJsonValue());
    standard.storeIn(extension);
}
