#include "jetons.h"

#include <limits>

namespace rtf {

namespace {

bool estLettre(char16_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool estChiffre(char16_t c)
{
    return c >= '0' && c <= '9';
}

} // namespace

int valeurHexa(char16_t c)
{
    if (estChiffre(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

AnalyseurJetons::AnalyseurJetons(QStringView texte) : m_p(texte.data()), m_fin(texte.data() + texte.size())
{
}

QStringView AnalyseurJetons::lireBinaire(qint64 longueur)
{
    const qint64 reste = m_fin - m_p;
    const qint64 n = longueur < 0 ? 0 : (longueur < reste ? longueur : reste);
    const QStringView vue(m_p, n);
    m_p += n;
    return vue;
}

Jeton AnalyseurJetons::suivant()
{
    Jeton j;
    while (m_p < m_fin && (m_p->unicode() == '\r' || m_p->unicode() == '\n'))
        ++m_p;
    if (m_p >= m_fin)
        return j;
    const char16_t c = m_p->unicode();
    if (c == '{' || c == '}') {
        ++m_p;
        j.type = c == '{' ? TypeJeton::DebutGroupe : TypeJeton::FinGroupe;
        return j;
    }
    if (c != '\\') {
        const QChar* debut = m_p;
        while (m_p < m_fin) {
            const char16_t d = m_p->unicode();
            if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n')
                break;
            ++m_p;
        }
        j.type = TypeJeton::Texte;
        j.texte = QStringView(debut, m_p - debut);
        return j;
    }
    ++m_p;
    if (m_p >= m_fin)
        return j; // a lone backslash at the very end
    const char16_t s = m_p->unicode();
    if (!estLettre(s)) {
        ++m_p;
        if (s == '\'') {
            j.type = TypeJeton::Hexa;
            int valeur = 0;
            for (int i = 0; i < 2; ++i) {
                const int h = m_p < m_fin ? valeurHexa(m_p->unicode()) : -1;
                if (h < 0) {
                    valeur = -1;
                    break;
                }
                valeur = valeur * 16 + h;
                ++m_p;
            }
            j.octet = valeur;
            return j;
        }
        j.type = TypeJeton::Symbole;
        j.symbole = s;
        return j;
    }
    const QChar* debut = m_p;
    while (m_p < m_fin && estLettre(m_p->unicode()))
        ++m_p;
    j.type = TypeJeton::MotControle;
    j.texte = QStringView(debut, m_p - debut);
    bool negatif = false;
    if (m_p + 1 < m_fin && m_p->unicode() == '-' && estChiffre(m_p[1].unicode())) {
        negatif = true;
        ++m_p;
    }
    if (m_p < m_fin && estChiffre(m_p->unicode())) {
        constexpr qint64 plafond = qint64(std::numeric_limits<qint32>::max()) + 1;
        qint64 valeur = 0;
        while (m_p < m_fin && estChiffre(m_p->unicode())) {
            if (valeur < plafond)
                valeur = valeur * 10 + (m_p->unicode() - '0');
            ++m_p;
        }
        if (valeur > plafond)
            valeur = plafond;
        valeur = negatif ? -valeur : valeur;
        if (valeur > std::numeric_limits<qint32>::max())
            valeur = std::numeric_limits<qint32>::max();
        j.parametre = qint32(valeur);
        j.aParametre = true;
    }
    if (m_p < m_fin && m_p->unicode() == ' ')
        ++m_p;
    return j;
}

} // namespace rtf
