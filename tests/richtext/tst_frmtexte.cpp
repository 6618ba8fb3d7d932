#include "output/composition.h"
#include "platform/connexion.h"
#include "platform/imprimante.h"
#include "richtext/barreoutils.h"
#include "richtext/editeurmodele.h"
#include "richtext/frmtexte.h"
#include "richtext/richtextbox.h"
#include "store/corpsmodele.h"
#include "support/banc.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QTextCursor>
#include <QToolButton>
#include <QtTest>

namespace {

// The plain text of a model's stored body.
QString texteDuModele(const QString& id)
{
    RichTextBox lecteur;
    lecteur.setTextRTF(LireCorpsModele(id));
    return lecteur.toPlainText();
}

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

private:
    std::optional<BancEssai> m_banc;

private slots:
    void init()
    {
        m_banc.emplace();
        m_banc->sansImprimante();
        ajouterModelesEssai(m_banc->base);
    }

    void cleanup() { m_banc.reset(); }

    void ouverture()
    {
        m_banc->imprimante();
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
        m_banc->sansImprimante();
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
        QVERIFY(m_banc->dialogues.messages.isEmpty());
        QVERIFY(f->isVisible());
    }

    void modeleSupprimeSignale()
    {
        std::unique_ptr<FrmTexte> f(ouvrir(QStringLiteral("1")));
        taper(*f, QStringLiteral(" a garder"));
        m_banc->base.executer(QStringLiteral("DELETE FROM Modele WHERE Numero_Modele = 1"));

        QVERIFY(!f->enregistrer());
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].titre, QStringLiteral("Erreur"));
        QCOMPARE(m_banc->dialogues.messages[0].icone, Icone::Exclamation);
        QVERIFY(m_banc->dialogues.messages[0].texte.contains(QStringLiteral("n'existe plus")));
        QCOMPARE(f->txtText()->toPlainText(), QStringLiteral("Corps du premier a garder"));
        QVERIFY(f->txtText()->document()->isModified());
        QCOMPARE(texteDuModele(QStringLiteral("2")), QStringLiteral("Corps du second"));

        // A database that refuses the write is reported the same way.
        cnLettre().fermer();
        QVERIFY(!f->enregistrer());
        QCOMPARE(m_banc->dialogues.messages.size(), 2);
        QVERIFY(m_banc->dialogues.messages[1].texte.contains(QStringLiteral("n'est pas ouverte")));
    }

    void fermetureAvecModifications()
    {
        // Nothing changed: no question.
        QPointer<FrmTexte> f = ouvrir(QStringLiteral("1"));
        f->show();
        QVERIFY(f->close());
        QVERIFY(m_banc->dialogues.messages.isEmpty());

        // Annuler keeps the window and its text.
        f = ouvrir(QStringLiteral("1"));
        f->show();
        taper(*f, QStringLiteral(" A"));
        m_banc->dialogues.reponses.enqueue(Reponse::Annuler);
        QVERIFY(!f->close());
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].texte,
                 QStringLiteral("Voulez-vous enregistrer les modifications apportées au modèle ?"));
        QCOMPARE(m_banc->dialogues.messages[0].boutons, Boutons::EnregistrerAnnuler);
        QCOMPARE(m_banc->dialogues.messages[0].titre, QStringLiteral("Confirmation"));
        QVERIFY(f->isVisible());

        // Non closes without saving.
        m_banc->dialogues.reponses.enqueue(Reponse::Non);
        QVERIFY(f->close());
        QTRY_VERIFY(f.isNull());
        QCOMPARE(texteDuModele(QStringLiteral("1")), QStringLiteral("Corps du premier"));

        // Oui saves, then closes.
        f = ouvrir(QStringLiteral("1"));
        f->show();
        taper(*f, QStringLiteral(" B"));
        m_banc->dialogues.reponses.enqueue(Reponse::Oui);
        QVERIFY(f->close());
        QCOMPARE(texteDuModele(QStringLiteral("1")), QStringLiteral("Corps du premier B"));

        // Oui whose save fails keeps the window open with its text.
        f = ouvrir(QStringLiteral("2"));
        f->show();
        taper(*f, QStringLiteral(" C"));
        m_banc->base.executer(QStringLiteral("DELETE FROM Modele WHERE Numero_Modele = 2"));
        m_banc->dialogues.reponses.enqueue(Reponse::Oui);
        QVERIFY(!f->close());
        QVERIFY(f->isVisible());
        QCOMPARE(m_banc->dialogues.messages.last().titre, QStringLiteral("Erreur"));
        QCOMPARE(f->txtText()->toPlainText(), QStringLiteral("Corps du second C"));
        delete f;
    }

    void impression()
    {
        ImprimanteEssai* pdf = &m_banc->imprimante();
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
        QVERIFY(m_banc->dialogues.messages.isEmpty());

        m_banc->sansImprimante();
        f->imprimer();
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].titre, QStringLiteral("Erreur"));
        QVERIFY(m_banc->dialogues.messages[0].texte.contains(messageAucuneImprimante()));
    }

    // The catalogue's command opens the editor on the model chosen.
    void leModeleOuvertRecoitLeCorps()
    {
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
        QVERIFY(m_banc->dialogues.messages.isEmpty());

        // A model deleted before the command: reported, no window.
        m_banc->base.executer(QStringLiteral("DELETE FROM Modele WHERE Numero_Modele = 1"));
        QCOMPARE(ChargerCorpsModele(QStringLiteral("1")), nullptr);
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].titre, QStringLiteral("Erreur"));
        QVERIFY(m_banc->dialogues.messages[0].texte.contains(QStringLiteral("n'existe plus")));

        // A row text that is not an id never reaches a query.
        QCOMPARE(ChargerCorpsModele(QStringLiteral("2 OR 1=1")), nullptr);
        QCOMPARE(m_banc->dialogues.messages.size(), 2);
        QVERIFY(m_banc->dialogues.messages[1].texte.contains(QStringLiteral("n'est pas un numéro de modèle")));
    }
};

QTEST_MAIN(TestFrmTexte)
#include "tst_frmtexte.moc"
