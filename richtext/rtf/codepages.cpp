#include "codepages.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <memory>

namespace rtf {

namespace {

// 0x80..0x9F of code page 1252; bytes it leaves undefined keep their C1 value.
constexpr char16_t k1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool estMultiOctets(int pageCode)
{
    switch (pageCode) {
    case 932: case 936: case 949: case 950: case 1361: case 10001:
    case 10002: case 10003: case 10008: case 20932: case 54936: case 65001:
        return true;
    default:
        return false;
    }
}

QByteArrayList nomsPossibles(int pageCode)
{
    switch (pageCode) {
    case 932: return {"Shift_JIS"};
    case 936: return {"GBK"};
    case 949: return {"windows-949", "EUC-KR"};
    case 950: return {"Big5"};
    case 10000: return {"macintosh"};
    case 65001: return {"UTF-8"};
    default: break;
    }
    const QByteArray n = QByteArray::number(pageCode);
    return {"windows-" + n, "cp" + n, "ibm-" + n};
}

QStringDecoder ouvrirDecodeur(int pageCode)
{
    for (const QByteArray& nom : nomsPossibles(pageCode)) {
        QStringDecoder d(nom.constData());
        if (d.isValid())
            return d;
    }
    return QStringDecoder();
}

std::array<char16_t, 256> table1252()
{
    std::array<char16_t, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = char16_t(i);
    for (int i = 0; i < 32; ++i)
        t[0x80 + i] = k1252[i];
    return t;
}

// Symbol fonts: read as 1252, except the byte that lists use as a bullet.
std::array<char16_t, 256> tableSymbole()
{
    std::array<char16_t, 256> t = table1252();
    t[0xB7] = 0x2022;
    return t;
}

// Tables are built once per code page and never freed while the program runs.
const std::array<char16_t, 256>* tableUnOctet(int pageCode)
{
    static const std::array<char16_t, 256> t1252 = table1252();
    static const std::array<char16_t, 256> tSymbole = tableSymbole();
    if (pageCode == 1252)
        return &t1252;
    if (pageCode == kPageSymbole)
        return &tSymbole;
    static QMutex verrou;
    static QHash<int, std::shared_ptr<const std::array<char16_t, 256>>> tables;
    QMutexLocker garde(&verrou);
    auto it = tables.find(pageCode);
    if (it != tables.end())
        return it.value().get();
    QStringDecoder d = ouvrirDecodeur(pageCode);
    std::shared_ptr<const std::array<char16_t, 256>> resultat;
    if (d.isValid()) {
        auto t = std::make_shared<std::array<char16_t, 256>>();
        for (int i = 0; i < 256; ++i) {
            d.resetState();
            const char octet = char(i);
            const QString s = d.decode(QByteArrayView(&octet, 1));
            (*t)[i] = s.size() == 1 ? s.at(0).unicode() : char16_t(0xFFFD);
        }
        resultat = t;
    } else {
        resultat = std::shared_ptr<const std::array<char16_t, 256>>(&t1252, [](auto*) {});
    }
    tables.insert(pageCode, resultat);
    return resultat.get();
}

} // namespace

int pageCodeDuJeu(int jeu)
{
    switch (jeu) {
    case 2: return kPageSymbole;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return -1;
    }
}

DecodeurPageCode::DecodeurPageCode(int pageCode)
{
    if (estMultiOctets(pageCode))
        m_decodeur = ouvrirDecodeur(pageCode);
    if (!m_decodeur.isValid())
        m_table = tableUnOctet(pageCode);
}

void DecodeurPageCode::decoder(QByteArrayView octets, QString& sortie)
{
    if (m_table) {
        const qsizetype depart = sortie.size();
        sortie.resize(depart + octets.size());
        QChar* d = sortie.data() + depart;
        for (const char o : octets)
            *d++ = QChar((*m_table)[static_cast<unsigned char>(o)]);
        return;
    }
    sortie += m_decodeur.decode(octets);
}

int octet1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (k1252[i] == c && c > 0xFF)
            return 0x80 + i;
    }
    return -1;
}

} // namespace rtf
