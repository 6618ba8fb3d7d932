#include "platform/windows1252.h"

#include <algorithm>
#include <array>

namespace {

// Windows-1252 characters of the bytes 0x80 to 0x9F (the five unassigned
// bytes read as the C1 controls of the same value, as Windows does).
constexpr std::array<char16_t, 32> kWindows1252 = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString depuisWindows1252(QByteArrayView octets)
{
    QString texte(octets.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < octets.size(); ++i) {
        const auto o = static_cast<unsigned char>(octets[i]);
        texte[i] = QChar(o >= 0x80 && o < 0xA0 ? kWindows1252[o - 0x80] : char16_t(o));
    }
    return texte;
}

std::optional<QByteArray> versWindows1252(const QString& texte)
{
    QByteArray octets;
    octets.reserve(texte.size());
    for (const QChar c : texte) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            octets.append(char(u));
            continue;
        }
        const auto* trouve = std::find(kWindows1252.begin(), kWindows1252.end(), u);
        if (trouve == kWindows1252.end())
            return std::nullopt;
        octets.append(char(0x80 + (trouve - kWindows1252.begin())));
    }
    return octets;
}
