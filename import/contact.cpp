#include "import/contact.h"

#include <QHash>

QString& valeurChamp(Contact& contact, Champ champ)
{
    return const_cast<QString&>(valeurChamp(static_cast<const Contact&>(contact), champ));
}

const QString& valeurChamp(const Contact& c, Champ champ)
{
    static const QString vide;
    switch (champ) {
    case Champ::Titre: return c.titre;
    case Champ::Nom: return c.nom;
    case Champ::Prenom: return c.prenom;
    case Champ::Adresse1: return c.adresse1;
    case Champ::Adresse2: return c.adresse2;
    case Champ::Cp: return c.cp;
    case Champ::Ville: return c.ville;
    case Champ::Fonction: return c.fonction;
    case Champ::Mail: return c.mail;
    case Champ::Tel1: return c.tel1;
    case Champ::Tel2: return c.tel2;
    case Champ::Aucun: break;
    }
    return vide;
}

QString libelleChamp(Champ champ)
{
    switch (champ) {
    case Champ::Titre: return QStringLiteral("Civilité");
    case Champ::Nom: return QStringLiteral("Nom");
    case Champ::Prenom: return QStringLiteral("Prénom");
    case Champ::Adresse1: return QStringLiteral("Adresse 1");
    case Champ::Adresse2: return QStringLiteral("Adresse 2");
    case Champ::Cp: return QStringLiteral("Code postal");
    case Champ::Ville: return QStringLiteral("Ville");
    case Champ::Fonction: return QStringLiteral("Fonction");
    case Champ::Mail: return QStringLiteral("E-mail");
    case Champ::Tel1: return QStringLiteral("Téléphone 1");
    case Champ::Tel2: return QStringLiteral("Téléphone 2");
    case Champ::Aucun: break;
    }
    return QStringLiteral("(ignorée)");
}

QString cleSimplifiee(const QString& texte)
{
    const QString decompose = texte.normalized(QString::NormalizationForm_KD);
    QString cle;
    cle.reserve(decompose.size());
    for (const QChar c : decompose) {
        if (c.isLetterOrNumber())
            cle += c.toLower();
    }
    return cle;
}

QString titreReconnu(const QString& titre)
{
    static const QHash<QString, QString> kTitres{
        {QStringLiteral("m"), QStringLiteral("Monsieur")},
        {QStringLiteral("mr"), QStringLiteral("Monsieur")},
        {QStringLiteral("monsieur"), QStringLiteral("Monsieur")},
        {QStringLiteral("mister"), QStringLiteral("Monsieur")},
        {QStringLiteral("mme"), QStringLiteral("Madame")},
        {QStringLiteral("madame"), QStringLiteral("Madame")},
        {QStringLiteral("mrs"), QStringLiteral("Madame")},
        {QStringLiteral("ms"), QStringLiteral("Madame")},
        {QStringLiteral("mlle"), QStringLiteral("Mademoiselle")},
        {QStringLiteral("mademoiselle"), QStringLiteral("Mademoiselle")},
        {QStringLiteral("miss"), QStringLiteral("Mademoiselle")},
        {QStringLiteral("madamemonsieur"), QStringLiteral("Madame, Monsieur")},
    };
    const QString propre = titre.trimmed();
    return kTitres.value(cleSimplifiee(propre), propre);
}

void separerNomComplet(const QString& nomComplet, Contact& contact)
{
    const QString propre = nomComplet.simplified();
    const qsizetype espace = propre.lastIndexOf(QLatin1Char(' '));
    contact.nom = espace < 0 ? propre : propre.mid(espace + 1);
    contact.prenom = espace < 0 ? QString() : propre.left(espace);
}
