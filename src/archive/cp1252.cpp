#include "cp1252.h"

#include <algorithm>
#include <array>

namespace pondra::cp1252 {

namespace {

// 0x80..0x9F; the rest of the code page is Latin-1. Undefined bytes map to themselves.
constexpr std::array<char16_t, 32> high{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *dst++ = QChar(b >= 0x80 && b < 0xA0 ? high[b - 0x80] : char16_t(b));
    }
    return out;
}

std::optional<QByteArray> encode(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *dst++ = char(u);
            continue;
        }
        const auto* it = std::find(high.begin(), high.end(), u);
        if (it == high.end()) {
            return std::nullopt;
        }
        *dst++ = char(0x80 + (it - high.begin()));
    }
    return out;
}

} // namespace pondra::cp1252
