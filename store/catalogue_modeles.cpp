#include "store/catalogue_modeles.h"

#include "store/requetes.h"

namespace {

// Every label of one column of a query, in query order.
QStringList libelles(const QString& requete, const QString& colonne)
{
    QStringList resultat;
    Recordset rs;
    rs.open(requete);
    for (; !rs.eof(); rs.moveNext())
        resultat << rs.text(colonne);
    rs.close();
    return resultat;
}

// The id column of the first row, or kAucunEnregistrement when there is none.
RecordId premierNumero(const QString& requete, const QString& colonne)
{
    Recordset rs;
    rs.open(requete);
    const RecordId id = rs.eof() ? kAucunEnregistrement : rs.value(colonne).toLongLong();
    rs.close();
    return id;
}

} // namespace

QStringList libellesCategories()
{
    return libelles(requetes::listeCategories(), QStringLiteral("Libelle_Cat_Modele"));
}

RecordId numeroCategorie(const QString& libelle)
{
    if (libelle.isEmpty())
        return kAucunEnregistrement;
    return premierNumero(requetes::categorieParLibelle(libelle), QStringLiteral("Numero_Cat_Modele"));
}

QStringList libellesSousCategories(RecordId idCategorie)
{
    return libelles(requetes::sousCategories(idCategorie), QStringLiteral("Libelle_Sous_Cat_Modele"));
}

RecordId numeroSousCategorie(RecordId idCategorie, const QString& libelle)
{
    if (libelle.isEmpty() || idCategorie == kAucunEnregistrement)
        return kAucunEnregistrement;
    return premierNumero(requetes::sousCategorieParLibelle(idCategorie, libelle),
                         QStringLiteral("Numero_Sous_Cat_Modele"));
}

QList<LigneModele> modelesDeSousCategorie(RecordId idSousCategorie)
{
    QList<LigneModele> lignes;
    Recordset rs;
    rs.open(requetes::modelesDeSousCategorie(idSousCategorie));
    for (; !rs.eof(); rs.moveNext())
        lignes.append({rs.text(QStringLiteral("Numero_Modele")), rs.text(QStringLiteral("Libelle_Modele")),
                       rs.text(QStringLiteral("Lien_Modele")), rs.text(QStringLiteral("Lien_Fiche_Modele"))});
    rs.close();
    return lignes;
}

QString creerModele(RecordId idSousCategorie, const QString& libelle, const QString& corps)
{
    Recordset rs;
    rs.open(requetes::tousModeles());
    rs.addNew();
    rs.setValue(QStringLiteral("Libelle_Modele"), libelle);
    rs.setValue(QStringLiteral("Numero_Sous_Cat_Modele"), idSousCategorie);
    rs.setValue(QStringLiteral("Corps_Modele"), corps.isNull() ? QStringLiteral("") : corps);
    rs.setValue(QStringLiteral("Lien_Modele"), QStringLiteral(""));
    rs.setValue(QStringLiteral("Lien_Fiche_Modele"), QStringLiteral(""));
    rs.update();
    const QString id = rs.text(QStringLiteral("Numero_Modele"));
    rs.close();
    return id;
}

void effacerModele(const QString& idTexte)
{
    Recordset rs;
    rs.open(requetes::modele(idTexte));
    rs.deleteCurrent();
    rs.close();
}
