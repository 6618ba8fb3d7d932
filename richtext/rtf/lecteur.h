#pragma once

#include "codepages.h"
#include "jetons.h"
#include "unites.h"

#include <QHash>
#include <QList>
#include <QRgb>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextOption>

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class QTextDocument;

namespace rtf {

// Lengths are kept within 22 inches (the widest page RTF knows), in twips.
constexpr qint64 kTwipsMax = 31680;

struct Police {
    QString nom;
    int pageCode = -1;                                   // -1: the document's code page
    const std::array<char16_t, 256>* symboles = nullptr; // a symbol font's characters
};
using TablePolices = QHash<int, Police>;
using TableCouleurs = QList<std::optional<QRgb>>; // nullopt: automatic colour

// Character properties as RTF states them (fonts and colours by number).
struct ProprietesCaractere {
    int police = -1; // -1: the default font (\deff)
    int demiPoints = 24;
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    bool barre = false;
    bool cache = false;
    int couleur = 0;
    int fond = 0;
    QTextCharFormat::VerticalAlignment position = QTextCharFormat::AlignNormal;
    bool operator==(const ProprietesCaractere&) const = default;
};

// Paragraph properties; lengths in twips.
struct ProprietesParagraphe {
    int alignement = 0; // 0 left, 1 right, 2 centre, 3 justified
    int gauche = 0;
    int droite = 0;
    int premiereLigne = 0;
    int avant = 0;
    int apres = 0;
    int interligne = 0;
    bool interligneMultiple = false;
    bool sautDePageAvant = false;
    QList<QTextOption::Tab> tabulations; // positions in twips
    QTextOption::TabType typeTabulationSuivante = QTextOption::LeftTab;
    int liste = 0;         // \lsN: the list the paragraph belongs to, 0 none
    int niveau = 0;        // \ilvlN: its level in that list
    int numerotation = -1; // the \pn numbering it carries (index), -1 none
    bool operator==(const ProprietesParagraphe&) const = default;
};

// How one level of a list writes its number.
struct NiveauListe {
    int format = 0;  // \levelnfc: 0 1, 1 I, 2 i, 3 A, 4 a, 22 01, 23 a bullet, 255 no number
    int debut = 1;   // \levelstartat
    QString modele;  // what \leveltext holds: characters 0 to 8 stand for those levels' numbers
    int police = -1; // the font of that text (a symbol font's shapes)
    int suite = 0;   // \levelfollow: 0 a tab, 1 a space, 2 nothing
    bool operator==(const NiveauListe&) const = default;
};

// Character format once fonts and colours are looked up in their tables.
struct CleFormat {
    QString famille;
    int demiPoints = 24;
    unsigned drapeaux = 0;
    std::optional<QRgb> couleur;
    std::optional<QRgb> fond;
    bool operator==(const CleFormat&) const = default;
};
size_t qHash(const CleFormat& cle, size_t graine = 0);

enum class Destination {
    Texte,
    TablePolices,
    TableCouleurs,
    Image,
    InstructionChamp,
    TableListes,
    TexteNiveau,
    TableSubstitutions,
    Numerotation,
    TexteNumerotation
};

// Everything that a group saves at `{` and gets back at `}`.
struct Etat {
    ProprietesCaractere car;
    ProprietesParagraphe par;
    Destination destination = Destination::Texte;
    std::shared_ptr<TablePolices> polices;
    std::shared_ptr<TableCouleurs> couleurs;
    int policeDefaut = 0;
    int pageCode = 1252;
    int uc = 1;
    bool etoile = false; // the group began with \*
    bool forme = false;  // inside a shape's text: paragraphs are lines of its anchor's
    bool champ = false;  // inside a field
};

struct ImageEnCours {
    enum Genre { Aucun, Png, Jpeg, Autre } genre = Aucun;
    QByteArray donnees;
    int demiOctet = -1;
    bool invalide = false;
    qint64 largeurGoal = 0, hauteurGoal = 0;
    qint64 echelleX = 100, echelleY = 100;
};

class LecteurRtf {
public:
    LecteurRtf(QStringView texte, QTextDocument& document);
    void lire();
    enum class Mot;

private:
    void traiterMot(const Jeton& j);
    void traiterMotTable(Mot mot, const Jeton& j);
    void traiterSymbole(char16_t s);
    void traiterTexte(QStringView texte);
    void traiterTexteTablePolices(QStringView texte);
    void validerPolice();
    void traiterTexteTableCouleurs(QStringView texte);
    void traiterTexteImage(QStringView texte);
    void ajouterOctetImage(int octet);
    void ouvrirGroupe();
    void fermerGroupe();
    void commencerTablePolices();
    void commencerTableCouleurs();
    void commencerImage();
    void terminerImage();
    void ignorerGroupe();
    void lireInstructionChamp();
    void terminerChamp();
    void traiterMotListes(Mot mot, qint64 p);
    void traiterTexteListes(QStringView texte);
    void terminerTexteNiveau();
    void terminerNumerotation(Etat& parent);
    void numeroterParagraphe();
    QString numeroDuParagraphe();
    QString texteNumero(const NiveauListe& niveau, const std::array<int, 9>& compteurs,
                        const QList<NiveauListe>& niveaux) const;
    void insererNumeroPage();

