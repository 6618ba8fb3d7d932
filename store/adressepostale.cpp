#include "store/adressepostale.h"

#include <QRegularExpression>

#include <utility>

namespace {

struct Ligne {
    QString libelle;
    QString texte;
};

QString derniereLigne(const AdressePostale& a)
{
    return (a.codePostal.trimmed() + QLatin1Char(' ') + a.ville.trimmed()).trimmed();
}

QList<Ligne> lignes(const AdressePostale& a)
{
    return {{QStringLiteral("Ligne nom"), a.nom.trimmed()},
            {QStringLiteral("Ligne fonction"), a.fonction.trimmed()},
            {QStringLiteral("Ligne adresse 1"), a.adresse1.trimmed()},
            {QStringLiteral("Ligne adresse 2"), a.adresse2.trimmed()},
            {QStringLiteral("Ligne code postal et ville"), derniereLigne(a)}};
}

QString sansAccents(const QString& texte)
{
    QString resultat;
    for (const QChar c : texte.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            resultat += c;
    }
    return resultat;
}

QString sansPonctuation(const QString& texte)
{
    QString resultat;
    for (const QChar c : texte)
        resultat += c.isPunct() || c.isSymbol() ? QLatin1Char(' ') : c;
    return resultat.simplified();
}

// The abbreviations of the standard's list for the words of a street line.
const QList<std::pair<QString, QString>>& abreviations()
{
    static const QList<std::pair<QString, QString>> liste{
        {QStringLiteral("BOULEVARD"), QStringLiteral("BD")},    {QStringLiteral("AVENUE"), QStringLiteral("AV")},
        {QStringLiteral("CHEMIN"), QStringLiteral("CHE")},      {QStringLiteral("ROUTE"), QStringLiteral("RTE")},
        {QStringLiteral("IMPASSE"), QStringLiteral("IMP")},     {QStringLiteral("PLACE"), QStringLiteral("PL")},
        {QStringLiteral("ALLÉE"), QStringLiteral("ALL")},       {QStringLiteral("ALLEE"), QStringLiteral("ALL")},
        {QStringLiteral("RÉSIDENCE"), QStringLiteral("RES")},   {QStringLiteral("RESIDENCE"), QStringLiteral("RES")},
        {QStringLiteral("FAUBOURG"), QStringLiteral("FG")},     {QStringLiteral("SQUARE"), QStringLiteral("SQ")},
        {QStringLiteral("LOTISSEMENT"), QStringLiteral("LOT")}, {QStringLiteral("QUARTIER"), QStringLiteral("QUA")},
        {QStringLiteral("BÂTIMENT"), QStringLiteral("BAT")},    {QStringLiteral("BATIMENT"), QStringLiteral("BAT")},
        {QStringLiteral("APPARTEMENT"), QStringLiteral("APP")}, {QStringLiteral("ESCALIER"), QStringLiteral("ESC")},
        {QStringLiteral("SAINT"), QStringLiteral("ST")},        {QStringLiteral("SAINTE"), QStringLiteral("STE")},
        {QStringLiteral("PROMENADE"), QStringLiteral("PROM")},  {QStringLiteral("CARREFOUR"), QStringLiteral("CAR")},
    };
    return liste;
}

QString abregee(const QString& ligne)
{
    if (ligne.trimmed().size() <= kCaracteresParLigneMax)
        return ligne;
    QString resultat = ligne;
    for (const auto& [mot, abreviation] : abreviations()) {
        const QRegularExpression entier(QStringLiteral("\\b%1\\b").arg(mot),
                                        QRegularExpression::CaseInsensitiveOption
                                            | QRegularExpression::UseUnicodePropertiesOption);
        resultat.replace(entier, abreviation);
    }
    return resultat;
}

} // namespace

QStringList problemesPostaux(const AdressePostale& adresse)
{
    QStringList problemes;
    int nombre = 0;
    for (const Ligne& l : lignes(adresse)) {
        for (const QString& morceau : l.texte.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            ++nombre;
            const qsizetype longueur = morceau.trimmed().size();
            if (longueur > kCaracteresParLigneMax)
                problemes << QStringLiteral("%1 : %2 caractères, %3 au plus")
                                 .arg(l.libelle)
                                 .arg(longueur)
                                 .arg(kCaracteresParLigneMax);
        }
    }
    if (nombre > kLignesPostalesMax)
        problemes << QStringLiteral("%1 lignes, %2 au plus").arg(nombre).arg(kLignesPostalesMax);
    static const QRegularExpression cinqChiffres(QStringLiteral("^[0-9]{5}$"));
    if (!cinqChiffres.match(adresse.codePostal.trimmed()).hasMatch())
        problemes << QStringLiteral("Code postal : 5 chiffres attendus");
    const QString derniere = derniereLigne(adresse);
    if (sansPonctuation(derniere) != derniere.simplified())
        problemes << QStringLiteral("Ligne code postal et ville : pas de ponctuation");
    return problemes;
}

AdressePostale miseEnFormePostale(const AdressePostale& adresse)
{
    AdressePostale resultat = adresse;
    resultat.ville = sansPonctuation(sansAccents(adresse.ville)).toUpper();
    resultat.codePostal = adresse.codePostal.trimmed();
    resultat.adresse1 = abregee(adresse.adresse1);
    resultat.adresse2 = abregee(adresse.adresse2);
    return resultat;
}
