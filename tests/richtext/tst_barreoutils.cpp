#include "richtext/barreoutils.h"
#include "richtext/commandesformat.h"
#include "richtext/richtextbox.h"
#include "support/dialoguesscriptes.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>
#include <QtTest>

using barre::Commande;
using barre::Fenetre;

namespace {

// A window like the main window's letter area: Toolbar1 over txtText.
struct Fenetre12 {
    QWidget fenetre;
    RichTextBox* txt = new RichTextBox(&fenetre);
    BarreOutils* barre;

    explicit Fenetre12(Fenetre genre = Fenetre::Accueil) : barre(new BarreOutils(*txt, genre, &fenetre))
    {
        auto* l = new QVBoxLayout(&fenetre);
        l->addWidget(barre);
        l->addWidget(txt);
        fenetre.resize(600, 400);
    }

    void afficher()
    {
        fenetre.show();
        fenetre.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fenetre));
        txt->setFocus();
    }

    // Appends `texte` with the given format at the end of the text.
    void ajouter(const QString& texte, const QTextCharFormat& format = {})
    {
        QTextCursor c(txt->document());
        c.movePosition(QTextCursor::End);
        c.insertText(texte, format);
    }

    void selectionner(int debut, int fin)
    {
        QTextCursor c(txt->document());
        c.setPosition(debut);
        c.setPosition(fin, QTextCursor::KeepAnchor);
        txt->setTextCursor(c);
    }

    void cliquer(Commande commande) { barre->cliquer(barre::index(barre->fenetre(), commande)); }
    bool enfonce(Commande commande) const { return barre->bouton(commande)->isChecked(); }
};

QTextCharFormat gras()
{
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    return f;
}

int nombreImages(const QTextDocument& document)
{
    int n = 0;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QVariant image = document.resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name()));
            if (!image.value<QImage>().isNull())
                ++n;
        }
    }
    return n;
}

} // namespace

class TestBarreOutils : public QObject {
    Q_OBJECT

private slots:
    void init() { installerDialoguesScriptes(); }

    void boutonsDesDeuxFenetres()
    {
        const QStringList infobulles{"Gras",
                                     "Italique",
                                     "Souligné",
                                     "Barré",
                                     "",
                                     "Aligner à gauche",
                                     "Centrer",
                                     "Aligner à droite",
                                     "",
                                     "Couleur de police",
                                     "Style et taille de police",
                                     "Insérer une image"};
        Fenetre12 accueil(Fenetre::Accueil);
        Fenetre12 editeur(Fenetre::Editeur);
        QCOMPARE(accueil.barre->nombreBoutons(), 12);
        QCOMPARE(editeur.barre->nombreBoutons(), 15);
        QCOMPARE(accueil.barre->objectName(), QStringLiteral("Toolbar1"));
        QCOMPARE(editeur.barre->bouton(1)->toolTip(), QStringLiteral("Enregistrer"));
        QCOMPARE(editeur.barre->bouton(2)->toolTip(), QStringLiteral("Imprimer"));
        QVERIFY(editeur.barre->bouton(3)->isSeparator());
        for (int i = 1; i <= 12; ++i) {
            QAction* a = accueil.barre->bouton(i);
            QAction* e = editeur.barre->bouton(i + 3);
            QCOMPARE(barre::commande(Fenetre::Editeur, i + 3), barre::commande(Fenetre::Accueil, i));
            QCOMPARE(a->isSeparator(), infobulles[i - 1].isEmpty());
            if (a->isSeparator())
                continue;
            QCOMPARE(a->toolTip(), infobulles[i - 1]);
            QCOMPARE(e->toolTip(), infobulles[i - 1]);
            QCOMPARE(a->isCheckable(), i <= 8);
            QCOMPARE(e->isCheckable(), i <= 8);
            QVERIFY(!a->icon().isNull());
        }
        QCOMPARE(barre::commande(Fenetre::Accueil, 10), Commande::Couleur);
        QCOMPARE(barre::commande(Fenetre::Editeur, 13), Commande::Couleur);
        QCOMPARE(barre::commande(Fenetre::Accueil, 13), Commande::Aucune);
        QCOMPARE(barre::index(Fenetre::Accueil, Commande::Enregistrer), 0);

        // A separator or an index out of range does nothing.
        editeur.barre->cliquer(3);
        editeur.barre->cliquer(16);
        accueil.barre->cliquer(0);

        // Button 10 of the main window and 13 of the editor: the same dialog.
        auto& d = installerDialoguesScriptes();
        accueil.barre->cliquer(10);
        editeur.barre->cliquer(13);
        QCOMPARE(d.couleursProposees.size(), 2);
    }

