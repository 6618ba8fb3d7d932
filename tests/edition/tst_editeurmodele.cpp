#include "edition/modeles.h"
#include "richtext/editeurmodele.h"
#include "richtext/frmtexte.h"
#include "support/dialoguesscriptes.h"

#include <QPointer>
#include <QTextCursor>
#include <QtTest>

class TestEditeurModele : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        installerDialoguesScriptes();
        installerImprimantes(new SansImprimante);
    }

    void leModeleOuvertRecoitLeCorps()
    {
        auto& d = installerDialoguesScriptes();
        BaseTemporaire base;
        insererModelesEssai(base);

        // An empty model list: nothing opens.
        QCOMPARE(ChargerCorpsModele(QString()), nullptr);

        QPointer<FrmTexte> f = ChargerCorpsModele(QStringLiteral("1"));
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QCOMPARE(f->idModele, QStringLiteral("1"));
        QCOMPARE(f->txtText()->toPlainText(), QStringLiteral("Corps du premier"));
        f->txtText()->moveCursor(QTextCursor::End);
        f->txtText()->insertPlainText(QStringLiteral(" revu"));

        // The list moved to the second model and "modify" was asked again:
        // the same window comes forward, its text kept.
        QCOMPARE(ChargerCorpsModele(QStringLiteral("2")), f.data());
        QCOMPARE(f->txtText()->toPlainText(), QStringLiteral("Corps du premier revu"));
        QVERIFY(f->enregistrer());
        QCOMPARE(texteDuModele(QStringLiteral("1")), QStringLiteral("Corps du premier revu"));
        QCOMPARE(texteDuModele(QStringLiteral("2")), QStringLiteral("Corps du second"));

        // Once closed, the next request opens the model asked for afresh.
        QVERIFY(f->close());
        QTRY_VERIFY(f.isNull());
        f = ChargerCorpsModele(QStringLiteral("2"));
        QVERIFY(f);
        QCOMPARE(f->idModele, QStringLiteral("2"));
        QCOMPARE(f->txtText()->toPlainText(), QStringLiteral("Corps du second"));
        QVERIFY(f->close());
        QTRY_VERIFY(f.isNull());
        QVERIFY(d.messages.isEmpty());

        // A model deleted before the command: reported, no window.
        base.executer(QStringLiteral("DELETE FROM Modele WHERE Numero_Modele = 1"));
        QCOMPARE(ChargerCorpsModele(QStringLiteral("1")), nullptr);
        QCOMPARE(d.messages.size(), 1);
        QCOMPARE(d.messages[0].titre, QStringLiteral("Erreur"));
        QVERIFY(d.messages[0].texte.contains(QStringLiteral("n'existe plus")));

        // A row text that is not an id never reaches a query.
        QCOMPARE(ChargerCorpsModele(QStringLiteral("2 OR 1=1")), nullptr);
        QCOMPARE(d.messages.size(), 2);
        QVERIFY(d.messages[1].texte.contains(QStringLiteral("n'est pas un numéro de modèle")));
    }
};

QTEST_MAIN(TestEditeurModele)
#include "tst_editeurmodele.moc"
