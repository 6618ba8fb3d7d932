#include "edition/modeles.h"
#include "output/composition.h"
#include "platform/connexion.h"
#include "platform/imprimante.h"
#include "richtext/barreoutils.h"
#include "richtext/frmtexte.h"
#include "support/dialoguesscriptes.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QtTest>

namespace {

// The editor as the catalogue opens it on model `id`.
FrmTexte* ouvrir(const QString& id)
{
    return FrmTexte::pourModele(id, LireCorpsModele(id));
}

void taper(FrmTexte& f, const QString& texte)
{
    QTextCursor c = f.txtText()->textCursor();
    c.movePosition(QTextCursor::End);
    f.txtText()->setTextCursor(c);
    QTest::keyClicks(f.txtText(), texte);
}

} // namespace

class TestFrmTexte : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        installerDialoguesScriptes();
        installerImprimantes(new SansImprimante);
    }

    void ouverture()
    {
        BaseTemporaire base;
        remplirModeles(base);
        QTemporaryDir pdf;
        installerImprimantes(new ImprimantePdf(pdf.path()));
        std::unique_ptr<FrmTexte> f(ouvrir(QStringLiteral("1")));
        QCOMPARE(f->windowTitle(), QStringLiteral("Lettre"));
        QCOMPARE(f->objectName(), QStringLiteral("FrmTexte"));
        QCOMPARE(f->txtText()->objectName(), QStringLiteral("txtText"));
        QCOMPARE(f->Toolbar1()->nombreBoutons(), 15);
        QVERIFY(f->bCorps && f->bModele);
        QCOMPARE(f->txtText()->toPlainText(), QStringLiteral("Corps du premier"));
        QVERIFY(!f->txtText()->document()->isModified());

        // The insertion point types "Arial" 10; the loaded text keeps its font.
        QCOMPARE(f->txtText()->SelFontName(), std::optional<QString>(QStringLiteral("Arial")));
        QCOMPARE(f->txtText()->SelFontSize(), std::optional<double>(10));
        QTest::keyClicks(f->txtText(), QStringLiteral("Nouveau "));
        QCOMPARE(f->txtText()->toPlainText(), QStringLiteral("Nouveau Corps du premier"));
        QTextCursor c(f->txtText()->document());
        c.setPosition(0);
        c.setPosition(8, QTextCursor::KeepAnchor);
        f->txtText()->setTextCursor(c);
        QCOMPARE(f->txtText()->SelFontName(), std::optional<QString>(QStringLiteral("Arial")));
        c.setPosition(8);
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        f->txtText()->setTextCursor(c);
        QCOMPARE(f->txtText()->SelFontName(), std::optional<QString>(QStringLiteral("Courier New")));
        QCOMPARE(f->txtText()->SelFontSize(), std::optional<double>(12));

        // Lines wrap at the page width less 2300 twips (A4: 11906 twips).
        QCOMPARE(f->txtText()->lineWrapMode(), QTextEdit::FixedPixelWidth);
        const double attendu = (11906.0 - 2300.0) * f->txtText()->logicalDpiX() / 1440.0
            + 2 * f->txtText()->document()->documentMargin();
        QVERIFY(std::abs(f->txtText()->lineWrapColumnOrWidth() - attendu) <= 1.0);

        // Without a printer the text wraps at the window's width.
        installerImprimantes(new SansImprimante);
        std::unique_ptr<FrmTexte> sans(ouvrir(QStringLiteral("2")));
        QCOMPARE(sans->txtText()->lineWrapMode(), QTextEdit::WidgetWidth);
        QCOMPARE(sans->txtText()->toPlainText(), QStringLiteral("Corps du second"));

        // A new model has an empty body: an empty text, nothing to save.
        std::unique_ptr<FrmTexte> vide(FrmTexte::pourModele(QStringLiteral("3"), QString()));
        QVERIFY(vide->txtText()->toPlainText().isEmpty());
        QVERIFY(!vide->txtText()->document()->isModified());
        QCOMPARE(vide->txtText()->SelFontName(), std::optional<QString>(QStringLiteral("Arial")));
    }

    // Each entry of "Insérer un champ" types a placeholder that the letter
    // template fills, at the cursor.
    void insererUnChamp()
    {
        std::unique_ptr<FrmTexte> f(FrmTexte::pourModele(QStringLiteral("3"), QStringLiteral("{\\rtf1 Cher }")));
        f->txtText()->moveCursor(QTextCursor::End);
        QMenu* menu = f->findChild<QToolButton*>(QStringLiteral("cmdInsererChamp"))->menu();
        QString attendu = QStringLiteral("Cher ");
        int champs = 0;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            QVERIFY2(ModeleLettre().contains(action->toolTip()), qPrintable(action->toolTip()));
            action->trigger();
            attendu += action->toolTip();
            ++champs;
        }
        QCOMPARE(champs, 19);
        QCOMPARE(f->txtText()->toPlainText(), attendu);
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("Titre de l'expéditeur"));
    }

    void enregistrerDansLeModeleOuvert()
    {
        auto& d = installerDialoguesScriptes();
        BaseTemporaire base;
        remplirModeles(base);
        std::unique_ptr<FrmTexte> f(ouvrir(QStringLiteral("1")));
        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        f->txtText()->setFocus();

        taper(*f, QStringLiteral(" modifie"));
        QVERIFY(f->txtText()->document()->isModified());
        f->Toolbar1()->cliquer(1);
        QCOMPARE(texteDuModele(QStringLiteral("1")), QStringLiteral("Corps du premier modifie"));
        QVERIFY(!f->txtText()->document()->isModified());

        // Saving again overwrites; Ctrl+S saves like the button.
        taper(*f, QStringLiteral(" deux fois"));
        QTest::keyClick(f->txtText(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(texteDuModele(QStringLiteral("1")), QStringLiteral("Corps du premier modifie deux fois"));
        QCOMPARE(texteDuModele(QStringLiteral("2")), QStringLiteral("Corps du second"));
        QVERIFY(d.messages.isEmpty());
        QVERIFY(f->isVisible());
    }

    void modeleSupprimeSignale()
    {
        auto& d = installerDialoguesScriptes();
        BaseTemporaire base;
        remplirModeles(base);
        std::unique_ptr<FrmTexte> f(ouvrir(QStringLiteral("1")));
        taper(*f, QStringLiteral(" a garder"));
        base.executer(QStringLiteral("DELETE FROM Modele WHERE Numero_Modele = 1"));

        QVERIFY(!f->Enregistrer());
        QCOMPARE(d.messages.size(), 1);
        QCOMPARE(d.messages[0].titre, QStringLiteral("Erreur"));
        QCOMPARE(d.messages[0].icone, Icone::Exclamation);
        QVERIFY(d.messages[0].texte.contains(QStringLiteral("n'existe plus")));
        QCOMPARE(f->txtText()->toPlainText(), QStringLiteral("Corps du premier a garder"));
        QVERIFY(f->txtText()->document()->isModified());
        QCOMPARE(texteDuModele(QStringLiteral("2")), QStringLiteral("Corps du second"));

        // A database that refuses the write is reported the same way.
        cnLettre().fermer();
        QVERIFY(!f->Enregistrer());
        QCOMPARE(d.messages.size(), 2);
        QVERIFY(d.messages[1].texte.contains(QStringLiteral("n'est pas ouverte")));
    }

    void fermetureAvecModifications()
    {
        auto& d = installerDialoguesScriptes();
        BaseTemporaire base;
        remplirModeles(base);

        // Nothing changed: no question.
        QPointer<FrmTexte> f = ouvrir(QStringLiteral("1"));
        f->show();
        QVERIFY(f->close());
        QVERIFY(d.messages.isEmpty());

        // Annuler keeps the window and its text.
        f = ouvrir(QStringLiteral("1"));
        f->show();
        taper(*f, QStringLiteral(" A"));
        d.reponses.enqueue(Reponse::Annuler);
        QVERIFY(!f->close());
        QCOMPARE(d.messages.size(), 1);
        QCOMPARE(d.messages[0].texte, QStringLiteral("Voulez-vous enregistrer les modifications apportées au modèle ?"));
        QCOMPARE(d.messages[0].boutons, Boutons::EnregistrerAnnuler);
        QCOMPARE(d.messages[0].titre, QStringLiteral("Confirmation"));
        QVERIFY(f->isVisible());

        // Non closes without saving.
        d.reponses.enqueue(Reponse::Non);
        QVERIFY(f->close());
        QTRY_VERIFY(f.isNull());
        QCOMPARE(texteDuModele(QStringLiteral("1")), QStringLiteral("Corps du premier"));

        // Oui saves, then closes.
        f = ouvrir(QStringLiteral("1"));
        f->show();
        taper(*f, QStringLiteral(" B"));
        d.reponses.enqueue(Reponse::Oui);
        QVERIFY(f->close());
        QCOMPARE(texteDuModele(QStringLiteral("1")), QStringLiteral("Corps du premier B"));

        // Oui whose save fails keeps the window open with its text.
        f = ouvrir(QStringLiteral("2"));
        f->show();
        taper(*f, QStringLiteral(" C"));
        base.executer(QStringLiteral("DELETE FROM Modele WHERE Numero_Modele = 2"));
        d.reponses.enqueue(Reponse::Oui);
        QVERIFY(!f->close());
        QVERIFY(f->isVisible());
        QCOMPARE(d.messages.last().titre, QStringLiteral("Erreur"));
        QCOMPARE(f->txtText()->toPlainText(), QStringLiteral("Corps du second C"));
        delete f;
    }

    void impression()
    {
        auto& d = installerDialoguesScriptes();
        BaseTemporaire base;
        remplirModeles(base);
        QTemporaryDir dossier;
        auto* pdf = new ImprimantePdf(dossier.path());
        installerImprimantes(pdf);
        std::unique_ptr<FrmTexte> f(ouvrir(QStringLiteral("1")));
        QImage dessin(40, 20, QImage::Format_RGB32);
        dessin.fill(Qt::blue);
        QVERIFY(f->txtText()->insererImage(dessin));
        const qsizetype avant = pdf->fichiers().size();
        f->Toolbar1()->cliquer(2);
        QCOMPARE(pdf->fichiers().size(), avant + 1);
        QFile sortie(pdf->fichiers().last());
        QVERIFY(sortie.open(QIODevice::ReadOnly));
        QVERIFY(sortie.readAll().contains("/Subtype /Image")); // the picture is on paper
        QVERIFY(d.messages.isEmpty());

        installerImprimantes(new SansImprimante);
        f->Imprimer();
        QCOMPARE(d.messages.size(), 1);
        QCOMPARE(d.messages[0].titre, QStringLiteral("Erreur"));
        QVERIFY(d.messages[0].texte.contains(messageAucuneImprimante()));
    }
};

QTEST_MAIN(TestFrmTexte)
#include "tst_frmtexte.moc"
