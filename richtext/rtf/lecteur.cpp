#include "lecteur.h"
#include "rtf.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace rtf {

namespace {

// Groups deeper than this share the state of the last one kept: the reader
// keeps going with bounded memory whatever the nesting.
constexpr std::size_t kProfondeurMax = 500;

constexpr unsigned Gras = 1, Italique = 2, Souligne = 4, Barre = 8, Exposant = 16, Indice = 32;

} // namespace

size_t qHash(const CleFormat& cle, size_t graine)
{
    return qHashMulti(graine, cle.famille, cle.demiPoints, cle.drapeaux, cle.couleur.value_or(0),
                      cle.couleur.has_value(), cle.fond.value_or(0), cle.fond.has_value());
}

LecteurRtf::LecteurRtf(QStringView texte, QTextDocument& document)
    : m_jetons(texte), m_document(document), m_curseur(&document)
{
    m_etat.polices = std::make_shared<TablePolices>();
    m_etat.couleurs = std::make_shared<TableCouleurs>();
}

void LecteurRtf::lire()
{
    QTextOption option = m_document.defaultTextOption();
    option.setTabStopDistance(m_unites.pixels(720));
    m_document.setDefaultTextOption(option);

    m_curseur.beginEditBlock();
    m_formatBlocCourant = m_curseur.blockFormat();
    for (Jeton j = m_jetons.suivant(); j.type != TypeJeton::Fin && !m_fini; j = m_jetons.suivant()) {
        if (m_groupesIgnores > 0) {
            if (j.type == TypeJeton::DebutGroupe) {
                ++m_groupesIgnores;
            } else if (j.type == TypeJeton::FinGroupe) {
                if (--m_groupesIgnores == 0)
                    fermerGroupe();
            } else if (j.type == TypeJeton::MotControle && j.texte == u"bin" && j.parametre > 0) {
                m_jetons.lireBinaire(j.parametre);
            }
            continue;
        }
        if (j.type != TypeJeton::Hexa && !m_octets.isEmpty())
            viderOctets();
        if (m_aSauter > 0) {
            if (j.type == TypeJeton::Texte) {
                const qint64 n = std::min<qint64>(m_aSauter, j.texte.size());
                m_aSauter -= n;
                j.texte = j.texte.mid(n);
                if (j.texte.isEmpty())
                    continue;
            } else if (j.type != TypeJeton::DebutGroupe && j.type != TypeJeton::FinGroupe) {
                --m_aSauter;
                if (j.type == TypeJeton::MotControle && j.texte == u"bin" && j.parametre > 0)
                    m_jetons.lireBinaire(j.parametre);
                continue;
            }
        }
        switch (j.type) {
        case TypeJeton::DebutGroupe:
            m_aSauter = 0;
            ouvrirGroupe();
            break;
        case TypeJeton::FinGroupe:
            m_aSauter = 0;
            fermerGroupe();
            break;
        case TypeJeton::MotControle: traiterMot(j); break;
        case TypeJeton::Symbole: traiterSymbole(j.symbole); break;
        case TypeJeton::Hexa:
            if (j.octet < 0)
                break;
            if (m_etat.destination == Destination::Image)
                m_image.invalide = true;
            else if (m_etat.destination != Destination::TableCouleurs)
                m_octets.append(char(j.octet));
            break;
        case TypeJeton::Texte: traiterTexte(j.texte); break;
        case TypeJeton::Fin: break;
        }
    }
    if (!m_octets.isEmpty())
        viderOctets();
    viderTexte();
    if (!m_blocTermine)
        appliquerFormatBloc();
    m_curseur.endEditBlock();
}

void LecteurRtf::ouvrirGroupe()
{
    if (m_pile.size() >= kProfondeurMax) {
        ++m_groupesDebordants;
        return;
    }
    m_pile.push_back(m_etat);
    m_etat.etoile = false;
}

