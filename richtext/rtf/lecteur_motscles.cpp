#include "motscles.h"

#include <QTextDocument>

#include <algorithm>
#include <string_view>

namespace rtf {

namespace {

struct EntreeMot {
    LecteurRtf::Mot mot;
    char32_t caractere = 0;
};

using TableMots = std::unordered_map<std::u16string_view, EntreeMot>;

const TableMots& tableMots()
{
    using M = LecteurRtf::Mot;
    static const TableMots table = [] {
        TableMots t;
        const std::pair<const char16_t*, M> simples[] = {
            {u"rtf", M::Rtf},
            {u"ansi", M::Ansi},
            {u"mac", M::Mac},
            {u"pc", M::Pc},
            {u"pca", M::Pca},
            {u"ansicpg", M::Ansicpg},
            {u"deff", M::Deff},
            {u"deftab", M::Deftab},
            {u"fonttbl", M::Fonttbl},
            {u"colortbl", M::Colortbl},
            {u"pict", M::Pict},
            {u"shppict", M::Shppict},
            {u"bin", M::Bin},
            {u"uc", M::Uc},
            {u"u", M::U},
            {u"fcharset", M::Fcharset},
            {u"cpg", M::Cpg},
            {u"red", M::Red},
            {u"green", M::Green},
            {u"blue", M::Blue},
            {u"pngblip", M::Pngblip},
            {u"jpegblip", M::Jpegblip},
            {u"picwgoal", M::Picwgoal},
            {u"pichgoal", M::Pichgoal},
            {u"picscalex", M::Picscalex},
            {u"picscaley", M::Picscaley},
            {u"par", M::Par},
            {u"sect", M::Section},
            {u"column", M::Section},
            {u"shpinst", M::Shpinst},
            {u"field", M::Field},
            {u"fldinst", M::Fldinst},
            {u"line", M::Line},
            {u"tab", M::Tab},
            {u"page", M::Page},
            {u"cell", M::Cell},
            {u"nestcell", M::Cell},
            {u"row", M::Row},
            {u"nestrow", M::Row},
            {u"plain", M::Plain},
            {u"b", M::B},
            {u"i", M::I},
            {u"ulnone", M::Ulnone},
            {u"strike", M::Strike},
            {u"striked", M::Strike},
            {u"f", M::F},
            {u"fs", M::Fs},
            {u"cf", M::Cf},
            {u"cb", M::Fond},
            {u"highlight", M::Fond},
            {u"chcbpat", M::Fond},
            {u"super", M::Super},
            {u"sub", M::Sub},
            {u"nosupersub", M::NoSuperSub},
            {u"v", M::V},
            {u"pard", M::Pard},
            {u"ql", M::Ql},
            {u"qr", M::Qr},
            {u"qc", M::Qc},
            {u"qj", M::Qj},
            {u"li", M::Li},
            {u"lin", M::Li},
            {u"ri", M::Ri},
            {u"rin", M::Ri},
            {u"fi", M::Fi},
            {u"sb", M::Sb},
            {u"sa", M::Sa},
            {u"sl", M::Sl},
            {u"slmult", M::Slmult},
            {u"tx", M::Tx},
            {u"tqr", M::Tqr},
            {u"tqc", M::Tqc},
            {u"tqdec", M::Tqdec},
            {u"pagebb", M::Pagebb},
            {u"listtable", M::Listtable},
            {u"listoverridetable", M::Listoverridetable},
            {u"list", M::List},
            {u"listoverride", M::List},
            {u"listlevel", M::Listlevel},
            {u"levelnfc", M::Levelnfc},
            {u"levelnfcn", M::Levelnfc},
            {u"levelstartat", M::Levelstartat},
            {u"leveltext", M::Leveltext},
            {u"levelfollow", M::Levelfollow},
            {u"listid", M::Listid},
            {u"ls", M::Ls},
            {u"ilvl", M::Ilvl},
            {u"listtext", M::TexteDeRepli},
            {u"pntext", M::TexteDeRepli},
            {u"pn", M::Pn},
            {u"pnstart", M::Pnstart},
            {u"pnf", M::Pnf},
            {u"pntxta", M::Pntxta},
            {u"pntxtb", M::Pntxtb},
            {u"chpgn", M::Chpgn},
        };
        for (const auto& [nom, mot] : simples)
            t.emplace(nom, EntreeMot{mot});
        for (const char16_t* nom :
             {u"ul", u"uld", u"uldash", u"uldashd", u"uldashdd", u"uldb", u"ulhwave", u"ulldash", u"ulth", u"ulthd",
              u"ulthdash", u"ulthdashd", u"ulthdashdd", u"ulthldash", u"ululdbwave", u"ulw", u"ulwave"})
            t.emplace(nom, EntreeMot{M::Ul});
        for (const char16_t* nom : {u"wmetafile", u"emfblip", u"macpict", u"dibitmap", u"wbitmap", u"pmmetafile"})
            t.emplace(nom, EntreeMot{M::AutreImage});
        // Destinations whose content is not part of the text.
        for (const char16_t* nom :
             {u"header", u"headerl", u"headerr", u"headerf", u"footer", u"footerl", u"footerr", u"footerf", u"footnote",
              u"info", u"stylesheet", u"filetbl", u"revtbl", u"rsidtbl", u"listtable", u"listoverridetable",
              u"pgdsctbl", u"objdata", u"nonshppict", u"xe", u"tc", u"pnseclvl", u"falt", u"panose", u"annotation",
              u"atnid", u"atnauthor", u"generator", u"template", u"themedata", u"colorschememapping", u"datastore",
              u"latentstyles", u"xmlnstbl", u"userprops", u"docvar", u"bkmkstart", u"bkmkend", u"private", u"do",
              u"background", u"mmathPr", u"author", u"operator", u"title", u"subject", u"comment", u"keywords",
              // what a shape or a nested table also gives to readers that do
              // not read them, and a shape's properties
              u"shprslt", u"nonesttables", u"sp"})
            t.emplace(nom, EntreeMot{M::Ignorer});
        const std::pair<const char16_t*, char32_t> caracteres[] = {
            {u"lquote", 0x2018},  {u"rquote", 0x2019},  {u"ldblquote", 0x201C}, {u"rdblquote", 0x201D},
            {u"bullet", 0x2022},  {u"endash", 0x2013},  {u"emdash", 0x2014},    {u"enspace", 0x2002},
            {u"emspace", 0x2003}, {u"qmspace", 0x2005}, {u"zwj", 0x200D},       {u"zwnj", 0x200C},
            {u"ltrmark", 0x200E}, {u"rtlmark", 0x200F},
        };
        for (const auto& [nom, c] : caracteres)
            t.emplace(nom, EntreeMot{M::Caractere, c});
        // \pn number styles, by the list level's number format they match.
        const std::pair<const char16_t*, char32_t> stylesPn[] = {
            {u"pndec", 0},  {u"pnucrm", 1}, {u"pnlcrm", 2},  {u"pnucltr", 3},   {u"pnlcltr", 4},     {u"pnord", 0},
            {u"pncard", 0}, {u"pnordt", 0}, {u"pncardt", 0}, {u"pnlvlblt", 23}, {u"pnlvlcont", 255},
        };
        for (const auto& [nom, format] : stylesPn)
            t.emplace(nom, EntreeMot{M::PnFormat, format});
        return t;
    }();
    return table;
}

bool actif(const Jeton& j)
{
    return !j.aParametre || j.parametre != 0;
}

qint64 borne(qint64 v, qint64 min, qint64 max)
{
    return std::clamp(v, min, max);
}

// Empty cells in a row beyond this many give no more tabs.
constexpr int kCellulesMax = 1000;

} // namespace

void LecteurRtf::traiterMot(const Jeton& j)
{
    const std::u16string_view nom(reinterpret_cast<const char16_t*>(j.texte.utf16()), std::size_t(j.texte.size()));
    const TableMots& table = tableMots();
    const auto it = table.find(nom);
    if (m_etat.etoile) {
        // {\*\dest ...}: skipped unless we know the destination.
        m_etat.etoile = false;
        if (it == table.end()
            || (it->second.mot != Mot::Pict && it->second.mot != Mot::Shppict && it->second.mot != Mot::Shpinst
                && it->second.mot != Mot::Fldinst && it->second.mot != Mot::Listtable
                && it->second.mot != Mot::Listoverridetable && it->second.mot != Mot::Pn)) {
            ignorerGroupe();
            return;
        }
    }
    if (it == table.end())
        return;
    const Mot mot = it->second.mot;
    switch (mot) {
    case Mot::Ignorer: ignorerGroupe(); return;
    case Mot::Bin:
        if (m_etat.destination == Destination::Image) {
            const QStringView donnees = m_jetons.lireBinaire(j.parametre);
            for (const QChar c : donnees)
                ajouterOctetImage(c.unicode() & 0xFF);
        } else {
            m_jetons.lireBinaire(j.parametre);
        }
        return;
    case Mot::Fonttbl: commencerTablePolices(); return;
    case Mot::Colortbl: commencerTableCouleurs(); return;
    case Mot::Pict: commencerImage(); return;
    case Mot::Fldinst:
        viderTexte();
        m_instructionChamp.clear();
        m_etat.destination = Destination::InstructionChamp;
        return;
    case Mot::Listtable:
    case Mot::Listoverridetable:
    case Mot::Leveltext:
    case Mot::Pn:
    case Mot::Pntxta:
    case Mot::Pntxtb: traiterMotListes(mot, j.parametre); return;
    case Mot::PnFormat:
        if (m_etat.destination == Destination::Numerotation)
            m_pnEnCours.format = int(it->second.caractere);
        return;
    case Mot::Uc: m_etat.uc = int(borne(j.parametre, 0, 1 << 20)); return;
    case Mot::U:
        ajouterUnicode(j.parametre);
        m_aSauter = m_etat.uc;
        return;
    default: break;
    }
    if (m_etat.destination != Destination::Texte) {
        traiterMotTable(mot, j);
        return;
    }
    const qint64 p = j.parametre;
    ProprietesCaractere& c = m_etat.car;
    ProprietesParagraphe& par = m_etat.par;
    const auto changerCaractere = [this] { m_formatValide = false; };
    switch (mot) {
    case Mot::Rtf:
        if (m_pile.size() > 1) {
            // A whole document inside this one: it starts afresh, and what it
            // declares stays inside its group.
            changerCaractere();
            c = ProprietesCaractere{};
            par = ProprietesParagraphe{};
            m_etat.policeDefaut = 0;
            m_etat.pageCode = 1252;
            m_etat.uc = 1;
        }
        break;
    case Mot::Ansi: m_etat.pageCode = 1252; break;
    case Mot::Mac: m_etat.pageCode = 10000; break;
    case Mot::Pc: m_etat.pageCode = 437; break;
    case Mot::Pca: m_etat.pageCode = 850; break;
    case Mot::Ansicpg:
        if (p > 0)
            m_etat.pageCode = int(p);
        break;
    case Mot::Deff:
        changerCaractere();
        m_etat.policeDefaut = int(p);
        break;
    case Mot::Deftab:
        if (m_pile.size() <= 1 && p > 0) {
            QTextOption option = m_document.defaultTextOption();
            option.setTabStopDistance(m_unites.pixels(double(borne(p, 1, kTwipsMax))));
            m_document.setDefaultTextOption(option);
        }
        break;
    case Mot::Par:
        if (m_etat.forme)
            ajouterCaractere(0x2028);
        else
            finParagraphe();
        break;
    case Mot::Section:
        if (m_etat.forme)
            ajouterCaractere(0x2028);
        else if (!paragrapheVide())
            finParagraphe();
        break;
    case Mot::Shpinst: m_etat.forme = true; break;
    case Mot::Field:
        m_etat.champ = true;
        m_symboleChamp = 0;
        break;
    case Mot::Line: ajouterCaractere(0x2028); break;
    case Mot::Tab: ajouterCaractere('\t'); break;
    case Mot::Caractere: ajouterCaractere(it->second.caractere); break;
    case Mot::Page:
        // After a \par the page break goes to the paragraph that follows.
        if (!paragrapheVide())
            finParagraphe();
        m_sautDePage = true;
        break;
    case Mot::Cell:
        if (m_cellulesFermees < kCellulesMax)
            ++m_cellulesFermees;
        break;
    case Mot::Row:
        m_cellulesFermees = 0; // the empty cells that end a row leave nothing
        finParagraphe();
        break;
    case Mot::Plain:
        changerCaractere();
        c = ProprietesCaractere{};
        break;
    case Mot::B:
        changerCaractere();
        c.gras = actif(j);
        break;
    case Mot::I:
        changerCaractere();
        c.italique = actif(j);
        break;
    case Mot::Ul:
        changerCaractere();
        c.souligne = actif(j);
        break;
    case Mot::Ulnone:
        changerCaractere();
        c.souligne = false;
        break;
    case Mot::Strike:
        changerCaractere();
        c.barre = actif(j);
        break;
    case Mot::V:
        changerCaractere();
        c.cache = actif(j);
        break;
    case Mot::F:
        changerCaractere();
        c.police = int(p);
        break;
    case Mot::Fs:
        changerCaractere();
        c.demiPoints = j.aParametre ? int(borne(p, 2, 3276)) : 24;
        break;
    case Mot::Cf:
        changerCaractere();
        c.couleur = int(p);
        break;
    case Mot::Fond:
        changerCaractere();
        c.fond = int(p);
        break;
    case Mot::Super:
        changerCaractere();
        c.position = QTextCharFormat::AlignSuperScript;
        break;
    case Mot::Sub:
        changerCaractere();
        c.position = QTextCharFormat::AlignSubScript;
        break;
    case Mot::NoSuperSub:
        changerCaractere();
        c.position = QTextCharFormat::AlignNormal;
        break;
    case Mot::Pard: par = ProprietesParagraphe{}; break;
    case Mot::Ql: par.alignement = 0; break;
    case Mot::Qr: par.alignement = 1; break;
    case Mot::Qc: par.alignement = 2; break;
    case Mot::Qj: par.alignement = 3; break;
    case Mot::Li: par.gauche = int(borne(p, -kTwipsMax, kTwipsMax)); break;
    case Mot::Ri: par.droite = int(borne(p, -kTwipsMax, kTwipsMax)); break;
    case Mot::Fi: par.premiereLigne = int(borne(p, -kTwipsMax, kTwipsMax)); break;
    case Mot::Sb: par.avant = int(borne(p, 0, kTwipsMax)); break;
    case Mot::Sa: par.apres = int(borne(p, 0, kTwipsMax)); break;
    case Mot::Sl: par.interligne = int(borne(p, -kTwipsMax, kTwipsMax)); break;
    case Mot::Slmult: par.interligneMultiple = actif(j); break;
    case Mot::Tqr: par.typeTabulationSuivante = QTextOption::RightTab; break;
    case Mot::Tqc: par.typeTabulationSuivante = QTextOption::CenterTab; break;
    case Mot::Tqdec: par.typeTabulationSuivante = QTextOption::DelimiterTab; break;
    case Mot::Tx:
        if (par.tabulations.size() < 64) {
            QTextOption::Tab t(double(borne(p, 0, kTwipsMax)), par.typeTabulationSuivante,
                               par.typeTabulationSuivante == QTextOption::DelimiterTab ? QChar(',') : QChar());
            par.tabulations.append(t);
        }
        par.typeTabulationSuivante = QTextOption::LeftTab;
        break;
    case Mot::Pagebb: par.sautDePageAvant = actif(j); break;
    case Mot::Ls: par.liste = int(borne(p, 0, 1 << 20)); break;
    case Mot::Ilvl: par.niveau = int(borne(p, 0, 8)); break;
    case Mot::TexteDeRepli: m_numeroLu = m_repliDonne = true; break;
    case Mot::Chpgn: insererNumeroPage(); break;
    default: break; // words of the tables and pictures mean nothing in the text
    }
}

void LecteurRtf::traiterMotTable(Mot mot, const Jeton& j)
{
    const qint64 p = j.parametre;
    switch (m_etat.destination) {
    case Destination::TablePolices:
        if (mot == Mot::F) {
            validerPolice();
            m_profondeurPolice = m_pile.size();
            m_numeroPoliceEnCours = int(p);
            m_policeCommencee = true;
        } else if (mot == Mot::Fcharset) {
            if (m_policeEnCours.pageCode <= 0) // \cpg, when given, wins
                m_policeEnCours.pageCode = pageCodeDuJeu(int(p));
        } else if (mot == Mot::Cpg && p > 0) {
            m_policeEnCours.pageCode = int(p);
        }
        break;
    case Destination::TableCouleurs:
        if (mot == Mot::Red)
            m_rouge = int(borne(p, 0, 255));
        else if (mot == Mot::Green)
            m_vert = int(borne(p, 0, 255));
        else if (mot == Mot::Blue)
            m_bleu = int(borne(p, 0, 255));
        break;
    case Destination::Image:
        switch (mot) {
        case Mot::Pngblip: m_image.genre = ImageEnCours::Png; break;
        case Mot::Jpegblip: m_image.genre = ImageEnCours::Jpeg; break;
        case Mot::AutreImage: m_image.genre = ImageEnCours::Autre; break;
        case Mot::Picwgoal: m_image.largeurGoal = p; break;
        case Mot::Pichgoal: m_image.hauteurGoal = p; break;
        case Mot::Picscalex: m_image.echelleX = p; break;
        case Mot::Picscaley: m_image.echelleY = p; break;
        default: break;
        }
        break;
    case Destination::TableListes:
    case Destination::TableSubstitutions:
    case Destination::Numerotation: traiterMotListes(mot, p); break;
    case Destination::Texte:
    case Destination::InstructionChamp:
    case Destination::TexteNiveau:
    case Destination::TexteNumerotation: break;
    }
}

} // namespace rtf
