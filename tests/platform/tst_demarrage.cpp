#include "app/mdgeneral.h"
#include "platform/connexion.h"
#include "platform/registre.h"
#include "support/basetemporaire.h"
#include "support/dialoguesscriptes.h"

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

    // The office's server: out of reach, then a password asked once per
    // session, a wrong one refused in French.
    void serveurAuDemarrage()
    {
        EXIGER_SERVEUR_ESSAI(serveur);
        QTemporaryDir dossier;
        QVERIFY(QDir(dossier.path()).mkdir(QStringLiteral("Save")));
        mdGeneral::DefinirDossierApplication(dossier.path());
        auto& dialogues = installerDialoguesScriptes();
        ChoixBase choix;
        choix.type = ChoixBase::Type::PostgreSQL;
        choix.serveur.hote = dossier.path(); // no server listens there
        QVERIFY(mdGeneral::EnregistrerChoixBase(choix).ok());
        auto resultat = mdGeneral::Demarrer();
        QVERIFY(!resultat.baseOuverte);
        QVERIFY2(resultat.raisonBase.contains(QStringLiteral("le serveur ne répond pas")),
                 qPrintable(resultat.raisonBase));
        QVERIFY(!QFile::exists(dossier.path() + "/Save/Lettre.mdb"));

        choix.serveur = serveur->nouvelleBaseProtegee();
        QVERIFY(mdGeneral::EnregistrerChoixBase(choix).ok());
        dialogues.textes.enqueue(QStringLiteral("mauvais"));
        resultat = mdGeneral::Demarrer();
        QVERIFY(!resultat.baseOuverte);
        QVERIFY2(resultat.raisonBase.contains(QStringLiteral("le mot de passe a été refusé")),
                 qPrintable(resultat.raisonBase));
        QCOMPARE(dialogues.demandes.size(), 1);
        QVERIFY(dialogues.demandes[0].startsWith(QStringLiteral("mot de passe: Base de données des lettres|")));

        dialogues.textes.enqueue(QString::fromUtf8(ServeurEssai::kMotDePasse));
        QVERIFY(mdGeneral::Demarrer().baseOuverte);
        QVERIFY(cnLettre().estServeur());
        cnLettre().fermer();
        QVERIFY(mdGeneral::Demarrer().baseOuverte); // not asked again
        QCOMPARE(dialogues.demandes.size(), 2);
        cnLettre().fermer();
        mdGeneral::DefinirDossierApplication(QString());
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