void LecteurRtf::fermerGroupe()
{
    if (m_groupesDebordants > 0) {
        --m_groupesDebordants;
        return;
    }
    if (m_pile.empty())
        return; // one `}` too many: the text after it is still read
    if (m_pile.size() == 1) {
        // End of the document: its last paragraph has the properties in
        // force here, not those outside the document's group. What follows
        // the closing brace is not part of it.
        appliquerFormatBloc();
        m_blocTermine = true;
        m_fini = true;
    }
    const Destination quittee = m_etat.destination;
    const bool finChamp = m_etat.champ;
    Etat parent = std::move(m_pile.back());
    m_pile.pop_back();
    if (quittee == Destination::InstructionChamp && parent.destination != Destination::InstructionChamp)
        lireInstructionChamp();
    if (quittee == Destination::Image && parent.destination != Destination::Image) {
        if (parent.destination == Destination::Texte && !m_etat.car.cache)
            terminerImage();
        else
            m_image = ImageEnCours{};
    }
    if (quittee == Destination::TexteNiveau && parent.destination == Destination::TableListes)
        terminerTexteNiveau();
    if (quittee == Destination::Numerotation && parent.destination == Destination::Texte)
        terminerNumerotation(parent);
    if (quittee == Destination::TablePolices && m_pile.size() <= m_profondeurPolice)
        validerPolice(); // the group that holds the entry ends without its `;`
    if (!(parent.car == m_etat.car) || parent.polices != m_etat.polices || parent.couleurs != m_etat.couleurs
        || parent.policeDefaut != m_etat.policeDefaut)
        m_formatValide = false;
    m_etat = std::move(parent);
    if (finChamp && !m_etat.champ)
        terminerChamp();
}

void LecteurRtf::ignorerGroupe()
{
    viderTexte();
    m_groupesIgnores = 1;
}

void LecteurRtf::traiterSymbole(char16_t s)
{
    if (s == '*') {
        m_etat.etoile = true;
        return;
    }
    // Characters go to the text or to a font's name; ajouterCaractere sorts.
    switch (s) {
    case '\\':
    case '{':
    case '}': ajouterCaractere(s); break;
    case '~': ajouterCaractere(0x00A0); break;
    case '-': ajouterCaractere(0x00AD); break;
    case '_': ajouterCaractere(0x2011); break;
    case '\r':
    case '\n': finParagraphe(); break;
    case '\t': ajouterCaractere('\t'); break;
    default: break; // \: \| and the like have no text of their own
    }
}

void LecteurRtf::traiterTexte(QStringView texte)
{
    switch (m_etat.destination) {
    case Destination::Texte: break;
    case Destination::TablePolices: traiterTexteTablePolices(texte); return;
    case Destination::TableCouleurs: traiterTexteTableCouleurs(texte); return;
    case Destination::Image: traiterTexteImage(texte); return;
    case Destination::InstructionChamp:
        m_instructionChamp.append(texte.first(std::min<qsizetype>(texte.size(), 256)));
        return;
    case Destination::TexteNiveau:
    case Destination::TexteNumerotation: traiterTexteListes(texte); return;
    case Destination::TableListes:
    case Destination::TableSubstitutions:
    case Destination::Numerotation: return;
    }
    numeroterParagraphe();
    if (!preparerTexte())
        return;
    // Text in a symbol font stands for the font's shapes, byte by byte.
    QString formes;
    if (const auto* table = symbolesCourants()) {
        formes = texte.toString();
        for (QChar& c : formes) {
            const int octet = c.unicode() < 0x80 ? c.unicode() : octet1252(c.unicode());
            if (octet >= 0)
                c = QChar((*table)[octet]);
        }
        texte = formes;
    }
    if (m_cellulesFermees > 0 || m_substitutHaut) {
        for (const QChar c : texte)
            ajouterCaractere(c.unicode());
        return;
    }
    qsizetype debut = 0;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t c = texte[i].unicode();
        const bool aFiltrer = c < 0x20 || c == 0x2029 || c == 0xFFFC || c == 0xFDD0 || c == 0xFDD1;
        if (aFiltrer) {
            m_texte.append(texte.mid(debut, i - debut));
            if (c == '\t')
                m_texte.append(QChar('\t'));
            debut = i + 1;
        }
    }
    m_texte.append(texte.mid(debut));
}

void LecteurRtf::ajouterCaractere(char32_t c)
{
    if (m_etat.destination == Destination::TablePolices) {
        traiterTexteTablePolices(QString::fromUcs4(&c, 1));
        return;
    }
    if (m_etat.destination == Destination::InstructionChamp) {
        if (c < 0x10000 && m_instructionChamp.size() < 256)
            m_instructionChamp.append(QChar(char16_t(c)));
        return;
    }
    if (m_etat.destination == Destination::TexteNiveau || m_etat.destination == Destination::TexteNumerotation) {
        if (c < 0x10000)
            traiterTexteListes(QString(QChar(char16_t(c))));
        return;
    }
    if (m_etat.destination != Destination::Texte)
        return;
    numeroterParagraphe();
    if (!preparerTexte())
        return;
    if (m_substitutHaut) {
        m_texte.append(QChar(0xFFFD));
        m_substitutHaut = 0;
    }
    if (m_cellulesFermees > 0) {
        // Empty cells keep their place: the values after them stay in
        // their columns.
        m_texte.append(QString(m_cellulesFermees, QChar('\t')));
        m_cellulesFermees = 0;
    }
    if ((c < 0x20 && c != '\t') || c == 0x2029 || c == 0xFFFC || c == 0xFDD0 || c == 0xFDD1)
        return;
    if (c > 0xFFFF) {
        const char16_t paire[2] = {QChar::highSurrogate(c), QChar::lowSurrogate(c)};
        m_texte.append(QStringView(paire, 2));
    } else {
        m_texte.append(QChar(char16_t(c)));
    }
}

