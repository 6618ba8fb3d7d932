// The real message boxes, answered from the keyboard.
#include "platform/dialoguesqt.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

// Presses a key in the message box about to open and records its buttons.
void appuyerDansLaBoite(Qt::Key touche, QStringList& boutons)
{
    QTimer::singleShot(0, [touche, &boutons] {
        QWidget* boite = QApplication::activeModalWidget();
        QVERIFY(boite);
        for (const QPushButton* b : boite->findChildren<QPushButton*>())
            boutons << b->text();
        QTest::keyClick(boite, touche);
    });
}

} // namespace

class TestDialoguesQt : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installerDialogues(new DialoguesQt); }

    void entreeNeDetruitRien()
    {
        QStringList boutons;
        appuyerDansLaBoite(Qt::Key_Return, boutons);
        QCOMPARE(confirmerDestruction(QStringLiteral("Supprimer ?")), Reponse::Non);
        appuyerDansLaBoite(Qt::Key_Return, boutons);
        QCOMPARE(demanderConfirmation(QStringLiteral("Imprimer ?")), Reponse::Oui);
    }

    void enregistrerOuNon()
    {
        QStringList boutons;
        appuyerDansLaBoite(Qt::Key_Escape, boutons);
        QCOMPARE(dialogues().message(QStringLiteral("Enregistrer ?"), Boutons::EnregistrerAnnuler, Icone::Aucune,
                                     QStringLiteral("Confirmation")),
                 Reponse::Annuler);
        boutons.sort();
        QCOMPARE(boutons, (QStringList{"Annuler", "Enregistrer", "Ne pas enregistrer"}));
    }
};

QTEST_MAIN(TestDialoguesQt)
#include "tst_dialoguesqt.moc"
