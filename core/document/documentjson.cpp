#include "core/document/documentjson.h"

#include "core/base/errors.h"
#include "core/document/cp1250.h"
#include "core/document/real48.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <charconv>
#include <cmath>
#include <functional>

namespace DocumentJson {

QByteArray numberText(long double value)
{
    // Every Real48 is exactly a double, so the shortest text of the double
    // is the shortest text of the stored value.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value));
    return QByteArray(buffer, int(result.ptr - buffer));
}

namespace {

using namespace RecordLayout;

void appendString(QByteArray &out, const QString &text)
{
    out += '"';
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20 || (u >= 0x7F && u < 0xA0)) {
                out += "\\u00";
                out += QByteArray::number(int(u), 16).rightJustified(2, '0');
            } else {
                out += QString(c).toUtf8();
            }
        }
    }
    out += '"';
}

// Writes "key": value pairs of one object on one line.
class ObjectWriter
{
public:
    explicit ObjectWriter(QByteArray &out) : m_out(out) { m_out += '{'; }
    void key(const char *name)
    {
        if (!m_first)
            m_out += ", ";
        m_first = false;
        m_out += '"';
        m_out += name;
        m_out += "\": ";
    }
    void real(const char *name, long double value)
    {
        key(name);
        m_out += numberText(value);
    }
    void text(const char *name, const QString &value)
    {
        key(name);
        appendString(m_out, value);
    }
    void integer(const char *name, qint64 value)
    {
        key(name);
        m_out += QByteArray::number(value);
    }
    void boolean(const char *name, bool value)
    {
        key(name);
        m_out += value ? "true" : "false";
    }
    void end() { m_out += '}'; }

private:
    QByteArray &m_out;
    bool m_first = true;
};

// What both kinds of point hold after their entry values, in file order.
template <typename Point> void writeResults(ObjectWriter &o, const Point &p)
{
    o.real("Bmr", p.Bmr());
    o.real("Bmd", p.Bmd());
    o.real("Bk", p.Bk());
    o.text("JmBk", p.JmBk());
    o.integer("Dokl", p.Dokl());
    o.boolean("Wl", p.Wl());
    o.boolean("Wpisany", p.Wpisany());
    o.boolean("Zmierzony", p.Zmierzony());
}

void writePoint(QByteArray &out, ConstPunktAmpl p)
{
    ObjectWriter o(out);
    o.real("Wm", p.Wm());
    o.real("Nk", p.Nk());
    writeResults(o, p);
    o.end();
}

void writePoint(QByteArray &out, ConstPunktCz p)
{
    ObjectWriter o(out);
    o.real("WmDN_NkDO", p.WmDN_NkDO());
    o.integer("Cz", p.Cz());
    o.real("CzHz", p.CzHz());
    writeResults(o, p);
    o.end();
}

template <typename Range> void writePoints(QByteArray &out, const Range &range)
{
    out += "\"Punkty\": [\n";
    for (int j = 1; j <= Slots; ++j) {
        out += "        ";
        writePoint(out, range.Punkty(j));
        out += j < Slots ? ",\n" : "\n";
    }
    out += "      ]";
}

// The meter's class on a range of either characteristic.
template <typename Range> void writeClass(ObjectWriter &o, const Range &r)
{
    o.real("Kmm", r.Kmm());
    o.real("Kmz", r.Kmz());
    o.text("KmzDod", r.KmzDod());
}

void writeRange(QByteArray &out, ConstZakresAmpl r)
{
    ObjectWriter o(out);
    o.real("Zak", r.Zak());
    o.text("Jm", r.Jm());
    o.integer("Cz", r.Cz());
    o.real("CzHz", r.CzHz());
    o.boolean("Zmierzony", r.Zmierzony());
    writeClass(o, r);
    out += ",\n      ";
    writePoints(out, r);
    o.end();
}

void writeRange(QByteArray &out, ConstZakresCz r)
{
    ObjectWriter o(out);
    o.real("Zak", r.Zak());
    o.text("Jm", r.Jm());
    o.real("NkDN_WmDO", r.NkDN_WmDO());
    o.boolean("Zmierzony", r.Zmierzony());
    writeClass(o, r);
    out += ",\n      ";
    writePoints(out, r);
    o.end();
}

template <typename Get> void writeRanges(QByteArray &out, const char *name, Get range)
{
    out += "  \"";
    out += name;
    out += "\": [\n";
    for (int k = 1; k <= Slots; ++k) {
        out += "    ";
        writeRange(out, range(k));
        out += k < Slots ? ",\n" : "\n";
    }
    out += "  ]";
}

// Reading: every value is checked against the kind its field needs, and a
// failure names the field by its path.
class Reader
{
public:
    static QString where(const QString &path, const char *name)
    {
        return path.isEmpty() ? QString::fromLatin1(name) : path + '.' + QLatin1String(name);
    }

    [[noreturn]] static void fail(const QString &field, const QString &why)
    {
        throw EConvertError(QStringLiteral("%1: %2").arg(field, why));
    }