void LecteurRtf::ajouterUnicode(qint64 valeur)
{
    if (valeur < 0)
        valeur += 65536;
    if (valeur < 0 || valeur > 0x10FFFF) {
        ajouterCaractere(0xFFFD);
        return;
    }
    // Word writes a symbol font's byte b as U+F000 + b.
    if (valeur >= 0xF020 && valeur <= 0xF0FF && m_etat.destination == Destination::Texte) {
        if (const auto* table = symbolesCourants())
            valeur = (*table)[valeur - 0xF000];
    }
    if (QChar::isHighSurrogate(char32_t(valeur))) {
        if (m_substitutHaut) {
            m_substitutHaut = 0;
            ajouterCaractere(0xFFFD); // the first half was alone
        }
        m_substitutHaut = char16_t(valeur);
        return;
    }
    if (QChar::isLowSurrogate(char32_t(valeur))) {
        if (!m_substitutHaut) {
            ajouterCaractere(0xFFFD);
            return;
        }
        const char32_t c = QChar::surrogateToUcs4(m_substitutHaut, char16_t(valeur));
        m_substitutHaut = 0;
        ajouterCaractere(c);
        return;
    }
    ajouterCaractere(char32_t(valeur));
}

DecodeurPageCode& LecteurRtf::decodeurCourant()
{
    int pageCode = m_etat.pageCode;
    if (m_etat.destination == Destination::TablePolices) {
        if (m_policeEnCours.pageCode > 0)
            pageCode = m_policeEnCours.pageCode;
    } else {
        const int p = pageCodePolice(m_etat.car.police < 0 ? m_etat.policeDefaut : m_etat.car.police);
        if (p > 0)
            pageCode = p;
    }
    auto& d = m_decodeurs[pageCode];
    if (!d)
        d = std::make_unique<DecodeurPageCode>(pageCode);
    return *d;
}

int LecteurRtf::pageCodePolice(int numero) const
{
    const auto it = m_etat.polices->constFind(numero);
    return it == m_etat.polices->constEnd() ? -1 : it->pageCode;
}

const std::array<char16_t, 256>* LecteurRtf::symbolesCourants() const
{
    const int numero = m_etat.car.police < 0 ? m_etat.policeDefaut : m_etat.car.police;
    const auto it = m_etat.polices->constFind(numero);
    return it == m_etat.polices->constEnd() ? nullptr : it->symboles;
}

void LecteurRtf::viderOctets()
{
    QString texte;
    decodeurCourant().decoder(m_octets, texte);
    m_octets.clear();
    traiterTexte(texte);
}

// Text is kept until its format changes or something else than text comes,
// so that a run split by groups or control words goes in with one call.
bool LecteurRtf::preparerTexte()
{
    if (m_etat.car.cache)
        return false; // hidden text
    const QTextCharFormat& format = formatCaractere();
    if (m_idFormat != m_idFormatTexte) {
        if (!m_texte.isEmpty())
            m_curseur.insertText(m_texte, m_formatTexte);
        m_texte.clear();
        m_formatTexte = format;
        m_idFormatTexte = m_idFormat;
    }
    return true;
}

void LecteurRtf::viderTexte()
{
    if (m_substitutHaut) {
        m_substitutHaut = 0;
        if (preparerTexte())
            m_texte.append(QChar(0xFFFD)); // half of a pair, alone
    }
    if (m_texte.isEmpty())
        return;
    m_curseur.insertText(m_texte, m_formatTexte);
    m_texte.clear();
}

void LecteurRtf::finParagraphe()
{
    if (m_etat.destination != Destination::Texte)
        return;
    numeroterParagraphe();
    viderTexte();
    m_cellulesFermees = 0;
    m_numeroLu = false;
    if (!m_pnCeParagraphe)
        m_dernierPn.reset();
    m_pnCeParagraphe = false;
    appliquerFormatBloc();
    m_curseur.insertBlock(m_formatBlocCourant, formatCaractere());
    m_sautDePage = false;
    m_blocTermine = false;
}

// Nothing yet in the current paragraph.
bool LecteurRtf::paragrapheVide() const
{
    return m_texte.isEmpty() && m_cellulesFermees == 0 && m_curseur.block().length() == 1;
}

