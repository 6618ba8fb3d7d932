// The program speaks French under any system locale: this test runs under
// LANG=C.UTF-8.
#include "app/francais.h"
#include "app/frmaccueil.h"
#include "platform/dialoguesqt.h"
#include "support/banc.h"
#include "support/outilsfenetre.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

class TestFrancais : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(QLocale::system().language() != QLocale::French);
        QString raison;
        QVERIFY2(installerFrancais(*QCoreApplication::instance(), &raison), qPrintable(raison));
    }

    void dialogueDeFichierEnFrancais()
    {
        QStringList textes;
        QTimer::singleShot(0, this, [&textes] {
            auto* boite = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!boite)
                return;
            for (const QLabel* l : boite->findChildren<QLabel*>())
                textes << l->text();
            for (const QAbstractButton* b : boite->findChildren<QAbstractButton*>())
                textes << b->text();
            boite->reject();
        });
        DialoguesQt dialogues;
        QVERIFY(dialogues
                    .fichierAEnregistrer(QStringLiteral("Enregistrer sous ..."), QStringLiteral("Rtf (*.rtf)"),
                                         QStringLiteral("lettre.rtf"))
                    .isEmpty());
        for (const char* attendu : {"Voir dans :", "&Nom de fichier :", "&Enregistrer", "Annuler"})
            QVERIFY2(textes.contains(QString::fromUtf8(attendu)), qPrintable(textes.join(QLatin1Char('|'))));
    }

    void dateGenereeEnFrancais()
    {
        BancEssai banc;
        FrmAccueil f;
        controle<QPushButton>(f, "cmdGenererDate")->click();
        QCOMPARE(controle<QLineEdit>(f, "txtDateLettre")->text(), dateEnFrancais(QDate::currentDate()));
        QCOMPARE(dateEnFrancais(QDate(2026, 12, 8)), QStringLiteral("8 décembre 2026"));
        QCOMPARE(dateEnFrancais(QDate(2027, 8, 1)), QStringLiteral("1er août 2027"));
    }
};

QTEST_MAIN(TestFrancais)
#include "tst_francais.moc"