    void ajouterCaractere(char32_t c);
    void ajouterUnicode(qint64 valeur);
    void viderOctets();
    bool preparerTexte();
    void viderTexte();
    void finParagraphe();
    bool paragrapheVide() const;
    void appliquerFormatBloc();
    const QTextCharFormat& formatCaractere();
    const QTextBlockFormat& formatBloc();
    DecodeurPageCode& decodeurCourant();
    int pageCodePolice(int numero) const;
    const std::array<char16_t, 256>* symbolesCourants() const;

    AnalyseurJetons m_jetons;
    QTextDocument& m_document;
    QTextCursor m_curseur;
    Unites m_unites;

    Etat m_etat;
    std::vector<Etat> m_pile;
    qint64 m_groupesDebordants = 0; // groups opened beyond the depth limit
    qint64 m_groupesIgnores = 0;    // depth inside a skipped destination
    qint64 m_aSauter = 0;           // characters left to skip after \u

    QString m_texte;              // text waiting for insertion
    QByteArray m_octets;          // \'hh bytes waiting for decoding
    char16_t m_substitutHaut = 0; // first half of a surrogate pair from \u
    int m_cellulesFermees = 0;    // cells ended since the last text: one tab each
    bool m_sautDePage = false;    // the current block follows a \page
    bool m_blocTermine = false;   // the current block got its format when the document closed

    Police m_policeEnCours; // entry being read in \fonttbl
    int m_numeroPoliceEnCours = 0;
    bool m_policeCommencee = false;
    std::size_t m_profondeurPolice = 0;
    int m_rouge = -1, m_vert = -1, m_bleu = -1;
    ImageEnCours m_image;
    QString m_instructionChamp;      // what \fldinst holds
    char16_t m_symboleChamp = 0;     // the character a SYMBOL field stands for
    qint64 m_debutResultatChamp = 0; // where the field's result starts in the text
    bool m_fini = false;             // the document's group is closed: what follows is not read

    // Lists: \listtable by \listid, \listoverridetable from \ls to \listid,
    // the \pn numberings met, and the counters.
    QHash<int, QList<NiveauListe>> m_listes;
    QHash<int, int> m_substitutions;
    QList<NiveauListe> m_listeEnCours;
    int m_idListe = 0; // \listid of the override being read
    QString m_texteNiveau;
    QList<NiveauListe> m_numerotations;
    NiveauListe m_pnEnCours;
    QString m_pnAvant, m_pnApres;
    bool m_pnTexteApres = false;
    QHash<int, std::array<int, 9>> m_compteurs; // by \ls; 0: not started
    int m_compteurPn = 0;
    std::optional<NiveauListe> m_dernierPn; // the numbering of the paragraph before, when it had one
    bool m_pnCeParagraphe = false;
    bool m_numeroLu = false;   // the paragraph has its number: written by the file or made here
    bool m_repliDonne = false; // the file writes numbers out: none is made here

    bool m_formatValide = false;
    QTextCharFormat m_format;
    struct FormatConnu {
        QTextCharFormat format;
        int id;
    };
    QHash<CleFormat, FormatConnu> m_formats;
    int m_idFormat = -1;           // id of m_format in m_formats
    QTextCharFormat m_formatTexte; // format of m_texte
    int m_idFormatTexte = -1;
    QTextBlockFormat m_formatBlocCourant; // what the current block has
    ProprietesParagraphe m_dernierParagraphe;
    bool m_dernierSaut = false;
    QTextBlockFormat m_dernierFormatBloc;
    std::unordered_map<int, std::unique_ptr<DecodeurPageCode>> m_decodeurs;
};

} // namespace rtf
