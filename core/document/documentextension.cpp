#include "core/document/documentextension.h"

#include "core/document/tdanesprawdzania.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtEndian>

#include <zlib.h>

#include <cmath>
#include <utility>

namespace {

const QString RuleKey = QStringLiteral("decision_rule");
const QString MinTurKey = QStringLiteral("min_tur");
const QString ResolutionKey = QStringLiteral("resolution");
const QString VersionKey = QStringLiteral("version");

// Magic, length, CRC.
constexpr int Framing = 8 + 4 + 4;

QString tableKey(Characteristic characteristic)
{
    return characteristic == Characteristic::Amplitude ? QStringLiteral("amplitude")
                                                       : QStringLiteral("frequency");
}

quint32 crc32Of(const QByteArray &bytes)
{
    return quint32(
        ::crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

} // namespace

namespace DecisionRules {

QString key(DecisionRule rule)
{
    switch (rule) {
    case DecisionRule::GuardBand:
        return QStringLiteral("guard_band");
    case DecisionRule::FourZone:
        return QStringLiteral("four_zone");
    case DecisionRule::Simple:
        break;
    }
    return QStringLiteral("simple");
}

std::optional<DecisionRule> fromKey(const QString &key)
{
    for (DecisionRule rule :
         {DecisionRule::Simple, DecisionRule::GuardBand, DecisionRule::FourZone})
        if (key == DecisionRules::key(rule))
            return rule;
    return std::nullopt;
}

} // namespace DecisionRules

const QByteArray DocumentExtension::Magic = QByteArrayLiteral("O707EXT1");

DecisionRule DocumentExtension::decisionRule() const
{
    return DecisionRules::fromKey(m_json.value(RuleKey).toString()).value_or(DecisionRule::Simple);
}

void DocumentExtension::setDecisionRule(DecisionRule rule)
{
    if (rule == DecisionRule::Simple)
        m_json.remove(RuleKey);
    else
        m_json.insert(RuleKey, DecisionRules::key(rule));
}

long double DocumentExtension::minTur() const
{
    const QJsonValue value = m_json.value(MinTurKey);
    const double stored = value.toDouble(-1);
    return value.isDouble() && std::isfinite(stored) && stored >= 0 ? stored : DefaultMinTur;
}

void DocumentExtension::setMinTur(long double minTur)
{
    if (minTur == DefaultMinTur || !std::isfinite(minTur) || minTur < 0)
        m_json.remove(MinTurKey);
    else
        m_json.insert(MinTurKey, static_cast<double>(minTur));
}

namespace {

// A resolution as the block holds it: a positive number, or none.
long double resolutionOf(const QJsonValue &value)
{
    const double stored = value.toDouble(0);
    return value.isDouble() && std::isfinite(stored) && stored > 0 ? stored : 0;
}

} // namespace

long double DocumentExtension::resolution(Characteristic characteristic, int k) const
{
    if (k < 1 || k > TDaneSprawdzania::Slots)
        return 0;
    return resolutionOf(
        m_json.value(ResolutionKey).toObject().value(tableKey(characteristic)).toArray().at(k - 1));
}

std::array<long double, 35> DocumentExtension::resolutions(Characteristic characteristic) const
{
    static_assert(TDaneSprawdzania::Slots == 35);
    std::array<long double, 35> all{};
    const QJsonArray values =
        m_json.value(ResolutionKey).toObject().value(tableKey(characteristic)).toArray();
    for (int k = 1; k <= TDaneSprawdzania::Slots && k <= values.size(); ++k)
        all[k - 1] = resolutionOf(values.at(k - 1));
    return all;
}

void DocumentExtension::setResolution(Characteristic characteristic, int k, long double resolution)
{
    if (k < 1 || k > TDaneSprawdzania::Slots)
        return;
    QJsonObject resolutions = m_json.value(ResolutionKey).toObject();
    QJsonArray values = resolutions.value(tableKey(characteristic)).toArray();
    while (values.size() < TDaneSprawdzania::Slots)
        values.append(0);
    const bool given = std::isfinite(resolution) && resolution > 0;
    values[k - 1] = given ? static_cast<double>(resolution) : 0.0;
    bool any = false;
    for (const auto &value : std::as_const(values))
        any = any || value.toDouble(0) != 0;
    if (any)
        resolutions.insert(tableKey(characteristic), values);
    else
        resolutions.remove(tableKey(characteristic));
    if (resolutions.isEmpty())
        m_json.remove(ResolutionKey);
    else
        m_json.insert(ResolutionKey, resolutions);
}

void DocumentExtension::setValue(const QString &key, const QJsonValue &value)
{
    if (value.isUndefined() || value.isNull())
        m_json.remove(key);
    else
        m_json.insert(key, value);
}

bool DocumentExtension::isEmpty() const
{
    for (auto it = m_json.begin(); it != m_json.end(); ++it)
        if (it.key() != VersionKey)
            return false;
    return true;
}

QJsonObject DocumentExtension::json() const
{
    if (isEmpty())
        return {};
    QJsonObject json = m_json;
    // A block written by a later version keeps the version it names.
    if (!json.value(VersionKey).isDouble())
        json.insert(VersionKey, Version);
    return json;
}

DocumentExtension DocumentExtension::fromJson(const QJsonObject &json)
{
    DocumentExtension extension;
    extension.m_json = json;
    return extension;
}

QByteArray DocumentExtension::block() const
{
    if (isEmpty())
        return {};
    const QByteArray text = QJsonDocument(json()).toJson(QJsonDocument::Compact);
    return Magic + le32(quint32(text.size())) + text + le32(crc32Of(text));
}

ExtensionReading DocumentExtension::read(const QByteArray &afterRecord)
{
    ExtensionReading reading;
    if (!afterRecord.startsWith(Magic))
        return reading;
    reading.damaged = true;
    if (afterRecord.size() < Framing || afterRecord.size() > SizeLimit)
        return reading;
    const quint32 length = qFromLittleEndian<quint32>(afterRecord.constData() + Magic.size());
    // The block is the rest of the file: anything before or after its CRC
    // means a length that is wrong.
    if (qint64(length) != qint64(afterRecord.size()) - Framing)
        return reading;
    const QByteArray text = afterRecord.mid(Magic.size() + 4, length);
    if (crc32Of(text) !=
        qFromLittleEndian<quint32>(afterRecord.constData() + Magic.size() + 4 + length))
        return reading;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return reading;
    reading.extension = fromJson(document.object());
    reading.damaged = false;
    return reading;
}

QString DocumentExtension::damagedText()
{
    return QStringLiteral("Dane dodatkowe dokumentu są uszkodzone i zostały pominięte.");
}
