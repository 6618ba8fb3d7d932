// Lists: the numbers and bullets of list paragraphs. Writers put each
// paragraph's number in its text too ({\listtext ...}, {\pntext ...}); when
// that text is missing, the number is made here from the list's definition
// (\listtable and \ls, or the older \pn).
#include "motscles.h"
#include "rtf.h"

#include <QTextDocument>

#include <algorithm>

namespace rtf {

namespace {

// Lists, levels and numberings kept, whatever the file says.
constexpr qsizetype kListesMax = 1000;
constexpr qsizetype kNiveauxMax = 9;
constexpr qsizetype kTexteNumeroMax = 32;

QString romain(int n)
{
    static const std::pair<int, const char*> valeurs[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"},
                                                          {90, "XC"},  {50, "L"},   {40, "XL"}, {10, "X"},   {9, "IX"},
                                                          {5, "V"},    {4, "IV"},   {1, "I"}};
    QString texte;
    for (const auto& [valeur, chiffres] : valeurs) {
        while (n >= valeur) {
            texte += QLatin1StringView(chiffres);
            n -= valeur;
        }
    }
    return texte;
}

// 1 A, 26 Z, 27 AA, 28 BB, as word processors count.
QString lettres(int n)
{
    return QString((n - 1) / 26 + 1, QChar(u'A' + (n - 1) % 26));
}

QString nombreEnTexte(int n, int format)
{
    switch (format) {
    case 1:
    case 2:
        if (n > 0 && n < 4000)
            return format == 1 ? romain(n) : romain(n).toLower();
        break;
    case 3:
    case 4:
        if (n > 0 && n <= 26 * 100)
            return format == 3 ? lettres(n) : lettres(n).toLower();
        break;
    case 22: return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0'));
    case 23:
    case 255: return {};
    default: break;
    }
    return QString::number(n);
}

// A list level's text as \leveltext holds it: its first character is the
// length of what follows.
QString modeleNiveau(const QString& brut)
{
    if (!brut.isEmpty() && brut[0].unicode() < 0x20)
        return brut.mid(1, brut[0].unicode());
    return brut.left(brut.indexOf(u';'));
}

} // namespace

void LecteurRtf::traiterMotListes(Mot mot, qint64 p)
{
    const int n = int(std::clamp<qint64>(p, -(1 << 20), 1 << 20));
    switch (mot) {
    case Mot::Listtable:
        viderTexte();
        m_etat.destination = Destination::TableListes;
        return;
    case Mot::Listoverridetable:
        viderTexte();
        m_etat.destination = Destination::TableSubstitutions;
        return;
    case Mot::Pn:
        viderTexte();
        m_etat.destination = Destination::Numerotation;
        m_pnEnCours = NiveauListe{};
        m_pnAvant.clear();
        m_pnApres.clear();
        return;
    default: break;
    }
    switch (m_etat.destination) {
    case Destination::TableListes:
        switch (mot) {
        case Mot::List: m_listeEnCours.clear(); break;
        case Mot::Listlevel:
            if (m_listeEnCours.size() < kNiveauxMax)
                m_listeEnCours.append(NiveauListe{});
            break;
        case Mot::Listid:
            if (m_listes.size() < kListesMax || m_listes.contains(n))
                m_listes.insert(n, m_listeEnCours);
            break;
        case Mot::Leveltext:
            m_etat.destination = Destination::TexteNiveau;
            m_texteNiveau.clear();
            break;
        default:
            if (m_listeEnCours.isEmpty())
                break;
            switch (mot) {
            case Mot::Levelnfc: m_listeEnCours.last().format = n; break;
            case Mot::Levelstartat: m_listeEnCours.last().debut = n; break;
            case Mot::Levelfollow: m_listeEnCours.last().suite = n; break;
            case Mot::F: m_listeEnCours.last().police = n; break;
            default: break;
            }
            break;
        }
        return;
    case Destination::TableSubstitutions:
        if (mot == Mot::List)
            m_idListe = 0;
        else if (mot == Mot::Listid)
            m_idListe = n;
        else if (mot == Mot::Ls && (m_substitutions.size() < kListesMax || m_substitutions.contains(n)))
            m_substitutions.insert(n, m_idListe);
        return;
    case Destination::Numerotation:
        if (mot == Mot::Pnstart)
            m_pnEnCours.debut = n;
        else if (mot == Mot::Pnf)
            m_pnEnCours.police = n;
        else if (mot == Mot::Pntxta || mot == Mot::Pntxtb) {
            m_etat.destination = Destination::TexteNumerotation;
            m_pnTexteApres = mot == Mot::Pntxta;
        }
        return;
    default:
        // \leveltext or \pntxta where it means nothing.
        if (mot == Mot::Leveltext || mot == Mot::Pntxta || mot == Mot::Pntxtb)
            ignorerGroupe();
        return;
    }
}

void LecteurRtf::traiterTexteListes(QStringView texte)
{
    QString* cible = nullptr;
    if (m_etat.destination == Destination::TexteNiveau)
        cible = &m_texteNiveau;
    else if (m_etat.destination == Destination::TexteNumerotation)
        cible = m_pnTexteApres ? &m_pnApres : &m_pnAvant;
    if (cible)
        cible->append(texte.first(std::min(texte.size(), kTexteNumeroMax - cible->size())));
}

void LecteurRtf::terminerTexteNiveau()
{
    if (!m_listeEnCours.isEmpty())
        m_listeEnCours.last().modele = modeleNiveau(m_texteNiveau);
    m_texteNiveau.clear();
}

// The \pn group ends: its numbering becomes the paragraph's.
void LecteurRtf::terminerNumerotation(Etat& parent)
{
    NiveauListe n = m_pnEnCours;
    n.modele = m_pnAvant + (n.format == 23 ? QString() : QString(QChar(0))) + m_pnApres;
    qsizetype index = m_numerotations.indexOf(n);
    if (index < 0 && m_numerotations.size() < kListesMax) {
        m_numerotations.append(n);
        index = m_numerotations.size() - 1;
    }
    parent.par.numerotation = int(index);
}

// Called before the first thing a paragraph holds, and at its end. A file
// that writes its numbers out writes them all: then a paragraph without one
// has none, whatever properties it inherits.
void LecteurRtf::numeroterParagraphe()
{
    if (m_numeroLu || m_repliDonne || (m_etat.par.liste == 0 && m_etat.par.numerotation < 0))
        return;
    m_numeroLu = true;
    const QString numero = numeroDuParagraphe();
    if (!numero.isEmpty() && preparerTexte())
        m_texte += numero;
}

QString LecteurRtf::numeroDuParagraphe()
{
    const ProprietesParagraphe& p = m_etat.par;
    if (p.liste != 0) {
        const auto liste = m_listes.constFind(m_substitutions.value(p.liste, p.liste));
        if (liste != m_listes.constEnd() && p.niveau < liste->size()) {
            std::array<int, 9>& compteurs = m_compteurs[p.liste];
            const NiveauListe& niveau = liste->at(p.niveau);
            int& compteur = compteurs[std::size_t(p.niveau)];
            compteur = compteur == 0 ? niveau.debut : compteur + 1;
            std::fill(compteurs.begin() + p.niveau + 1, compteurs.end(), 0);
            const QString suite = niveau.suite == 1 ? QStringLiteral(" ")
                : niveau.suite == 2                 ? QString()
                                                    : QStringLiteral("\t");
            return texteNumero(niveau, compteurs, *liste) + suite;
        }
    }
    if (p.numerotation < 0)
        return {};
    const NiveauListe& pn = m_numerotations.at(p.numerotation);
    m_compteurPn = m_dernierPn == pn ? m_compteurPn + 1 : pn.debut;
    m_dernierPn = pn;
    m_pnCeParagraphe = true;
    std::array<int, 9> compteurs{};
    compteurs[0] = m_compteurPn;
    return texteNumero(pn, compteurs, {pn}) + u'\t';
}

// The level's text with its numbers put in; a symbol font's characters
// become the shapes they show.
QString LecteurRtf::texteNumero(const NiveauListe& niveau, const std::array<int, 9>& compteurs,
                                const QList<NiveauListe>& niveaux) const
{
    const auto police = m_etat.polices->constFind(niveau.police);
    const auto* symboles = police == m_etat.polices->constEnd() ? nullptr : police->symboles;
    QString texte;
    for (const QChar c : niveau.modele) {
        const char16_t u = c.unicode();
        if (u < 9) {
            if (u < niveaux.size()) {
                const NiveauListe& autre = niveaux.at(u);
                const int n = compteurs[u] == 0 ? autre.debut : compteurs[u];
                texte += nombreEnTexte(n, autre.format);
            }
        } else if (u >= 0xF020 && u <= 0xF0FF) {
            texte += symboles ? QChar((*symboles)[u - 0xF000]) : QChar(char16_t(u - 0xF000));
        } else if (symboles) {
            const int octet = u < 0x80 ? u : octet1252(u);
            texte += octet >= 0 ? QChar((*symboles)[octet]) : c;
        } else if (u >= 0x20) {
            texte += c;
        }
    }
    if (texte.isEmpty() && niveau.format == 23)
        texte = QStringLiteral("•");
    return texte;
}

// \chpgn: an object that shows the page it is printed on.
void LecteurRtf::insererNumeroPage()
{
    numeroterParagraphe();
    if (!preparerTexte())
        return;
    viderTexte();
    QTextCharFormat format = formatCaractere();
    format.setObjectType(kObjetNumeroPage);
    m_curseur.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

} // namespace rtf
