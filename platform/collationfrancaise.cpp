#include "platform/collationfrancaise.h"

#include <QChar>
#include <QString>
#include <array>
#include <sqlite3.h>

namespace {

// Up to two folded letters for one character ("œ" gives "oe").
struct Pli {
    char32_t a = 0;
    char32_t b = 0;
};

Pli plierCaractere(char32_t c)
{
    if (c < 0x80) {
        if (c >= 'A' && c <= 'Z')
            return {c + ('a' - 'A'), 0};
        return {c, 0};
    }
    switch (c) {
    case 0x0152:
    case 0x0153: return {'o', 'e'};
    case 0x00C6:
    case 0x00E6: return {'a', 'e'};
    case 0x00DF: return {'s', 's'};
    default: break;
    }
    // Latin letters with diacritics decompose to their base letter first.
    char32_t base = c;
    const QString decomposition = QChar::decomposition(c);
    if (!decomposition.isEmpty() && QChar::decompositionTag(c) == QChar::Canonical)
        base = decomposition.at(0).unicode();
    return {QChar::toLower(base), 0};
}

// Folding of the Latin-1 and Latin Extended-A/B ranges, computed once.
const std::array<Pli, 0x250>& tablePlis()
{
    static const std::array<Pli, 0x250> table = [] {
        std::array<Pli, 0x250> t{};
        for (char32_t c = 0; c < t.size(); ++c)
            t[c] = plierCaractere(c);
        return t;
    }();
    return table;
}

Pli plier(char32_t c)
{
    const auto& table = tablePlis();
    return c < table.size() ? table[c] : Pli{QChar::toLower(c), 0};
}

// Yields the folded letters of a text, one at a time, whatever its encoding.
template <typename Lecteur>
class Pliage {
public:
    explicit Pliage(Lecteur lecteur) : m_lecteur(lecteur) {}

    // Next folded letter, or 0 at the end of the text.
    char32_t suivant()
    {
        if (m_enAttente) {
            const char32_t c = m_enAttente;
            m_enAttente = 0;
            return c;
        }
        char32_t c = 0;
        if (!m_lecteur.lire(c))
            return 0;
        const Pli p = plier(c);
        m_enAttente = p.b;
        return p.a;
    }

private:
    Lecteur m_lecteur;
    char32_t m_enAttente = 0;
};

struct LecteurUtf16 {
    QStringView texte;
    qsizetype i = 0;
    bool lire(char32_t& c)
    {
        if (i >= texte.size())
            return false;
        const QChar haut = texte[i++];
        if (haut.isHighSurrogate() && i < texte.size() && texte[i].isLowSurrogate())
            c = QChar::surrogateToUcs4(haut, texte[i++]);
        else
            c = haut.unicode();
        return true;
    }
};

struct LecteurUtf8 {
    const unsigned char* p;
    const unsigned char* fin;
    bool lire(char32_t& c)
    {
        if (p >= fin)
            return false;
        const unsigned char o = *p++;
        int suite = 0;
        if (o < 0x80) {
            c = o;
            return true;
        }
        if ((o & 0xE0) == 0xC0) {
            c = o & 0x1F;
            suite = 1;
        } else if ((o & 0xF0) == 0xE0) {
            c = o & 0x0F;
            suite = 2;
        } else if ((o & 0xF8) == 0xF0) {
            c = o & 0x07;
            suite = 3;
        } else {
            c = 0xFFFD;
            return true;
        }
        for (; suite > 0 && p < fin && (*p & 0xC0) == 0x80; --suite)
            c = (c << 6) | (*p++ & 0x3F);
        if (suite > 0)
            c = 0xFFFD;
        return true;
    }
};

template <typename Lecteur>
int comparerPlies(Lecteur a, Lecteur b)
{
    Pliage<Lecteur> pa(a), pb(b);
    for (;;) {
        const char32_t ca = pa.suivant();
        const char32_t cb = pb.suivant();
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

int collationSqlite(void*, int longueurA, const void* a, int longueurB, const void* b)
{
    const auto* pa = static_cast<const unsigned char*>(a);
    const auto* pb = static_cast<const unsigned char*>(b);
    const auto* finA = pa + longueurA;
    const auto* finB = pb + longueurB;
    // Most names are plain ASCII: compare them byte by byte, case folded,
    // up to the first letter that needs the full folding.
    while (pa < finA && pb < finB && *pa < 0x80 && *pb < 0x80) {
        const int ca = (*pa >= 'A' && *pa <= 'Z') ? *pa + ('a' - 'A') : *pa;
        const int cb = (*pb >= 'A' && *pb <= 'Z') ? *pb + ('a' - 'A') : *pb;
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++pa;
        ++pb;
    }
    return comparerPlies(LecteurUtf8{pa, finA}, LecteurUtf8{pb, finB});
}

} // namespace

int comparerFrancais(QStringView a, QStringView b)
{
    return comparerPlies(LecteurUtf16{a}, LecteurUtf16{b});
}

QString plierFrancais(QStringView texte)
{
    QString plie(texte.size(), Qt::Uninitialized);
    QChar* sortie = plie.data();
    qsizetype n = 0;
    for (const QChar c : texte) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            sortie[n++] = QChar(u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : u);
            continue;
        }
        const Pli p = plier(u);
        if (p.b) { // one letter gives two: make room
            plie.resize(plie.size() + 1);
            sortie = plie.data();
        }
        sortie[n++] = QChar(static_cast<char16_t>(p.a));
        if (p.b)
            sortie[n++] = QChar(static_cast<char16_t>(p.b));
    }
    plie.truncate(n);
    return plie;
}

QString cleFrancaise(QStringView texte)
{
    QString cle;
    cle.reserve(texte.size());
    Pliage<LecteurUtf16> pliage(LecteurUtf16{texte});
    for (char32_t c = pliage.suivant(); c != 0; c = pliage.suivant()) {
        if (QChar::requiresSurrogates(c)) {
            cle += QChar(QChar::highSurrogate(c));
            cle += QChar(QChar::lowSurrogate(c));
        } else {
            cle += QChar(char16_t(c));
        }
    }
    return cle;
}

bool enregistrerCollationFrancaise(sqlite3* base)
{
    return sqlite3_create_collation_v2(base, kNomCollationFrancaise, SQLITE_UTF8, nullptr, collationSqlite, nullptr)
        == SQLITE_OK;
}
