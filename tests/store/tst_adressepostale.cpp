#include "store/adressepostale.h"

#include <QtTest>

class TestAdressePostale : public QObject {
    Q_OBJECT

private slots:
    void problemes_data()
    {
        QTest::addColumn<QString>("adresse1");
        QTest::addColumn<QString>("codePostal");
        QTest::addColumn<QString>("ville");
        QTest::addColumn<QStringList>("problemes");
        QTest::newRow("conforme, avec CEDEX") << "12 rue Haute"
                                              << "75011"
                                              << "PARIS CEDEX 01" << QStringList();
        QTest::newRow("ligne trop longue") << "Résidence des Tilleuls, 145 boulevard du Maréchal"
                                           << "69001"
                                           << "LYON" << QStringList{"Ligne adresse 1 : 49 caractères, 38 au plus"};
        QTest::newRow("code postal de quatre chiffres") << "1 rue"
                                                        << "7501"
                                                        << "PARIS" << QStringList{"Code postal : 5 chiffres attendus"};
        QTest::newRow("ponctuation dans la ville")
            << "1 rue"
            << "42000"
            << "Saint-Étienne" << QStringList{"Ligne code postal et ville : pas de ponctuation"};
    }

    void problemes()
    {
        QFETCH(QString, adresse1);
        QFETCH(QString, codePostal);
        QFETCH(QString, ville);
        QFETCH(QStringList, problemes);
        QCOMPARE(problemesPostaux({"Madame Durand Claire", "", adresse1, "", codePostal, ville}), problemes);
    }

    // The town made acceptable, a long street line shortened until the
    // address has nothing left to report.
    void miseEnForme()
    {
        const AdressePostale a{
            "Madame Durand Claire", "", "Résidence des Tilleuls, 145 boulevard du Maréchal", "", " 42000",
            "Saint-Étienne"};
        const AdressePostale b = miseEnFormePostale(a);
        QCOMPARE(b.ville, QStringLiteral("SAINT ETIENNE"));
        QCOMPARE(b.adresse1, QStringLiteral("RES des Tilleuls, 145 BD du Maréchal"));
        QCOMPARE(b.nom, a.nom);
        QCOMPARE(problemesPostaux(b), QStringList());
    }
};

QTEST_MAIN(TestAdressePostale)
#include "tst_adressepostale.moc"
