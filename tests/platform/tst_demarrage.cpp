#include "app/mdgeneral.h"
#include "platform/connexion.h"
#include "platform/registre.h"
#include "support/basetemporaire.h"

#include <QStandardPaths>
#include <QtTest>

class TestDemarrage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void demarrageSansBase()
    {
        QTemporaryDir dossier; // no Save/Lettre.mdb in it
        mdGeneral::DefinirDossierApplication(dossier.path());
        const auto resultat = mdGeneral::Demarrer();
        QVERIFY(!resultat.baseOuverte);
        QVERIFY(!QFile::exists(dossier.path() + "/Save/Lettre.mdb"));
        const QString message = mdGeneral::MessageBaseIndisponible(resultat);
        QVERIFY(message.contains(dossier.path() + "/Save/Lettre.mdb"));
        QVERIFY(message.contains(QStringLiteral("n'existe pas")));
        // The folder of the program was recorded.
        QCOMPARE(lireValeurRegistre(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Tilvo-Lettre")), dossier.path());
        mdGeneral::DefinirDossierApplication(QString());
    }

    void baseOuverteAuDemarrage()
    {
        BaseTemporaire base;
        cnLettre().fermer();
        const auto resultat = mdGeneral::Demarrer();
        QVERIFY(resultat.baseOuverte);
        QVERIFY(cnLettre().estOuverte());
        QCOMPARE(cnLettre().chemin(), base.cheminBase());
    }

    void registreSelonLeType()
    {
        const QString chemin = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Essai");
        QVERIFY(mdGeneral::EcrireRegistre(0, chemin, QStringLiteral("texte")));
        QCOMPARE(lireValeurRegistre(chemin), QStringLiteral("texte"));
        QVERIFY(mdGeneral::EcrireRegistre(1, chemin, QStringLiteral("42")));
        QCOMPARE(lireValeurRegistre(chemin), QStringLiteral("42"));
        QVERIFY(mdGeneral::EcrireRegistre(3, chemin, QStringLiteral("rien")));
        QCOMPARE(lireValeurRegistre(chemin), QStringLiteral("42"));
    }
};

QTEST_GUILESS_MAIN(TestDemarrage)
#include "tst_demarrage.moc"
