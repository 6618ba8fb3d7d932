// Backups of the letters database: made before the first write of the day,
// the last ten kept, a failure said once without stopping the user's work.
#include "app/mdgeneral.h"
#include "platform/sauvegarde.h"
#include "support/banc.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestSauvegarde : public QObject {
    Q_OBJECT

private slots:
    void avantLaPremiereEcritureDuJour()
    {
        BaseTemporaire base;
        ajouterDestinataire(QStringLiteral("Avant"));
        QVERIFY(mdGeneral::Demarrer().baseOuverte);
        QVERIFY(!QDir(mdGeneral::DossierSauvegardes()).exists()); // reading backs nothing up

        ajouterDestinataire(QStringLiteral("Premier"));
        ajouterDestinataire(QStringLiteral("Second"));
        const QList<Sauvegarde> faites = listerSauvegardes(mdGeneral::DossierSauvegardes());
        QCOMPARE(faites.size(), 1);
        QCOMPARE(QFileInfo(faites[0].chemin).fileName(),
                 QDate::currentDate().toString(QStringLiteral("'Lettre-'yyyy-MM-dd'.mdb'")));
        QCOMPARE(examinerSauvegarde(faites[0].chemin).destinataires, 1);
    }

    void lesDixDernieresSontGardees()
    {
        BaseTemporaire base;
        const QString dossier = mdGeneral::DossierSauvegardes();
        for (int jour = 1; jour <= 12; ++jour)
            QCOMPARE(sauvegarderBase(base.cheminBase(), dossier, QDate(2026, 11, jour)), QString());
        QCOMPARE(sauvegarderBase(base.cheminBase(), dossier, QDate(2026, 11, 12)), QString());
        const QList<Sauvegarde> gardees = listerSauvegardes(dossier);
        QCOMPARE(gardees.size(), kSauvegardesGardees);
        QCOMPARE(QFileInfo(gardees.first().chemin).fileName(), QStringLiteral("Lettre-2026-11-12-2.mdb"));
        QCOMPARE(gardees.last().date, QDate(2026, 11, 4));
    }

    void unEchecEstDitUneFoisSansBloquer()
    {
        BancEssai banc;
        QFile bouchon(mdGeneral::DossierSauvegardes()); // a file where the folder should be
        QVERIFY(bouchon.open(QIODevice::WriteOnly));
        bouchon.close();
        QVERIFY(mdGeneral::Demarrer().baseOuverte);

        ajouterDestinataire(QStringLiteral("Premier"));
        ajouterDestinataire(QStringLiteral("Second"));
        QTRY_COMPARE(banc.dialogues.messages.size(), 1);
        QVERIFY(banc.dialogues.messages[0].texte.contains(QStringLiteral("La sauvegarde de la base")));
        Recordset rs;
        rs.open(QStringLiteral("SELECT * From Destinataire"));
        int n = 0;
        for (; !rs.eof(); rs.moveNext())
            ++n;
        QCOMPARE(n, 2);
    }
};

QTEST_MAIN(TestSauvegarde)
#include "tst_sauvegarde.moc"
