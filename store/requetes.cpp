#include "store/requetes.h"

namespace requetes {

namespace {

QString entre(QChar guillemet, QString libelle)
{
    libelle.replace(guillemet, QString(2, guillemet));
    return guillemet + libelle + guillemet;
}

} // namespace

QString listeExpediteurs()
{
    return QStringLiteral("SELECT * From Expediteur Order by Nom_Expediteur");
}

QString expediteur(RecordId id)
{
    return QStringLiteral("SELECT * From Expediteur Where Numero_Expediteur = ") + QString::number(id);
}

QString tousExpediteurs()
{
    return QStringLiteral("SELECT * From Expediteur");
}

QString listeDestinataires()
{
    return QStringLiteral("SELECT * From Destinataire Order by Nom_Destinataire, Prenom_Destinataire");
}

QString destinataire(RecordId id)
{
    return destinataire(QString::number(id));
}

QString destinataire(const QString& idTexte)
{
    return QStringLiteral("SELECT * From Destinataire Where Numero_Destinataire = ") + idTexte;
}

QString tousDestinataires()
{
    return QStringLiteral("SELECT * From Destinataire");
}

QString listeCategories()
{
    return QStringLiteral("SELECT * From Categorie_Modele Order By Libelle_Cat_Modele");
}

QString categorieParLibelle(const QString& libelle)
{
    return QStringLiteral("SELECT * From Categorie_Modele Where Libelle_Cat_Modele = ")
        + entre(QLatin1Char('\''), libelle);
}

QString sousCategories(RecordId idCategorie)
{
    return QStringLiteral("SELECT * From Sous_Categorie_Modele Where Numero_Cat_Modele = ")
        + QString::number(idCategorie) + QStringLiteral(" Order By Libelle_Sous_Cat_Modele");
}

QString sousCategorieParLibelle(RecordId idCategorie, const QString& libelle)
{
    return QStringLiteral("SELECT * From Sous_Categorie_Modele Where Numero_Cat_Modele = ")
        + QString::number(idCategorie) + QStringLiteral(" AND Libelle_Sous_Cat_Modele = ")
        + entre(QLatin1Char('"'), libelle);
}

QString modelesDeSousCategorie(RecordId idSousCategorie)
{
    return QStringLiteral("SELECT * From Modele Where Numero_Sous_Cat_Modele = ") + QString::number(idSousCategorie)
        + QStringLiteral(" Order By Libelle_Modele");
}

QString modele(RecordId id)
{
    return modele(QString::number(id));
}

QString modele(const QString& idTexte)
{
    return QStringLiteral("SELECT * From Modele Where Numero_Modele = ") + idTexte;
}

QString tousModeles()
{
    return QStringLiteral("SELECT * From Modele");
}

} // namespace requetes
