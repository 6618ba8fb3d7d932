// Restoring a backup from the options: the current database is backed up
// first, a damaged backup is refused, and the main window's lists follow.
#include "app/frmaccueil.h"
#include "app/mdgeneral.h"
#include "platform/connexion.h"
#include "platform/fenetres.h"
#include "platform/sauvegarde.h"
#include "support/banc.h"
#include "support/outilsfenetre.h"

#include <QDir>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

class TestRestauration : public QObject {
    Q_OBJECT

private slots:
    void restaurerDepuisLesOptions()
    {
        BancEssai banc;
        banc.base.executer(QStringLiteral("INSERT INTO Destinataire (Nom_Destinataire) VALUES ('Ancien')"));
        const QString dossier = mdGeneral::DossierSauvegardes();
        QCOMPARE(sauvegarderBase(banc.base.cheminBase(), dossier, QDate(2026, 12, 1)), QString());
        QFile abimee(dossier + QStringLiteral("/Lettre-2026-12-02.mdb"));
        QVERIFY(abimee.open(QIODevice::WriteOnly));
        abimee.write(QByteArray(4096, 'x'));
        abimee.close();
        banc.base.executer(QStringLiteral("INSERT INTO Destinataire (Nom_Destinataire) VALUES ('Nouveau')"));

        FrmAccueil f;
        f.show();
        auto* destinataires = controle<QComboBox>(f, QStringLiteral("cmbDestinataire"));
        const int avant = destinataires->count();
        controle<QToolButton>(f, QStringLiteral("cmdOption"))->click();
        QWidget* options = fenetreOuverte(QStringLiteral("FrmOption"));
        QVERIFY(options);
        controle<QPushButton>(*options, QStringLiteral("cmdRestaurer"))->click();
        QWidget* fenetre = options->findChild<QWidget*>(QStringLiteral("FrmRestauration"));
        QVERIFY(fenetre && fenetre->isVisible());
        auto* liste = controle<QTreeWidget>(*fenetre, QStringLiteral("lsvSauvegardes"));
        QCOMPARE(liste->topLevelItemCount(), 2);
        QCOMPARE(liste->topLevelItem(0)->text(1), QStringLiteral("endommagée"));
        QCOMPARE(liste->topLevelItem(1)->text(0), QStringLiteral("1 décembre 2026"));
        QCOMPARE(liste->topLevelItem(1)->text(2), QStringLiteral("1"));

        // The damaged one is refused, the database untouched.
        liste->setCurrentItem(liste->topLevelItem(0));
        controle<QPushButton>(*fenetre, QStringLiteral("cmdRestaurer"))->click();
        QCOMPARE(banc.dialogues.messages.size(), 1);
        QVERIFY(banc.dialogues.messages[0].texte.contains(QStringLiteral("endommagée")));
        QCOMPARE(destinataires->count(), avant);

        liste->setCurrentItem(liste->topLevelItem(1));
        banc.dialogues.reponses.enqueue(Reponse::Oui);
        controle<QPushButton>(*fenetre, QStringLiteral("cmdRestaurer"))->click();
        QCOMPARE(banc.dialogues.messages.last().texte,
                 QStringLiteral("La sauvegarde du 1 décembre 2026 a été restaurée."));
        QCOMPARE(destinataires->count(), avant - 1);
        // The database as it was just before is among the backups.
        const QList<Sauvegarde> sauvegardes = listerSauvegardes(dossier);
        QCOMPARE(sauvegardes.size(), 3);
        QCOMPARE(sauvegardes.first().date, QDate::currentDate());
        QCOMPARE(examinerSauvegarde(sauvegardes.first().chemin).destinataires, 2);
    }
};

QTEST_MAIN(TestRestauration)
#include "tst_restauration.moc"
