#include "platform/recordset.h"
#include "store/requetes.h"
#include "support/basetemporaire.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

QStringList colonne(const QString& requete, const QString& nom)
{
    QStringList valeurs;
    Recordset rs;
    rs.open(requete);
    for (; !rs.eof(); rs.moveNext())
        valeurs << rs.text(nom);
    return valeurs;
}

} // namespace

class TestRequetes : public QObject {
    Q_OBJECT

private slots:
    void textesExacts()
    {
        QCOMPARE(requetes::listeExpediteurs(), QStringLiteral("SELECT * From Expediteur Order by Nom_Expediteur"));
        QCOMPARE(requetes::expediteur(7), QStringLiteral("SELECT * From Expediteur Where Numero_Expediteur = 7"));
        QCOMPARE(requetes::tousExpediteurs(), QStringLiteral("SELECT * From Expediteur"));
        QCOMPARE(requetes::listeDestinataires(), QStringLiteral("SELECT * From Destinataire Order by Nom_Destinataire, Prenom_Destinataire"));
        QCOMPARE(requetes::destinataire(40000), QStringLiteral("SELECT * From Destinataire Where Numero_Destinataire = 40000"));
        QCOMPARE(requetes::tousDestinataires(), QStringLiteral("SELECT * From Destinataire"));
        QCOMPARE(requetes::listeCategories(), QStringLiteral("SELECT * From Categorie_Modele Order By Libelle_Cat_Modele"));
        QCOMPARE(requetes::categorieParLibelle(QStringLiteral("Logement")), QStringLiteral("SELECT * From Categorie_Modele Where Libelle_Cat_Modele = 'Logement'"));
        QCOMPARE(requetes::sousCategories(3), QStringLiteral("SELECT * From Sous_Categorie_Modele Where Numero_Cat_Modele = 3 Order By Libelle_Sous_Cat_Modele"));
        QCOMPARE(requetes::sousCategorieParLibelle(3, QStringLiteral("Préavis")),
                 QStringLiteral("SELECT * From Sous_Categorie_Modele Where Numero_Cat_Modele = 3 AND Libelle_Sous_Cat_Modele = \"Préavis\""));
        QCOMPARE(requetes::modelesDeSousCategorie(12), QStringLiteral("SELECT * From Modele Where Numero_Sous_Cat_Modele = 12 Order By Libelle_Modele"));
        QCOMPARE(requetes::modele(QStringLiteral("5")), QStringLiteral("SELECT * From Modele Where Numero_Modele = 5"));
        QCOMPARE(requetes::tousModeles(), QStringLiteral("SELECT * From Modele"));
    }

    void libellesAvecGuillemets()
    {
        BaseTemporaire base;
        base.executer(QStringLiteral(
            "INSERT INTO Categorie_Modele VALUES (1, 'L''avocat'), (2, 'Autre');"
            "INSERT INTO Sous_Categorie_Modele VALUES (1, 1, 'Dit \"le grand\"'), (2, 1, 'Simple'), (3, 2, 'Dit \"le grand\"');"));

        Recordset rs;
        rs.open(requetes::categorieParLibelle(QStringLiteral("L'avocat")));
        QVERIFY(!rs.eof());
        QCOMPARE(rs.text(QStringLiteral("Numero_Cat_Modele")), QStringLiteral("1"));
        rs.open(requetes::sousCategorieParLibelle(1, QStringLiteral("Dit \"le grand\"")));
        QVERIFY(!rs.eof());
        QCOMPARE(rs.text(QStringLiteral("Numero_Sous_Cat_Modele")), QStringLiteral("1"));
        rs.moveNext();
        QVERIFY(rs.eof());

        // A label crafted to change the query finds nothing and changes nothing.
        rs.open(requetes::categorieParLibelle(QStringLiteral("x' OR '1'='1")));
        QVERIFY(rs.eof());
        rs.open(requetes::sousCategorieParLibelle(1, QStringLiteral("x\" OR \"1\"=\"1")));
        QVERIFY(rs.eof());
        rs.open(requetes::categorieParLibelle(QStringLiteral("x'; DELETE FROM Categorie_Modele; --")));
        QVERIFY(rs.eof());
        QCOMPARE(colonne(requetes::listeCategories(), QStringLiteral("Libelle_Cat_Modele")).size(), 2);
    }

    void ordreFrancais()
    {
        BaseTemporaire base;
        base.executer(QStringLiteral(
            "INSERT INTO Destinataire (Nom_Destinataire, Prenom_Destinataire) VALUES "
            "('Fabre', 'Luc'), ('Émile', 'Paul'), ('durand', 'Zoé'), ('Durand', 'anne'), ('De La Tour', 'B'), "
            "('de la Tour', 'A'), ('Œuvray', 'X'), ('Oeuf', 'Y'), ('Dupont', NULL), ('Durand', 'Élodie');"
            "INSERT INTO Expediteur (Nom_Expediteur, Prenom_Expediteur) VALUES ('Martin', 'Zoé'), ('martin', 'Anne'), ('Éric', ''), ('Dupuis', '');"
            "INSERT INTO Categorie_Modele VALUES (1, 'Santé'), (2, 'éducation'), (3, 'Banque'), (4, 'Famille');"));

        QCOMPARE(colonne(requetes::listeDestinataires(), QStringLiteral("Prenom_Destinataire")),
                 (QStringList{"A", "B", "", "anne", "Élodie", "Zoé", "Paul", "Luc", "Y", "X"}));
        // Senders sort by last name only; equal names keep the order the
        // database gives (the exact spelling here).
        QCOMPARE(colonne(requetes::listeExpediteurs(), QStringLiteral("Nom_Expediteur")),
                 (QStringList{"Dupuis", "Éric", "Martin", "martin"}));
        QCOMPARE(colonne(requetes::listeCategories(), QStringLiteral("Libelle_Cat_Modele")),
                 (QStringList{"Banque", "éducation", "Famille", "Santé"}));
    }
};

QTEST_GUILESS_MAIN(TestRequetes)
#include "tst_requetes.moc"