    void suiviSansFenetre()
    {
        EtatBoutonsFormat avant;
        avant.droite = true;
        avant.gras = true;
        // Mixed styles release, mixed alignment keeps the three buttons.
        EtatBoutonsFormat apres = suivreFormat({std::nullopt, true, false, std::nullopt, std::nullopt}, avant);
        QVERIFY(!apres.gras && apres.italique && !apres.souligne && !apres.barre);
        QVERIFY(!apres.gauche && !apres.centre && apres.droite);
        // 0 left, 2 centre, 1 right: exactly one pressed.
        apres = suivreFormat({false, false, false, true, 2}, avant);
        QVERIFY(apres.barre && !apres.gauche && apres.centre && !apres.droite);
        apres = suivreFormat({false, false, false, false, 0}, apres);
        QVERIFY(apres.gauche && !apres.centre && !apres.droite);
        apres = suivreFormat({false, false, false, false, 1}, apres);
        QVERIFY(!apres.gauche && !apres.centre && apres.droite);
    }

    void grasSurSelectionMelangee()
    {
        Fenetre12 f;
        f.ajouter(QStringLiteral("gras"), gras());
        f.ajouter(QStringLiteral(" normal"));
        f.selectionner(0, 11);
        f.barre->suivreFormat();
        QVERIFY(!f.enfonce(Commande::Gras));
        f.cliquer(Commande::Gras);
        QVERIFY(f.enfonce(Commande::Gras));
        QCOMPARE(f.txt->SelBold(), std::optional<bool>(true));
        f.cliquer(Commande::Gras);
        QCOMPARE(f.txt->SelBold(), std::optional<bool>(false));

        // The other three styles the same way, each on its own.
        for (const Commande c : {Commande::Italique, Commande::Souligne, Commande::Barre})
            f.cliquer(c);
        QCOMPARE(f.txt->SelItalic(), std::optional<bool>(true));
        QCOMPARE(f.txt->SelUnderline(), std::optional<bool>(true));
        QCOMPARE(f.txt->SelStrikeThru(), std::optional<bool>(true));
        QCOMPARE(f.txt->SelBold(), std::optional<bool>(false));
    }

    void centrerDeuxFois()
    {
        Fenetre12 f;
        f.afficher();
        f.ajouter(QStringLiteral("Un paragraphe"));
        f.selectionner(2, 2);
        f.cliquer(Commande::Centrer);
        QCOMPARE(f.txt->SelAlignment(), std::optional<int>(2));
        QVERIFY(f.enfonce(Commande::Centrer) && !f.enfonce(Commande::AlignerGauche)
                && !f.enfonce(Commande::AlignerDroite));

        f.cliquer(Commande::Centrer);
        QCOMPARE(f.txt->SelAlignment(), std::optional<int>(2));
        QVERIFY(!f.enfonce(Commande::Centrer) && !f.enfonce(Commande::AlignerGauche)
                && !f.enfonce(Commande::AlignerDroite));

        // The next key release in the text catches up.
        QTest::keyClick(f.txt, Qt::Key_Shift);
        QVERIFY(f.enfonce(Commande::Centrer));

        f.cliquer(Commande::AlignerDroite);
        QCOMPARE(f.txt->SelAlignment(), std::optional<int>(1));
        QVERIFY(f.enfonce(Commande::AlignerDroite) && !f.enfonce(Commande::Centrer));
        f.cliquer(Commande::AlignerGauche);
        QCOMPARE(f.txt->SelAlignment(), std::optional<int>(0));
        QVERIFY(f.enfonce(Commande::AlignerGauche) && !f.enfonce(Commande::AlignerDroite));
    }

