#include "platform/recordset.h"
#include "store/requetes.h"
#include "support/basetemporaire.h"

#include <QtTest>

class TestRequetes : public QObject {
    Q_OBJECT

private slots:
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
