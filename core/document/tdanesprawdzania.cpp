#include "core/document/tdanesprawdzania.h"

#include "core/document/cp1250.h"
#include "core/document/real48.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

using namespace RecordLayout;

int RecordLayout::slotOffset(int first, int size, int index)
{
    if (index < 1 || index > Slots)
        throw std::out_of_range("record index outside 1..35");
    return first + size * (index - 1);
}

namespace RecordField {

long double real(const std::uint8_t *at)
{
    return Real48::toLongDouble(at);
}

void setReal(std::uint8_t *at, long double value)
{
    Real48::store(value, at);
}

QString shortString(const std::uint8_t *at, int capacity)
{
    // A damaged file may claim more characters than the string holds.
    const int length = std::min<int>(*at, capacity);
    return Cp1250::decode(reinterpret_cast<const char *>(at + 1), length);
}

void setShortString(std::uint8_t *at, int capacity, const QString &text)
{
    const QByteArray encoded = Cp1250::encode(text.left(capacity));
    *at = static_cast<std::uint8_t>(encoded.size());
    std::memcpy(at + 1, encoded.constData(), encoded.size());
}

std::int32_t integer(const std::uint8_t *at)
{
    const std::uint32_t value = std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 |
                                std::uint32_t(at[2]) << 16 | std::uint32_t(at[3]) << 24;
    return static_cast<std::int32_t>(value);
}

void setInteger(std::uint8_t *at, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void zero(std::uint8_t *at, int size)
{
    std::memset(at, 0, size);
}

} // namespace RecordField

TDaneSprawdzania::TDaneSprawdzania() : m_bytes(std::make_unique<Storage>())
{
    m_bytes->fill(0);
}

TDaneSprawdzania::TDaneSprawdzania(const TDaneSprawdzania &other)
    : m_bytes(std::make_unique<Storage>(*other.m_bytes))
{}

TDaneSprawdzania &TDaneSprawdzania::operator=(const TDaneSprawdzania &other)
{
    // Into the same storage, so that views of this record stay valid.
    if (this == &other)
        return *this;
    if (!m_bytes)
        m_bytes = std::make_unique<Storage>();
    *m_bytes = *other.m_bytes;
    return *this;
}

TDaneSprawdzania::~TDaneSprawdzania() = default;

TDaneSprawdzania TDaneSprawdzania::fromBytes(const QByteArray &bytes)
{
    if (bytes.size() != Size)
        throw std::invalid_argument("a record is exactly 160804 bytes");
    TDaneSprawdzania record;
    std::memcpy(record.m_bytes->data(), bytes.constData(), Size);
    return record;
}

QByteArray TDaneSprawdzania::toBytes() const
{
    return QByteArray(reinterpret_cast<const char *>(m_bytes->data()), Size);
}

void TDaneSprawdzania::clear()
{
    m_bytes->fill(0);
}

QString TDaneSprawdzania::Nazwa() const
{
    return RecordField::shortString(bytes() + NazwaOffset, NazwaLength);
}

void TDaneSprawdzania::setNazwa(const QString &text)
{
    RecordField::setShortString(bytes() + NazwaOffset, NazwaLength, text);
}

QString TDaneSprawdzania::Numer() const
{
    return RecordField::shortString(bytes() + NumerOffset, NumerLength);
}

void TDaneSprawdzania::setNumer(const QString &text)
{
    RecordField::setShortString(bytes() + NumerOffset, NumerLength, text);
}

QString TDaneSprawdzania::Typ() const
{
    return RecordField::shortString(bytes() + TypOffset, TypLength);
}

void TDaneSprawdzania::setTyp(const QString &text)
{
    RecordField::setShortString(bytes() + TypOffset, TypLength, text);
}

bool TDaneSprawdzania::WidokAmpl() const
{
    return RecordField::boolean(bytes() + WidokAmplOffset);
}

void TDaneSprawdzania::setWidokAmpl(bool value)
{
    RecordField::setBoolean(bytes() + WidokAmplOffset, value);
}

TZakresAmpl TDaneSprawdzania::ZakresyAmpl(int k)
{
    return TZakresAmpl(bytes() + slotOffset(ZakresyAmplOffset, ZakresAmplSize, k));
}

ConstZakresAmpl TDaneSprawdzania::ZakresyAmpl(int k) const
{
    return ConstZakresAmpl(bytes() + slotOffset(ZakresyAmplOffset, ZakresAmplSize, k));
}

TZakresCz TDaneSprawdzania::ZakresyCzDN(int k)
{
    return TZakresCz(bytes() + slotOffset(ZakresyCzDNOffset, ZakresCzSize, k));
}

ConstZakresCz TDaneSprawdzania::ZakresyCzDN(int k) const
{
    return ConstZakresCz(bytes() + slotOffset(ZakresyCzDNOffset, ZakresCzSize, k));
}

TZakresCz TDaneSprawdzania::ZakresyCzDO(int k)
{
    return TZakresCz(bytes() + slotOffset(ZakresyCzDOOffset, ZakresCzSize, k));
}

ConstZakresCz TDaneSprawdzania::ZakresyCzDO(int k) const
{
    return ConstZakresCz(bytes() + slotOffset(ZakresyCzDOOffset, ZakresCzSize, k));
}

int TDaneSprawdzania::amplRangeCount() const
{
    int count = 0;
    for (int k = 1; k <= Slots; ++k)
        count += ZakresyAmpl(k).isEmpty() ? 0 : 1;
    return count;
}

int TDaneSprawdzania::czDNRangeCount() const
{
    int count = 0;
    for (int k = 1; k <= Slots; ++k)
        count += ZakresyCzDN(k).isEmpty() ? 0 : 1;
    return count;
}

int TDaneSprawdzania::czDORangeCount() const
{
    int count = 0;
    for (int k = 1; k <= Slots; ++k)
        count += ZakresyCzDO(k).isEmpty() ? 0 : 1;
    return count;
}

bool TDaneSprawdzania::operator==(const TDaneSprawdzania &other) const
{
    return *m_bytes == *other.m_bytes;
}

namespace {

using Overlong = std::optional<TDaneSprawdzania::OverlongString>;

Overlong overlong(const std::uint8_t *lengthByte, int capacity, const auto &field)
{
    if (*lengthByte <= capacity)
        return std::nullopt;
    return TDaneSprawdzania::OverlongString{field(), *lengthByte, capacity};
}

template <typename Range> Overlong overlongInRange(const Range &range, const QString &path)
{
    const std::uint8_t *header = range.bytes();
    if (auto found = overlong(header + Range::Field::Jm, JmLength, [&] { return path + ".Jm"; }))
        return found;
    if (auto found =
            overlong(header + Range::Field::KmzDod, KmzDodLength, [&] { return path + ".KmzDod"; }))
        return found;
    for (int j = 1; j <= Slots; ++j) {
        const auto point = range.Punkty(j);
        if (auto found = overlong(point.bytes() + decltype(point)::Field::JmBk, JmBkLength, [&] {
                return QStringLiteral("%1.Punkty[%2].JmBk").arg(path).arg(j);
            }))
            return found;
    }
    return std::nullopt;
}

} // namespace

std::optional<TDaneSprawdzania::OverlongString> TDaneSprawdzania::firstOverlongString() const
{
    const std::uint8_t *data = bytes();
    if (auto found =
            overlong(data + NazwaOffset, NazwaLength, [] { return QStringLiteral("Nazwa"); }))
        return found;
    if (auto found =
            overlong(data + NumerOffset, NumerLength, [] { return QStringLiteral("Numer"); }))
        return found;
    if (auto found = overlong(data + TypOffset, TypLength, [] { return QStringLiteral("Typ"); }))
        return found;
    auto name = [](const char *array, int k) {
        return QStringLiteral("%1[%2]").arg(QLatin1String(array)).arg(k);
    };
    for (int k = 1; k <= Slots; ++k)
        if (auto found = overlongInRange(ZakresyAmpl(k), name("ZakresyAmpl", k)))
            return found;
    for (int k = 1; k <= Slots; ++k)
        if (auto found = overlongInRange(ZakresyCzDN(k), name("ZakresyCzDN", k)))
            return found;
    for (int k = 1; k <= Slots; ++k)
        if (auto found = overlongInRange(ZakresyCzDO(k), name("ZakresyCzDO", k)))
            return found;
    return std::nullopt;
}
