#include "platform/erreurbase.h"
#include "store/catalogue_modeles.h"
#include "support/basetemporaire.h"

#include <QtTest>

class TestCatalogueModeles : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_base = std::make_unique<BaseTemporaire>();
        m_base->executer(QStringLiteral(
            "INSERT INTO Categorie_Modele VALUES (1, 'Logement'), (2, 'L''emploi'), (3, 'assurances');"
            "INSERT INTO Sous_Categorie_Modele VALUES (10, 1, 'Préavis'), (11, 1, 'État des lieux'), (12, 2, 'Dit \"ça\"'),"
            " (13, 3, 'Préavis');"
            "INSERT INTO Modele VALUES (100, 10, 'Zone tendue', '{\\rtf1 x}', 'https://exemple.fr', 'fiches/a.html'),"
            " (101, 10, 'abandon', '{\\rtf1 y}', '', '');"));
    }
    void cleanup() { m_base.reset(); }

    void listesEtRecherches()
    {
        QCOMPARE(libellesCategories(), (QStringList{"assurances", "L'emploi", "Logement"}));
        QCOMPARE(numeroCategorie(QStringLiteral("L'emploi")), 2);
        QCOMPARE(numeroCategorie(QString()), kAucunEnregistrement);
        QCOMPARE(numeroCategorie(QStringLiteral("Inconnue")), kAucunEnregistrement);
        QCOMPARE(libellesSousCategories(1), (QStringList{"État des lieux", "Préavis"}));
        QCOMPARE(numeroSousCategorie(1, QStringLiteral("Préavis")), 10);
        QCOMPARE(numeroSousCategorie(3, QStringLiteral("Préavis")), 13);
        QCOMPARE(numeroSousCategorie(2, QStringLiteral("Dit \"ça\"")), 12);
        QCOMPARE(numeroSousCategorie(kAucunEnregistrement, QStringLiteral("Préavis")), kAucunEnregistrement);
        QCOMPARE(numeroSousCategorie(1, QString()), kAucunEnregistrement);
        QCOMPARE(numeroSousCategorie(2, QStringLiteral("Préavis")), kAucunEnregistrement);

        const QList<LigneModele> modeles = modelesDeSousCategorie(10);
        QCOMPARE(modeles.size(), 2);
        QCOMPARE(modeles[0], (LigneModele{"101", "abandon", "", ""}));
        QCOMPARE(modeles[1], (LigneModele{"100", "Zone tendue", "https://exemple.fr", "fiches/a.html"}));
    }

    void ajoutEtSuppression()
    {
        creerModele(11, QStringLiteral("Libelle"));
        creerModele(11, QStringLiteral("Libelle")); // duplicates are allowed
        const QList<LigneModele> ajoutes = modelesDeSousCategorie(11);
        QCOMPARE(ajoutes.size(), 2);
        QCOMPARE(compter(QStringLiteral("Modele"),
                         QStringLiteral("Numero_Sous_Cat_Modele = 11 AND Corps_Modele = '' AND Lien_Modele = '' "
                                        "AND Lien_Fiche_Modele = '' AND Libelle_Modele = 'Libelle'")),
                 2);

        effacerModele(ajoutes[0].id);
        QCOMPARE(modelesDeSousCategorie(11).size(), 1);
        QCOMPARE(modelesDeSousCategorie(10).size(), 2);
        QVERIFY_THROWS_EXCEPTION(ErreurBase, effacerModele(ajoutes[0].id));
    }

private:
    std::unique_ptr<BaseTemporaire> m_base;
};

QTEST_GUILESS_MAIN(TestCatalogueModeles)
#include "tst_catalogue_modeles.moc"
