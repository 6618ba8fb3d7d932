#include "output/composition.h"

namespace {

// Line breaks that composition puts between values.
const QString kSautExp = QStringLiteral(" \\par ");
const QString kSautDest = QStringLiteral(" \\par \\tab \\tab \\tab \\tab \\tab \\tab \\tab ");
const QString kSautTelephone = QStringLiteral(" \\par T\u00e9l\u00e9phone : ");

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

QString remplirExpediteur(QString t, const SaisieLettre& s)
{
    t = RemplacerRepere(t, QStringLiteral("<TitreExp>"), EchapperRtf(s.titreExp));
    t = RemplacerRepere(t, QStringLiteral("<NomExp>"), EchapperRtf(s.nomExp));
    t = RemplacerRepere(t, QStringLiteral("<PrenomExp>"), avecSuite(s.prenomExp, kSautExp, s.fonctionExp));
    t = RemplacerRepere(t, QStringLiteral("<Adr1Exp>"), avecSuite(s.adresse1Exp, kSautExp, s.adresse2Exp));
    t = RemplacerRepere(t, QStringLiteral("<CPExp>"), EchapperRtf(s.cpExp));
    t = RemplacerRepere(t, QStringLiteral("<VilleExp>"), EchapperRtf(s.villeExp));
    QString telephone;
    if (!s.tel1Exp.isEmpty()) {
        telephone = QStringLiteral("T\u00e9l\u00e9phone : ") + EchapperRtf(s.tel1Exp);
        if (!s.tel2Exp.isEmpty())
            telephone += kSautTelephone + EchapperRtf(s.tel2Exp);
    }
    return RemplacerRepere(t, QStringLiteral("<Tel1>"), telephone);
}

// Every recipient placeholder but the title, which comes at another step.
QString remplirDestinataireSansTitre(QString t, const ValeursDestinataire& d)
{
    t = RemplacerRepere(t, QStringLiteral("<PrenomDest>"), avecSuite(d.prenom, kSautDest, d.fonction));
    t = RemplacerRepere(t, QStringLiteral("<NomDest>"), EchapperRtf(d.nom));
    t = RemplacerRepere(t, QStringLiteral("<Adr1Dest>"), avecSuite(d.adresse1, kSautDest, d.adresse2));
    t = RemplacerRepere(t, QStringLiteral("<CPDest>"), EchapperRtf(d.cp));
    return RemplacerRepere(t, QStringLiteral("<VilleDest>"), EchapperRtf(d.ville));
}

QString remplirRenseignements(QString t, const SaisieLettre& s)
{
    t = RemplacerRepere(t, QStringLiteral("<DateLettre>"), siRenseigne(QStringLiteral("Le "), s.dateLettre));
    t = RemplacerRepere(t, QStringLiteral("<LieuLettre>"), siRenseigne(QStringLiteral("À "), s.villeLettre));
    t = RemplacerRepere(t, QStringLiteral("<ObjetLettre>"), siRenseigne(QStringLiteral("Objet : "), s.objetLettre));
    return RemplacerRepere(t, QStringLiteral("<Piecejointes>"),
                           siRenseigne(QStringLiteral("Pi\u00e8ce(s) jointe(s) : "), s.pieceLettre));
}

// Body, closing formula and signature, in that order.
QString remplirCorpsEtFin(QString t, const SaisieLettre& s, const QString& corps)
{
    t = RemplacerRepere(t, QStringLiteral("<CorpsLettre>"), corps);
    t = RemplacerRepere(t, QStringLiteral("<PolitesseLettre>"), EchapperRtf(s.formuleLettre));
    return RemplacerRepere(t, QStringLiteral("<SignatureLettre>"),
                           EchapperRtf(s.prenomExp) + QLatin1Char(' ') + EchapperRtf(s.nomExp));
}

ValeursDestinataire destinataireDe(const SaisieLettre& s)
{
    return {s.titreDest, s.nomDest, s.prenomDest, s.adresse1Dest, s.adresse2Dest, s.cpDest, s.villeDest, s.fonctionDest};
}

} // namespace

const QString& ModeleLettre()
{
    static const QString modele = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"
        "\\viewkind4\\uc1\\pard\\fs20<TitreExp> <NomExp> <PrenomExp> \\par <Adr1Exp> \\par "
        "<CPExp> <VilleExp> \\par <Tel1> \\par \\par \\par "
        "\\tab \\tab \\tab \\tab \\tab \\tab \\tab <TitreDest> <NomDest> <PrenomDest> \\par "
        "\\tab \\tab \\tab \\tab \\tab \\tab \\tab <Adr1Dest> \\par "
        "\\tab \\tab \\tab \\tab \\tab \\tab \\tab <CPDest> <VilleDest> \\par \\par "
        "\\tab \\tab \\tab \\tab \\tab \\tab \\tab <DateLettre> \\par "
        "\\tab \\tab \\tab \\tab \\tab \\tab \\tab <LieuLettre> \\par \\par \\par \\par "
        "<ObjetLettre> \\par <Piecejointes> \\par \\par \\par <TitreDest>, \\par \\par "
        "<CorpsLettre> \\par \\par <PolitesseLettre> \\par \\par \\par \\par "
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

QString RemplacerRepere(const QString& texte, const QString& repere, const QString& valeur)
{
    if (repere.isEmpty())
        return texte;
    QString resultat;
    qsizetype debut = 0;
    qsizetype trouve = texte.indexOf(repere, debut, Qt::CaseSensitive);
    if (trouve < 0)
        return texte;
    while (trouve >= 0) {
        resultat += QStringView(texte).mid(debut, trouve - debut);
        resultat += valeur;
        debut = trouve + repere.size();
        trouve = texte.indexOf(repere, debut, Qt::CaseSensitive);
    }
    resultat += QStringView(texte).mid(debut);
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
            i += 2;   // a control symbol: \\, \{, \}, \' ...
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
    QString t = remplirExpediteur(ModeleLettre(), saisie);
    t = remplirDestinataireSansTitre(t, destinataireDe(saisie));
    t = remplirRenseignements(t, saisie);
    t = remplirCorpsEtFin(t, saisie, corps);
    t = RemplacerRepere(t, QStringLiteral("<TitreDest>"), EchapperRtf(saisie.titreDest));
    return PasserEnOnzePoints(t);
}

QString TexteLettreEnNombre(const SaisieLettre& saisie, const QString& corps)
{
    QString t = remplirExpediteur(ModeleLettre(), saisie);
    t = remplirRenseignements(t, saisie);
    t = remplirCorpsEtFin(t, saisie, corps);
    return PasserEnOnzePoints(t);
}

QString TextePersonnalise(const QString& lettre, const ValeursDestinataire& dest)
{
    const QString t = remplirDestinataireSansTitre(lettre, dest);
    return RemplacerRepere(t, QStringLiteral("<TitreDest>"), EchapperRtf(dest.titre));
}
