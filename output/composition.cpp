#include "output/composition.h"

namespace {

// Line breaks that composition puts between values.
const QString kSautExp = QStringLiteral(" \\par ");
const QString kSautDest = QStringLiteral(" \\par \\tab \\tab \\tab \\tab \\tab \\tab \\tab ");
const QString kSautTelephone = QStringLiteral(" \\par Téléphone : ");
// How a letter addresses a reader whose title is not known.
const QString kMadameMonsieur = QStringLiteral("Madame, Monsieur");

// The date and place stand below the window of a DL window envelope (9.5 cm
// from the top of the sheet): with the letter's top margin and 11-point
// lines, no higher than this line of the page, counted from 0.
constexpr int kLigneDeLaDate = 16;
// Lines of a recipient block without function or second address line:
// name, address, postcode and town. A mass letter counts on that many.
constexpr int kLignesDestinataireMinimum = 3;

bool lettreAscii(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool chiffreAscii(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// `valeur`, followed by `saut` and `suite` when `suite` is not empty.
QString avecSuite(const QString& valeur, const QString& saut, const QString& suite)
{
    if (suite.isEmpty())
        return EchapperRtf(valeur);
    return EchapperRtf(valeur) + saut + EchapperRtf(suite);
}

// `etiquette` + value, or nothing at all for an empty value.
QString siRenseigne(const QString& etiquette, const QString& valeur)
{
    return valeur.isEmpty() ? QString() : etiquette + EchapperRtf(valeur);
}

int lignesExpediteur(const SaisieLettre& s)
{
    const int telephones = !s.tel1Exp.isEmpty() && !s.tel2Exp.isEmpty() ? 2 : 1;
    return 3 + int(!s.fonctionExp.isEmpty()) + int(!s.adresse2Exp.isEmpty()) + telephones;
}

// Blank lines added under the recipient block so that the date comes below
// the envelope window: sender lines, two blank lines, the block, one blank
// line, then the date.
QString blancAvantDate(int lignesExp, int lignesDest)
{
    const int manquantes = kLigneDeLaDate - (lignesExp + 2 + lignesDest + 1);
    return manquantes > 0 ? QStringLiteral("\\par ").repeated(manquantes) : QString();
}

void ajouterExpediteur(Reperes& r, const SaisieLettre& s)
{
    r.insert(QStringLiteral("<TitreExp>"), {EchapperRtf(s.titreExp), {}});
    r.insert(QStringLiteral("<NomExp>"), {EchapperRtf(s.nomExp), {}});
    r.insert(QStringLiteral("<PrenomExp>"), {avecSuite(s.prenomExp, kSautExp, s.fonctionExp), {}});
    r.insert(QStringLiteral("<Adr1Exp>"), {avecSuite(s.adresse1Exp, kSautExp, s.adresse2Exp), {}});
    r.insert(QStringLiteral("<CPExp>"), {EchapperRtf(s.cpExp), {}});
    r.insert(QStringLiteral("<VilleExp>"), {EchapperRtf(s.villeExp), {}});
    QString telephone;
    if (!s.tel1Exp.isEmpty()) {
        telephone = QStringLiteral("Téléphone : ") + EchapperRtf(s.tel1Exp);
        if (!s.tel2Exp.isEmpty())
            telephone += kSautTelephone + EchapperRtf(s.tel2Exp);
    }
    r.insert(QStringLiteral("<Tel1>"), {telephone, {}});
}

void ajouterRenseignements(Reperes& r, const SaisieLettre& s)
{
    r.insert(QStringLiteral("<DateLettre>"), {siRenseigne(QStringLiteral("Le "), s.dateLettre), {}});
    r.insert(QStringLiteral("<LieuLettre>"), {siRenseigne(QStringLiteral("À "), s.villeLettre), {}});
    r.insert(QStringLiteral("<ObjetLettre>"), {siRenseigne(QStringLiteral("Objet : "), s.objetLettre), {}});
    r.insert(QStringLiteral("<Piecejointes>"),
             {siRenseigne(QStringLiteral("Pièce(s) jointe(s) : "), s.pieceLettre), {}});
}

Reperes reperesDestinataire(const FicheDestinataire& d)
{
    return {
        {QStringLiteral("<TitreDest>"), {EchapperRtf(d.titre), kMadameMonsieur}},
        {QStringLiteral("<NomDest>"), {EchapperRtf(d.nom), {}}},
        {QStringLiteral("<PrenomDest>"), {avecSuite(d.prenom, kSautDest, d.fonction), {}}},
        {QStringLiteral("<Adr1Dest>"), {avecSuite(d.adresse1, kSautDest, d.adresse2), {}}},
        {QStringLiteral("<CPDest>"), {EchapperRtf(d.cp), {}}},
        {QStringLiteral("<VilleDest>"), {EchapperRtf(d.ville), {}}},
    };
}

// The closing formula and the body, themselves filled with the signature,
// the formula and every value already known: the sender and the letter's
// particulars, and the recipient in an individual letter (a mass letter's
// recipient comes with each personalised copy). A model's body may hold any
// field the editor's menu inserts.
void ajouterCorpsEtFin(Reperes& r, const SaisieLettre& s, const QString& corps)
{
    Reperes fin = r;
    fin.insert(QStringLiteral("<SignatureLettre>"),
               {EchapperRtf(s.prenomExp) + QLatin1Char(' ') + EchapperRtf(s.nomExp), {}});
    const QString formule = RemplirReperes(EchapperRtf(s.formuleLettre), fin);
    fin.insert(QStringLiteral("<PolitesseLettre>"), {formule, {}});
    r.insert(QStringLiteral("<CorpsLettre>"), {RemplirReperes(corps, fin), {}});
    r.insert(QStringLiteral("<PolitesseLettre>"), {formule, {}});
    r.insert(QStringLiteral("<SignatureLettre>"), fin.value(QStringLiteral("<SignatureLettre>")));
}

} // namespace

FicheDestinataire destinataireDe(const SaisieLettre& s)
{
    return {s.titreDest, s.nomDest,   s.prenomDest,   s.adresse1Dest, s.adresse2Dest,
            s.cpDest,    s.villeDest, s.fonctionDest, QString()};
}

void remplirExpediteur(SaisieLettre& s, const FicheExpediteur& e)
{
    s.titreExp = e.titre;
    s.nomExp = e.nom;
    s.prenomExp = e.prenom;
    s.adresse1Exp = e.adresse1;
    s.adresse2Exp = e.adresse2;
    s.cpExp = e.cp;
    s.villeExp = e.ville;
    s.tel1Exp = e.tel1;
    s.tel2Exp = e.tel2;
    s.fonctionExp = e.fonction;
}

void remplirDestinataire(SaisieLettre& s, const FicheDestinataire& d)
{
    s.titreDest = d.titre;
    s.nomDest = d.nom;
    s.prenomDest = d.prenom;
    s.adresse1Dest = d.adresse1;
    s.adresse2Dest = d.adresse2;
    s.cpDest = d.cp;
    s.villeDest = d.ville;
    s.fonctionDest = d.fonction;
}

const QString& ModeleLettre()
{
    // The recipient block, the date, the place and the signature hang from
    // the block's edge (seven tabs, 5040 twips): a line too long for the
    // space right of the tabs goes on under the block, not at the margin.
    // The tab stops are written out because word processors count the
    // default ones from the indent, not from the margin.
    static const QString modele = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"
        "\\viewkind4\\uc1\\pard\\fs20<TitreExp> <NomExp> <PrenomExp> \\par <Adr1Exp> \\par "
        "<CPExp> <VilleExp> \\par <Tel1> \\par \\par \\par "
        "\\pard\\li5040\\fi-5040\\tx720\\tx1440\\tx2160\\tx2880\\tx3600\\tx4320\\tx5040 "
        "\\tab \\tab \\tab \\tab \\tab \\tab \\tab <TitreDest> <NomDest> <PrenomDest> \\par "
        "\\tab \\tab \\tab \\tab \\tab \\tab \\tab <Adr1Dest> \\par "
        "\\tab \\tab \\tab \\tab \\tab \\tab \\tab <CPDest> <VilleDest> \\par \\par <BlancAvantDate>"
        "\\tab \\tab \\tab \\tab \\tab \\tab \\tab <DateLettre> \\par "
        "\\tab \\tab \\tab \\tab \\tab \\tab \\tab <LieuLettre> \\par \\pard \\par \\par \\par "
        "<ObjetLettre> \\par <Piecejointes> \\par \\par \\par <TitreDest>, \\par \\par "
        "<CorpsLettre> \\par \\par <PolitesseLettre> \\par \\par \\par \\par "
        "\\pard\\li5040\\fi-5040\\tx720\\tx1440\\tx2160\\tx2880\\tx3600\\tx4320\\tx5040 "
        "\\tab \\tab \\tab \\tab \\tab \\tab \\tab <SignatureLettre>}");
    return modele;
}

QString EchapperRtf(const QString& valeur)
{
    QString resultat;
    resultat.reserve(valeur.size());
    for (const QChar c : valeur) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
            resultat += QLatin1Char('\\');
        resultat += c;
    }
    return resultat;
}