    static long double real(const QJsonObject &o, const QString &path, const char *name)
    {
        const QJsonValue v = o.value(QLatin1String(name));
        const QString field = where(path, name);
        if (v.isUndefined() || v.isNull())
            return 0;
        if (!v.isDouble())
            fail(field, QStringLiteral("oczekiwano liczby"));
        const long double value = v.toDouble();
        if (!Real48::fits(value))
            throw EOverflowError(QStringLiteral("%1: wartość %2 jest za duża dla formatu dokumentu")
                                     .arg(field, QString::fromLatin1(numberText(value))));
        return value;
    }

    // A text must go into its short string whole: the document holds at
    // most capacity characters of Windows-1250.
    static QString text(const QJsonObject &o, const QString &path, const char *name, int capacity)
    {
        const QJsonValue v = o.value(QLatin1String(name));
        if (v.isUndefined() || v.isNull())
            return {};
        if (!v.isString())
            fail(where(path, name), QStringLiteral("oczekiwano tekstu"));
        QString text = v.toString();
        const qsizetype missing = Cp1250::firstMissing(text);
        if (missing >= 0)
            fail(where(path, name),
                 QStringLiteral("znaku „%1” (U+%2) nie ma w stronie kodowej Windows-1250")
                     .arg(text.at(missing))
                     .arg(QString::number(text.at(missing).unicode(), 16)
                              .toUpper()
                              .rightJustified(4, QLatin1Char('0'))));
        if (text.size() > capacity)
            fail(where(path, name), QStringLiteral("tekst ma długość %1, a pole najwyżej %2")
                                        .arg(text.size())
                                        .arg(capacity));
        return text;
    }

    static qint64 integer(const QJsonObject &o, const QString &path, const char *name, qint64 low,
                          qint64 high)
    {
        const QJsonValue v = o.value(QLatin1String(name));
        const QString field = where(path, name);
        if (v.isUndefined() || v.isNull())
            return 0;
        const double d = v.toDouble(0.5);
        // Every field's bounds lie within 32 bits, where a double is exact.
        if (!v.isDouble() || d != std::floor(d) || d < static_cast<double>(low) ||
            d > static_cast<double>(high))
            fail(field,
                 QStringLiteral("oczekiwano liczby całkowitej od %1 do %2").arg(low).arg(high));
        return qint64(d);
    }

    static bool boolean(const QJsonObject &o, const QString &path, const char *name)
    {
        const QJsonValue v = o.value(QLatin1String(name));
        if (v.isUndefined() || v.isNull())
            return false;
        if (!v.isBool())
            fail(where(path, name), QStringLiteral("oczekiwano true albo false"));
        return v.toBool();
    }

    static QJsonArray array(const QJsonObject &o, const QString &path, const char *name)
    {
        const QJsonValue v = o.value(QLatin1String(name));
        const QString field = where(path, name);
        if (v.isUndefined() || v.isNull())
            return {};
        if (!v.isArray())
            fail(field, QStringLiteral("oczekiwano tablicy"));
        QJsonArray a = v.toArray();
        if (a.size() > Slots)
            fail(field, QStringLiteral("ma więcej niż 35 elementów"));
        return a;
    }

    static QJsonObject object(const QJsonValue &v, const QString &field)
    {
        if (v.isNull())
            return {};
        if (!v.isObject())
            fail(field, QStringLiteral("oczekiwano obiektu"));
        return v.toObject();
    }
};

template <typename Point> void readResults(const QJsonObject &o, const QString &path, Point p)
{
    p.setBmr(Reader::real(o, path, "Bmr"));
    p.setBmd(Reader::real(o, path, "Bmd"));
    p.setBk(Reader::real(o, path, "Bk"));
    p.setJmBk(Reader::text(o, path, "JmBk", JmBkLength));
    p.setDokl(std::uint8_t(Reader::integer(o, path, "Dokl", 0, 255)));
    p.setWl(Reader::boolean(o, path, "Wl"));
    p.setWpisany(Reader::boolean(o, path, "Wpisany"));
    p.setZmierzony(Reader::boolean(o, path, "Zmierzony"));
}

void readPoint(const QJsonObject &o, const QString &path, TPunktAmpl p)
{
    p.setWm(Reader::real(o, path, "Wm"));
    p.setNk(Reader::real(o, path, "Nk"));
    readResults(o, path, p);
}

void readPoint(const QJsonObject &o, const QString &path, TPunktCz p)
{
    p.setWmDN_NkDO(Reader::real(o, path, "WmDN_NkDO"));
    p.setCz(std::int32_t(Reader::integer(o, path, "Cz", INT32_MIN, INT32_MAX)));
    p.setCzHz(Reader::real(o, path, "CzHz"));
    readResults(o, path, p);
}

