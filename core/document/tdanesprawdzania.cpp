#include "core/document/tdanesprawdzania.h"

#include "core/document/cp1250.h"
#include "core/document/real48.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

using namespace RecordLayout;

namespace {

void checkIndex(int index)
{
    if (index < 1 || index > Slots)
        throw std::out_of_range("record index outside 1..35");
}

} // namespace

long double RecordView::real(int offset) const
{
    return Real48::toLongDouble(m_data + offset);
}

void RecordView::setReal(int offset, long double value)
{
    Real48::store(value, m_data + offset);
}

QString RecordView::shortString(int offset, int capacity) const
{
    // A damaged file may claim more characters than the string holds.
    const int length = std::min<int>(m_data[offset], capacity);
    return Cp1250::decode(reinterpret_cast<const char *>(m_data + offset + 1), length);
}

void RecordView::setShortString(int offset, int capacity, const QString &text)
{
    // Only the length byte and the text are written; what lies after the
    // text stays as it was, as it always has in these files.
    const QByteArray encoded = Cp1250::encode(text.left(capacity));
    m_data[offset] = static_cast<std::uint8_t>(encoded.size());
    std::memcpy(m_data + offset + 1, encoded.constData(), encoded.size());
}

std::int32_t RecordView::integer(int offset) const
{
    const std::uint32_t value =
        std::uint32_t(m_data[offset]) | std::uint32_t(m_data[offset + 1]) << 8 |
        std::uint32_t(m_data[offset + 2]) << 16 | std::uint32_t(m_data[offset + 3]) << 24;
    return static_cast<std::int32_t>(value);
}

void RecordView::setInteger(int offset, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        m_data[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void RecordView::zero(int size)
{
    std::memset(m_data, 0, size);
}

TPunktAmpl TZakresAmpl::Punkty(int j)
{
    checkIndex(j);
    return TPunktAmpl(m_data + PunktAmplSize * j);
}

const TPunktAmpl TZakresAmpl::Punkty(int j) const
{
    checkIndex(j);
    return TPunktAmpl(m_data + PunktAmplSize * j);
}

int TZakresAmpl::pointCount() const
{
    int count = 0;
    for (int j = 1; j <= Slots; ++j)
        count += Punkty(j).Wpisany() ? 1 : 0;
    return count;
}

TPunktCz TZakresCz::Punkty(int j)
{
    checkIndex(j);
    return TPunktCz(m_data + ZakresCzHeader + PunktCzSize * (j - 1));
}

const TPunktCz TZakresCz::Punkty(int j) const
{
    checkIndex(j);
    return TPunktCz(m_data + ZakresCzHeader + PunktCzSize * (j - 1));
}

int TZakresCz::pointCount() const
{
    int count = 0;
    for (int j = 1; j <= Slots; ++j)
        count += Punkty(j).Wpisany() ? 1 : 0;
    return count;
}

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

namespace {

// The header fields, read and written through a view of the whole record.
class HeaderView : public RecordView
{
public:
    explicit HeaderView(const std::uint8_t *data) : RecordView(const_cast<std::uint8_t *>(data)) {}
    using RecordView::boolean;
    using RecordView::setBoolean;
    using RecordView::setShortString;
    using RecordView::shortString;
};

} // namespace

QString TDaneSprawdzania::Nazwa() const
{
    return HeaderView(bytes()).shortString(NazwaOffset, NazwaLength);
}

void TDaneSprawdzania::setNazwa(const QString &text)
{
    HeaderView(bytes()).setShortString(NazwaOffset, NazwaLength, text);
}

QString TDaneSprawdzania::Numer() const
{
    return HeaderView(bytes()).shortString(NumerOffset, NumerLength);
}

void TDaneSprawdzania::setNumer(const QString &text)
{
    HeaderView(bytes()).setShortString(NumerOffset, NumerLength, text);
}

QString TDaneSprawdzania::Typ() const
{
    return HeaderView(bytes()).shortString(TypOffset, TypLength);
}

void TDaneSprawdzania::setTyp(const QString &text)
{
    HeaderView(bytes()).setShortString(TypOffset, TypLength, text);
}

bool TDaneSprawdzania::WidokAmpl() const
{
    return HeaderView(bytes()).boolean(WidokAmplOffset);
}

void TDaneSprawdzania::setWidokAmpl(bool value)
{
    HeaderView(bytes()).setBoolean(WidokAmplOffset, value);
}

TZakresAmpl TDaneSprawdzania::ZakresyAmpl(int k)
{
    checkIndex(k);
    return TZakresAmpl(bytes() + ZakresyAmplOffset + ZakresAmplSize * (k - 1));
}

const TZakresAmpl TDaneSprawdzania::ZakresyAmpl(int k) const
{
    checkIndex(k);
    return TZakresAmpl(m_bytes->data() + ZakresyAmplOffset + ZakresAmplSize * (k - 1));
}

TZakresCz TDaneSprawdzania::ZakresyCzDN(int k)
{
    checkIndex(k);
    return TZakresCz(bytes() + ZakresyCzDNOffset + ZakresCzSize * (k - 1));
}

const TZakresCz TDaneSprawdzania::ZakresyCzDN(int k) const
{
    checkIndex(k);
    return TZakresCz(m_bytes->data() + ZakresyCzDNOffset + ZakresCzSize * (k - 1));
}

TZakresCz TDaneSprawdzania::ZakresyCzDO(int k)
{
    checkIndex(k);
    return TZakresCz(bytes() + ZakresyCzDOOffset + ZakresCzSize * (k - 1));
}

const TZakresCz TDaneSprawdzania::ZakresyCzDO(int k) const
{
    checkIndex(k);
    return TZakresCz(m_bytes->data() + ZakresyCzDOOffset + ZakresCzSize * (k - 1));
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
    if (auto found = overlong(header + Range::JmOffset, JmLength, [&] { return path + ".Jm"; }))
        return found;
    if (auto found =
            overlong(header + Range::KmzDodOffset, KmzDodLength, [&] { return path + ".KmzDod"; }))
        return found;
    for (int j = 1; j <= Slots; ++j) {
        const auto point = range.Punkty(j);
        if (auto found = overlong(point.bytes() + decltype(point)::JmBkOffset, JmBkLength, [&] {
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
