#pragma once

#include "core/document/characteristic.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <array>
#include <optional>

struct ExtensionReading;

// How a measured point's conformity is decided from its error, its
// tolerance and its expanded uncertainty (core/characteristic/uncertainty.h
// does the deciding).
enum class DecisionRule { Simple, GuardBand, FourZone };

namespace DecisionRules {
// "simple", "guard_band", "four_zone": the names documents, orvane.ini and
// the command line use.
QString key(DecisionRule rule);
std::optional<DecisionRule> fromKey(const QString &key);
} // namespace DecisionRules

// What a document keeps beyond its record: the decision rule, the minimum
// accuracy ratio and the meters' resolutions, and whatever later versions of
// the program add. The record has no room for them, so they follow it in
// the same file as a block:
//
//     "O707EXT1", a little-endian uint32 n, n bytes of UTF-8 JSON, and the
//     little-endian CRC-32 (zlib's) of those n bytes.
//
// Readers of the record take its 160804 bytes and ignore the rest, so older
// programs read such a file as they always did. The JSON holds
// {"version": 1} and only the values that differ from the built-in defaults;
// a document with none of them gets no block at all and stays exactly the
// record's 160804 bytes. Keys this program does not know are kept as they
// came and written back.
class DocumentExtension
{
public:
    static constexpr long double DefaultMinTur = 4;
    static constexpr int Version = 1;
    static const QByteArray Magic;
    // The most the program reads after a record: far more than any block it
    // writes, and a huge file is never read whole.
    static constexpr int SizeLimit = 1024 * 1024;

    DocumentExtension() = default;

    // Simple acceptance unless the document says otherwise.
    DecisionRule decisionRule() const;
    void setDecisionRule(DecisionRule rule);
    // Points whose accuracy ratio is below this are marked.
    long double minTur() const;
    void setMinTur(long double minTur);
    // The meter's resolution on range k (1..35) of a characteristic, in the
    // range's unit; 0 when not given.
    long double resolution(Characteristic characteristic, int k) const;
    void setResolution(Characteristic characteristic, int k, long double resolution);
    // All 35 of a characteristic at once, range k at index k - 1.
    std::array<long double, 35> resolutions(Characteristic characteristic) const;

    // A key of a later part of the program ("certificate", "standard"),
    // kept and written as it is.
    QJsonValue value(const QString &key) const { return m_json.value(key); }
    void setValue(const QString &key, const QJsonValue &value);

    // Nothing differs from the defaults: the document gets no block.
    bool isEmpty() const;
    // The JSON as it is stored, with its version; {} when empty.
    QJsonObject json() const;
    // From the JSON of a block: every key is kept; a value of the wrong kind
    // reads as its default.
    static DocumentExtension fromJson(const QJsonObject &json);

    // The framed block; empty when there is nothing to store.
    QByteArray block() const;

    // What follows a record in a file. Bytes that do not start with the
    // magic are not a block and read as no extension, without a word.
    static ExtensionReading read(const QByteArray &afterRecord);

    static QString damagedText();

    bool operator==(const DocumentExtension &other) const { return json() == other.json(); }

private:
    QJsonObject m_json;
};

struct ExtensionReading
{
    DocumentExtension extension;
    // The bytes start with the magic but are no good block (a length that
    // does not match, a wrong CRC, JSON that does not parse): the block is
    // left out.
    bool damaged = false;
};