template <typename Range> void readPoints(const QJsonObject &o, const QString &path, Range range)
{
    const QJsonArray points = Reader::array(o, path, "Punkty");
    for (int j = 1; j <= points.size(); ++j) {
        const QString where = QStringLiteral("%1.Punkty[%2]").arg(path).arg(j);
        readPoint(Reader::object(points.at(j - 1), where), where, range.Punkty(j));
    }
}

void readRange(const QJsonObject &o, const QString &path, TZakresAmpl r)
{
    r.setZak(Reader::real(o, path, "Zak"));
    r.setJm(Reader::text(o, path, "Jm", JmLength));
    r.setCz(std::int32_t(Reader::integer(o, path, "Cz", INT32_MIN, INT32_MAX)));
    r.setCzHz(Reader::real(o, path, "CzHz"));
    r.setZmierzony(Reader::boolean(o, path, "Zmierzony"));
    r.setKmm(Reader::real(o, path, "Kmm"));
    r.setKmz(Reader::real(o, path, "Kmz"));
    r.setKmzDod(Reader::text(o, path, "KmzDod", KmzDodLength));
    readPoints(o, path, r);
}

void readRange(const QJsonObject &o, const QString &path, TZakresCz r)
{
    r.setZak(Reader::real(o, path, "Zak"));
    r.setJm(Reader::text(o, path, "Jm", JmLength));
    r.setNkDN_WmDO(Reader::real(o, path, "NkDN_WmDO"));
    r.setZmierzony(Reader::boolean(o, path, "Zmierzony"));
    r.setKmm(Reader::real(o, path, "Kmm"));
    r.setKmz(Reader::real(o, path, "Kmz"));
    r.setKmzDod(Reader::text(o, path, "KmzDod", KmzDodLength));
    readPoints(o, path, r);
}

template <typename Get> void readRanges(const QJsonObject &root, const char *name, Get range)
{
    const QJsonArray ranges = Reader::array(root, {}, name);
    for (int k = 1; k <= ranges.size(); ++k) {
        const QString where = QStringLiteral("%1[%2]").arg(QLatin1String(name)).arg(k);
        readRange(Reader::object(ranges.at(k - 1), where), where, range(k));
    }
}

} // namespace

QByteArray toJson(const TDaneSprawdzania &record)
{
    return toJson(record, DocumentExtension());
}

QByteArray toJson(const TDaneSprawdzania &record, const DocumentExtension &extension)
{
    QByteArray out;
    out.reserve(600000);
    out += "{\n";
    out += "  \"Nazwa\": ";
    appendString(out, record.Nazwa());
    out += ",\n  \"Numer\": ";
    appendString(out, record.Numer());
    out += ",\n  \"Typ\": ";
    appendString(out, record.Typ());
    out += ",\n  \"WidokAmpl\": ";
    out += record.WidokAmpl() ? "true" : "false";
    out += ",\n";
    writeRanges(out, "ZakresyAmpl", [&](int k) { return record.ZakresyAmpl(k); });
    out += ",\n";
    writeRanges(out, "ZakresyCzDN", [&](int k) { return record.ZakresyCzDN(k); });
    out += ",\n";
    writeRanges(out, "ZakresyCzDO", [&](int k) { return record.ZakresyCzDO(k); });
    if (!extension.isEmpty()) {
        out += ",\n  \"extension\": ";
        out += QJsonDocument(extension.json()).toJson(QJsonDocument::Compact);
    }
    out += "\n}\n";
    return out;
}

TDaneSprawdzania fromJson(const QByteArray &json, DocumentExtension *extension)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw EConvertError(QStringLiteral("to nie jest JSON: %1 (pozycja %2)")
                                .arg(error.errorString())
                                .arg(error.offset));
    if (!document.isObject())
        throw EConvertError(QStringLiteral("to nie jest dokument JSON: oczekiwano obiektu"));
    const QJsonObject root = document.object();

    TDaneSprawdzania record;
    record.setNazwa(Reader::text(root, {}, "Nazwa", NazwaLength));
    record.setNumer(Reader::text(root, {}, "Numer", NumerLength));
    // The program refuses a document of any other kind.
    const QString typ = Reader::text(root, {}, "Typ", TypLength);
    if (!TDaneSprawdzania::isKnownTyp(typ))
        Reader::fail(QStringLiteral("Typ"),
                     QStringLiteral("oczekiwano „Analogowy”, „Cyfrowy” albo pustego tekstu"));
    record.setTyp(typ);
    record.setWidokAmpl(Reader::boolean(root, {}, "WidokAmpl"));
    readRanges(root, "ZakresyAmpl", [&](int k) { return record.ZakresyAmpl(k); });
    readRanges(root, "ZakresyCzDN", [&](int k) { return record.ZakresyCzDN(k); });
    readRanges(root, "ZakresyCzDO", [&](int k) { return record.ZakresyCzDO(k); });
    if (extension) {
        const QJsonValue value = root.value(QLatin1String("extension"));
        *extension = DocumentExtension::fromJson(
            value.isUndefined() ? QJsonObject()
                                : Reader::object(value, QStringLiteral("extension")));
    }
    return record;
}

} // namespace DocumentJson
