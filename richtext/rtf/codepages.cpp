#include "codepages.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <memory>

namespace rtf {

namespace {

// 0x80..0x9F of code page 1252; bytes it leaves undefined keep their C1 value.
constexpr char16_t k1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool estMultiOctets(int pageCode)
{
    switch (pageCode) {
    case 932:
    case 936:
    case 949:
    case 950:
    case 1361:
    case 10001:
    case 10002:
    case 10003:
    case 10008:
    case 20932:
    case 54936:
    case 65001: return true;
    default: return false;
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

// The Symbol font's characters from 0x20 up (0xF0 has none).
constexpr char16_t kSymbol[224] = {
    u' ',  u'!', u'∀', u'#',  u'∃', u'%', u'&', u'∋', u'(', u')', u'∗', u'+', u',', u'−', u'.', u'/', u'0', u'1', u'2',
    u'3',  u'4', u'5', u'6',  u'7', u'8', u'9', u':', u';', u'<', u'=', u'>', u'?', u'≅', u'Α', u'Β', u'Χ', u'Δ', u'Ε',
    u'Φ',  u'Γ', u'Η', u'Ι',  u'ϑ', u'Κ', u'Λ', u'Μ', u'Ν', u'Ο', u'Π', u'Θ', u'Ρ', u'Σ', u'Τ', u'Υ', u'ς', u'Ω', u'Ξ',
    u'Ψ',  u'Ζ', u'[', u'∴',  u']', u'⊥', u'_', u'‾', u'α', u'β', u'χ', u'δ', u'ε', u'φ', u'γ', u'η', u'ι', u'ϕ', u'κ',
    u'λ',  u'μ', u'ν', u'ο',  u'π', u'θ', u'ρ', u'σ', u'τ', u'υ', u'ϖ', u'ω', u'ξ', u'ψ', u'ζ', u'{', u'|', u'}', u'∼',
    u' ',  u' ', u' ', u' ',  u' ', u' ', u' ', u' ', u' ', u' ', u' ', u' ', u' ', u' ', u' ', u' ', u' ', u' ', u' ',
    u' ',  u' ', u' ', u' ',  u' ', u' ', u' ', u' ', u' ', u' ', u' ', u' ', u' ', u' ', u'€', u'ϒ', u'′', u'≤', u'⁄',
    u'∞',  u'ƒ', u'♣', u'♦',  u'♥', u'♠', u'↔', u'←', u'↑', u'→', u'↓', u'°', u'±', u'″', u'≥', u'×', u'∝', u'∂', u'•',
    u'÷',  u'≠', u'≡', u'≈',  u'…', u'⏐', u'⎯', u'↵', u'ℵ', u'ℑ', u'ℜ', u'℘', u'⊗', u'⊕', u'∅', u'∩', u'∪', u'⊃', u'⊇',
    u'⊄',  u'⊂', u'⊆', u'∈',  u'∉', u'∠', u'∇', u'®', u'©', u'™', u'∏', u'√', u'⋅', u'¬', u'∧', u'∨', u'⇔', u'⇐', u'⇑',
    u'⇒',  u'⇓', u'◊', u'〈', u'®', u'©', u'™', u'∑', u'⎛', u'⎜', u'⎝', u'⎡', u'⎢', u'⎣', u'⎧', u'⎨', u'⎩', u'⎪', u' ',
    u'〉', u'∫', u'⌠', u'⎮',  u'⌡', u'⎞', u'⎟', u'⎠', u'⎤', u'⎥', u'⎦', u'⎫', u'⎬', u'⎭', u' ',
};

std::array<char16_t, 256> tableSymbol()
{
    std::array<char16_t, 256> t = table1252();
    for (int i = 0x20; i < 0x100; ++i)
        t[i] = kSymbol[i - 0x20];
    return t;
}

// Wingdings: the shapes that letters and lists use (bullets, boxes, check
// marks, pointing hands, arrows); any other shape reads as a bullet.
std::array<char16_t, 256> tableWingdings()
{
    std::array<char16_t, 256> t = table1252();
    for (int i = 0x21; i < 0x100; ++i)
        t[i] = u'•';
    const std::pair<int, char16_t> formes[] = {
        {0x22, u'✂'}, {0x28, u'☎'}, {0x29, u'✆'}, {0x2A, u'✉'}, {0x36, u'⌛'}, {0x3E, u'✇'}, {0x3F, u'✍'}, {0x41, u'✌'},
        {0x45, u'☜'}, {0x46, u'☞'}, {0x47, u'☝'}, {0x48, u'☟'}, {0x4A, u'☺'}, {0x4C, u'☹'}, {0x4E, u'☠'}, {0x51, u'✈'},
        {0x52, u'☼'}, {0x54, u'❄'}, {0x56, u'✞'}, {0x58, u'✠'}, {0x59, u'✡'}, {0x5A, u'☪'}, {0x5B, u'☯'}, {0x5D, u'☸'},
        {0x6C, u'●'}, {0x6E, u'■'}, {0x6F, u'□'}, {0x71, u'❑'}, {0x72, u'❒'}, {0x74, u'⧫'}, {0x75, u'◆'}, {0x76, u'❖'},
        {0x78, u'⌧'}, {0x7A, u'⌘'}, {0x9E, u'·'}, {0x9F, u'•'}, {0xA1, u'○'}, {0xA7, u'▪'}, {0xA8, u'◻'}, {0xAA, u'★'},
        {0xD8, u'➢'}, {0xE8, u'➔'}, {0xEF, u'⇦'}, {0xF0, u'⇨'}, {0xF1, u'⇧'}, {0xF2, u'⇩'}, {0xFB, u'✗'}, {0xFC, u'✓'},
        {0xFD, u'☒'}, {0xFE, u'☑'},
    };
    for (const auto& [octet, forme] : formes)
        t[octet] = forme;
    return t;
}

// Tables are built once per code page and never freed while the program runs.
const std::array<char16_t, 256>* tableUnOctet(int pageCode)
{
    static const std::array<char16_t, 256> t1252 = table1252();
    // Symbol fonts are decoded as 1252, then the reader maps the bytes.
    if (pageCode == 1252 || pageCode == kPageSymbole)
        return &t1252;
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

const std::array<char16_t, 256>* tableSymboles(const QString& nomPolice, int pageCode)
{
    static const std::array<char16_t, 256> tSymbol = tableSymbol();
    static const std::array<char16_t, 256> tWingdings = tableWingdings();
    if (nomPolice.startsWith(u"Wingdings", Qt::CaseInsensitive))
        return &tWingdings;
    if (pageCode == kPageSymbole || nomPolice.compare(u"Symbol", Qt::CaseInsensitive) == 0)
        return &tSymbol;
    return nullptr;
}

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