// The properties in force at the end of a paragraph are its own; most
// paragraphs have those of the one before, which the block already got.
void LecteurRtf::appliquerFormatBloc()
{
    const QTextBlockFormat& format = formatBloc();
    if (format == m_formatBlocCourant)
        return;
    m_curseur.setBlockFormat(format);
    m_formatBlocCourant = format;
}

const QTextBlockFormat& LecteurRtf::formatBloc()
{
    const ProprietesParagraphe& p = m_etat.par;
    const bool saut = p.sautDePageAvant || m_sautDePage;
    // The cached format always holds an alignment once it has been computed.
    if (p == m_dernierParagraphe && saut == m_dernierSaut
        && m_dernierFormatBloc.hasProperty(QTextFormat::BlockAlignment))
        return m_dernierFormatBloc;
    QTextBlockFormat f;
    static constexpr Qt::Alignment alignements[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter, Qt::AlignJustify};
    f.setAlignment(alignements[p.alignement]);
    f.setLeftMargin(m_unites.pixels(p.gauche));
    f.setRightMargin(m_unites.pixels(p.droite));
    f.setTextIndent(m_unites.pixels(p.premiereLigne));
    f.setTopMargin(m_unites.pixels(p.avant));
    f.setBottomMargin(m_unites.pixels(p.apres));
    if (p.interligne != 0) {
        if (p.interligneMultiple)
            f.setLineHeight(std::abs(p.interligne) * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (p.interligne > 0)
            f.setLineHeight(m_unites.pixels(p.interligne), QTextBlockFormat::MinimumHeight);
        else
            f.setLineHeight(m_unites.pixels(-p.interligne), QTextBlockFormat::FixedHeight);
    }
    if (!p.tabulations.isEmpty()) {
        QList<QTextOption::Tab> tabs = p.tabulations;
        for (QTextOption::Tab& t : tabs)
            t.position = m_unites.pixels(t.position);
        f.setTabPositions(tabs);
    } else if (p.premiereLigne < 0)
        // A hanging indent stops the first tab at the indent, where word
        // processors put the text after a list's number. (Tab stops count
        // from the start of the line.)
        f.setTabPositions({QTextOption::Tab(m_unites.pixels(-p.premiereLigne), QTextOption::LeftTab)});
    if (saut)
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    m_dernierParagraphe = p;
    m_dernierSaut = saut;
    m_dernierFormatBloc = f;
    return m_dernierFormatBloc;
}

const QTextCharFormat& LecteurRtf::formatCaractere()
{
    if (m_formatValide)
        return m_format;
    const ProprietesCaractere& c = m_etat.car;
    CleFormat cle;
    const int numero = c.police < 0 ? m_etat.policeDefaut : c.police;
    auto police = m_etat.polices->constFind(numero);
    if (police == m_etat.polices->constEnd())
        police = m_etat.polices->constFind(m_etat.policeDefaut);
    // Text read in a symbol font is Unicode now: it shows in the default
    // font, and reads back the same once written.
    if (police != m_etat.polices->constEnd() && !police->symboles)
        cle.famille = police->nom;
    cle.demiPoints = c.demiPoints;
    cle.drapeaux = (c.gras ? Gras : 0) | (c.italique ? Italique : 0) | (c.souligne ? Souligne : 0)
        | (c.barre ? Barre : 0) | (c.position == QTextCharFormat::AlignSuperScript ? Exposant : 0)
        | (c.position == QTextCharFormat::AlignSubScript ? Indice : 0);
    if (c.couleur > 0 && c.couleur < m_etat.couleurs->size())
        cle.couleur = m_etat.couleurs->at(c.couleur);
    if (c.fond > 0 && c.fond < m_etat.couleurs->size())
        cle.fond = m_etat.couleurs->at(c.fond);
    auto it = m_formats.find(cle);
    if (it == m_formats.end()) {
        const int id = int(m_formats.size());
        QTextCharFormat f;
        if (!cle.famille.isEmpty())
            donnerFamille(f, cle.famille);
        f.setFontPointSize(cle.demiPoints / 2.0);
        f.setFontWeight(c.gras ? QFont::Bold : QFont::Normal);
        f.setFontItalic(c.italique);
        f.setFontUnderline(c.souligne);
        f.setFontStrikeOut(c.barre);
        f.setVerticalAlignment(c.position);
        if (cle.couleur)
            f.setForeground(QColor(*cle.couleur));
        if (cle.fond)
            f.setBackground(QColor(*cle.fond));
        it = m_formats.insert(cle, FormatConnu{f, id});
    }
    m_format = it->format;
    m_idFormat = it->id;
    m_formatValide = true;
    return m_format;
}

} // namespace rtf