    void centrerUneLigneCliqueeTroisFois()
    {
        Fenetre12 f;
        f.afficher();
        f.ajouter(QStringLiteral("Objet : relance\nMadame,"));
        const QPoint ligne = f.txt->cursorRect(QTextCursor(f.txt->document())).center() + QPoint(20, 0);
        QTest::mouseDClick(f.txt->viewport(), Qt::LeftButton, {}, ligne);
        QTest::mouseClick(f.txt->viewport(), Qt::LeftButton, {}, ligne);
        QCOMPARE(f.txt->textCursor().selectedText().left(15), QStringLiteral("Objet : relance"));
        f.cliquer(Commande::Centrer);
        QCOMPARE(f.txt->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(f.txt->document()->lastBlock().blockFormat().alignment() & Qt::AlignHCenter, Qt::Alignment());
        QVERIFY(f.enfonce(Commande::Centrer));
    }

    void deuxAlignementsGardentLesBoutons()
    {
        Fenetre12 f;
        f.ajouter(QStringLiteral("gauche\ncentre"));
        f.selectionner(8, 8);
        f.cliquer(Commande::Centrer);
        f.selectionner(1, 1);
        f.barre->suivreFormat();
        QVERIFY(f.enfonce(Commande::AlignerGauche) && !f.enfonce(Commande::Centrer));
        f.selectionner(0, 10);
        QCOMPARE(f.txt->SelAlignment(), std::nullopt);
        f.barre->suivreFormat();
        QVERIFY(f.enfonce(Commande::AlignerGauche) && !f.enfonce(Commande::Centrer)
                && !f.enfonce(Commande::AlignerDroite));
    }

    void suiviApresClicEtFleche()
    {
        Fenetre12 f;
        f.afficher();
        QTextCharFormat italique;
        italique.setFontItalic(true);
        f.ajouter(QStringLiteral("xxxxxxxxxx"));
        f.ajouter(QStringLiteral("yyyyyyyyyy"), italique);
        f.ajouter(QStringLiteral("zzzzzzzzzz"), gras());

        // A click inside the bold word.
        QTextCursor c(f.txt->document());
        c.setPosition(25);
        const QPoint dansGras = f.txt->cursorRect(c).center();
        QTest::mouseClick(f.txt->viewport(), Qt::LeftButton, {}, dansGras);
        QCOMPARE(f.txt->textCursor().position(), 25);
        QVERIFY(f.enfonce(Commande::Gras));
        QVERIFY(!f.enfonce(Commande::Italique));

        // An arrow key from plain text into italic text.
        f.selectionner(10, 10);
        f.barre->suivreFormat();
        QVERIFY(!f.enfonce(Commande::Italique));
        QTest::keyClick(f.txt, Qt::Key_Right);
        QVERIFY(f.enfonce(Commande::Italique));
        QVERIFY(!f.enfonce(Commande::Gras));

        // Typing follows too (change notification).
        f.selectionner(30, 30);
        f.barre->bouton(Commande::Gras)->setChecked(false);
        QTest::keyClicks(f.txt, QStringLiteral("a"));
        QVERIFY(f.enfonce(Commande::Gras));
    }

    void raccourcisEtAnnulation()
    {
        Fenetre12 f;
        f.afficher();
        f.ajouter(QStringLiteral("mot"));
        f.selectionner(0, 3);

        QTest::keyClick(f.txt, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(f.txt->SelBold(), std::optional<bool>(true));
        QVERIFY(f.enfonce(Commande::Gras));
        QTest::keyClick(f.txt, Qt::Key_I, Qt::ControlModifier);
        QTest::keyClick(f.txt, Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(f.txt->SelItalic(), std::optional<bool>(true));
        QCOMPARE(f.txt->SelUnderline(), std::optional<bool>(true));
        QVERIFY(f.enfonce(Commande::Italique) && f.enfonce(Commande::Souligne));

        QTest::keyClick(f.txt, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.txt->SelUnderline(), std::optional<bool>(false));
        QVERIFY(!f.enfonce(Commande::Souligne));
        QTest::keyClick(f.txt, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.txt->SelItalic(), std::optional<bool>(false));
        QTest::keyClick(f.txt, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.txt->SelItalic(), std::optional<bool>(true));
        QTest::keyClick(f.txt, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.txt->SelUnderline(), std::optional<bool>(true));
        QVERIFY(f.enfonce(Commande::Souligne));

        QTest::keyClick(f.txt, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(f.txt->SelBold(), std::optional<bool>(false));
        QVERIFY(!f.enfonce(Commande::Gras));
    }

    void couleur()
    {
        auto& d = installerDialoguesScriptes();
        Fenetre12 f;
        QTextCharFormat rouge;
        rouge.setForeground(QColor(Qt::red));
        f.ajouter(QStringLiteral("rouge"), rouge);
        f.ajouter(QStringLiteral("noir"));

        f.selectionner(0, 5);
        d.couleurs.enqueue(QColor(Qt::blue));
        f.cliquer(Commande::Couleur);
        QCOMPARE(d.couleursProposees.last(), QColor(Qt::red));
        QCOMPARE(f.txt->SelColor(), std::optional<QColor>(QColor(Qt::blue)));

        // Mixed colours: the dialog keeps the colour it showed last.
        f.selectionner(0, 9);
        d.couleurs.enqueue(std::nullopt);
        f.cliquer(Commande::Couleur);
        QCOMPARE(d.couleursProposees.last(), QColor(Qt::blue));
        QCOMPARE(f.txt->SelColor(), std::nullopt);
        f.selectionner(0, 5);
        QCOMPARE(f.txt->SelColor(), std::optional<QColor>(QColor(Qt::blue)));
        QVERIFY(d.messages.isEmpty());
    }

    void policeSurDeuxPolices()
    {
        auto& d = installerDialoguesScriptes();
        Fenetre12 f;
        QTextCharFormat a;
        a.setFontFamilies({QStringLiteral("DejaVu Sans")});
        a.setFontPointSize(12);
        a.setFontUnderline(true);
        a.setForeground(QColor(Qt::darkGreen));
        QTextCharFormat b = a;
        b.setFontFamilies({QStringLiteral("DejaVu Serif")});
        b.setFontUnderline(false);
        b.setFontItalic(true);
        f.ajouter(QStringLiteral("Alpha"), a);
        f.ajouter(QStringLiteral("Beta"), b);
        f.selectionner(0, 9);

        d.polices.enqueue(std::nullopt);
        f.cliquer(Commande::Police);
        const ChoixPolice propose = d.policesProposees.last();
        QCOMPARE(propose.nom, std::nullopt);
        QCOMPARE(propose.taille, std::optional<double>(12));
        QCOMPARE(propose.gras, std::optional<bool>(false));
        QCOMPARE(propose.italique, std::nullopt);
        QCOMPARE(f.txt->SelFontName(), std::nullopt); // cancelled: nothing changed

        d.polices.enqueue(ChoixPolice{QStringLiteral("Liberation Mono"), 14.0, true, false, true, true});
        f.cliquer(Commande::Police);
        QCOMPARE(f.txt->SelFontName(), std::optional<QString>(QStringLiteral("Liberation Mono")));
        QCOMPARE(f.txt->SelFontSize(), std::optional<double>(14));
        QCOMPARE(f.txt->SelBold(), std::optional<bool>(true));
        QCOMPARE(f.txt->SelItalic(), std::optional<bool>(false));
        QCOMPARE(f.txt->SelUnderline(), std::optional<bool>(true));
        QCOMPARE(f.txt->SelStrikeThru(), std::optional<bool>(true));
        QCOMPARE(f.txt->SelColor(), std::optional<QColor>(QColor(Qt::darkGreen)));
        QVERIFY(d.messages.isEmpty());
    }

    void image()
    {
        auto& d = installerDialoguesScriptes();
        QTemporaryDir dossier;
        const QString png = dossier.filePath(QStringLiteral("logo.png"));
        QImage dessin(24, 12, QImage::Format_RGB32);
        dessin.fill(Qt::red);
        QVERIFY(dessin.save(png));
        const QString faux = dossier.filePath(QStringLiteral("faux.png"));
        QFile fichier(faux);
        QVERIFY(fichier.open(QIODevice::WriteOnly));
        fichier.write("pas une image");
        fichier.close();

        Fenetre12 f(Fenetre::Editeur);
        f.ajouter(QStringLiteral("avant ICI après"));
        f.selectionner(6, 9);
        QGuiApplication::clipboard()->setText(QStringLiteral("texte copié avant"));

        d.textes.enqueue(png);
        f.cliquer(Commande::Image);
        QCOMPARE(
            d.demandes.last(),
            QStringLiteral("ouvrir: %1|%2").arg(commandes::titreDialogueImage(), commandes::filtreDialogueImage()));
        QCOMPARE(d.demandes.last(),
                 QStringLiteral("ouvrir: Choisissez une image ...|Images (*.bmp *.gif *.jpg *.jpeg *.png)"));
        QCOMPARE(nombreImages(*f.txt->document()), 1);
        QVERIFY(!f.txt->toPlainText().contains(QStringLiteral("ICI"))); // the selection was replaced
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("texte copié avant"));
        QVERIFY(d.messages.isEmpty());

        // Kept by the RTF writer and reader.
        RichTextBox relu;
        relu.setTextRTF(f.txt->TextRTF());
        QCOMPARE(nombreImages(*relu.document()), 1);
        QCOMPARE(relu.toPlainText(), f.txt->toPlainText());

        // Not a picture, missing file, cancelled dialog.
        d.textes.enqueue(faux);
        f.cliquer(Commande::Image);
        QCOMPARE(d.messages.size(), 1);
        QCOMPARE(d.messages[0].titre, QStringLiteral("Erreur"));
        QVERIFY(d.messages[0].texte.contains(QStringLiteral("faux.png")));
        QVERIFY(d.messages[0].texte.contains(QStringLiteral("pas une image lisible")));
        d.textes.enqueue(dossier.filePath(QStringLiteral("absent.jpg")));
        f.cliquer(Commande::Image);
        QCOMPARE(d.messages.size(), 2);
        QVERIFY(d.messages[1].texte.contains(QStringLiteral("n'existe pas")));
        f.cliquer(Commande::Image);
        QCOMPARE(d.messages.size(), 2);
        QCOMPARE(nombreImages(*f.txt->document()), 1);
    }
};

QTEST_MAIN(TestBarreOutils)
#include "tst_barreoutils.moc"