QString RemplirReperes(const QString& texte, const Reperes& reperes)
{
    QString resultat;
    const qsizetype n = texte.size();
    qsizetype copie = 0; // texte[copie..] is not in resultat yet
    qsizetype debut = texte.indexOf(QLatin1Char('<'));
    while (debut >= 0) {
        qsizetype fin = debut + 1;
        while (fin < n && (lettreAscii(texte[fin]) || chiffreAscii(texte[fin])))
            ++fin;
        const auto it = fin < n && texte[fin] == QLatin1Char('>') ? reperes.constFind(texte.mid(debut, fin + 1 - debut))
                                                                  : reperes.constEnd();
        if (it == reperes.constEnd()) {
            debut = texte.indexOf(QLatin1Char('<'), debut + 1);
            continue;
        }
        resultat += QStringView(texte).mid(copie, debut - copie);
        const bool apostrophe = fin + 1 < n && texte[fin + 1] == QLatin1Char(',');
        resultat += it->valeur.isEmpty() && apostrophe ? it->enApostrophe : it->valeur;
        copie = fin + 1;
        debut = texte.indexOf(QLatin1Char('<'), copie);
    }
    if (copie == 0)
        return texte;
    resultat += QStringView(texte).mid(copie);
    return resultat;
}

QString PasserEnOnzePoints(const QString& rtf)
{
    QString resultat = rtf;
    const qsizetype n = rtf.size();
    qsizetype i = 0;
    while (i < n) {
        if (rtf[i] != QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (i + 1 >= n || !lettreAscii(rtf[i + 1])) {
            i += 2; // a control symbol: \\, \{, \}, \' ...
            continue;
        }
        qsizetype fin = i + 1;
        while (fin < n && lettreAscii(rtf[fin]))
            ++fin;
        const QStringView nom = QStringView(rtf).mid(i + 1, fin - i - 1);
        const qsizetype debutParametre = fin;
        if (fin < n && rtf[fin] == QLatin1Char('-'))
            ++fin;
        while (fin < n && chiffreAscii(rtf[fin]))
            ++fin;
        const QStringView parametre = QStringView(rtf).mid(debutParametre, fin - debutParametre);
        if (nom == QLatin1String("fs") && parametre == QLatin1String("20")) {
            resultat[debutParametre + 1] = QLatin1Char('2');
        } else if (nom == QLatin1String("bin") && !parametre.startsWith(QLatin1Char('-'))) {
            // Binary data follows the word and its space: it is not RTF text.
            if (fin < n && rtf[fin] == QLatin1Char(' '))
                ++fin;
            bool ok = false;
            const qlonglong taille = parametre.toLongLong(&ok);
            fin = ok && taille < n - fin ? fin + taille : n;
        }
        i = fin;
    }
    return resultat;
}

QString TexteLettreIndividuelle(const SaisieLettre& saisie, const QString& corps)
{
    const FicheDestinataire dest = destinataireDe(saisie);
    Reperes r = reperesDestinataire(dest);
    ajouterExpediteur(r, saisie);
    ajouterRenseignements(r, saisie);
    ajouterCorpsEtFin(r, saisie, corps);
    const int lignesDest = kLignesDestinataireMinimum + int(!dest.fonction.isEmpty()) + int(!dest.adresse2.isEmpty());
    r.insert(QStringLiteral("<BlancAvantDate>"), {blancAvantDate(lignesExpediteur(saisie), lignesDest), {}});
    return PasserEnOnzePoints(RemplirReperes(ModeleLettre(), r));
}

QString TexteLettreEnNombre(const SaisieLettre& saisie, const QString& corps)
{
    Reperes r;
    ajouterExpediteur(r, saisie);
    ajouterRenseignements(r, saisie);
    ajouterCorpsEtFin(r, saisie, corps);
    r.insert(QStringLiteral("<BlancAvantDate>"),
             {blancAvantDate(lignesExpediteur(saisie), kLignesDestinataireMinimum), {}});
    return PasserEnOnzePoints(RemplirReperes(ModeleLettre(), r));
}

QString TextePersonnalise(const QString& lettre, const FicheDestinataire& dest)
{
    return RemplirReperes(lettre, reperesDestinataire(dest));
}
