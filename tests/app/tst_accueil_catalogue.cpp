#include "app/frmaccueil.h"
#include "platform/fenetres.h"
#include "richtext/frmtexte.h"
#include "richtext/richtextbox.h"
#include "support/banc.h"
#include "support/outilsfenetre.h"

#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>

class TestAccueilCatalogue : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_banc.emplace();
        m_banc->base.executer(QStringLiteral(
            "INSERT INTO Categorie_Modele VALUES (1, 'Logement'), (2, 'Emploi'), (3, 'assurances');"
            "INSERT INTO Sous_Categorie_Modele VALUES (10, 1, 'Préavis'), (11, 1, 'L''état des lieux'), (20, 2, 'Démission');"
            "INSERT INTO Modele VALUES (100, 10, 'Zone tendue', '{\\rtf1 Corps}', 'https://exemple.fr/m', 'Save/fiches/p.html'),"
            " (101, 10, 'abandon', '', '', '');"));
    }

    void cleanup() { m_banc.reset(); }

    void parcoursDuCatalogue()
    {
        FrmAccueil f;
        auto* categories = controle<QComboBox>(f, "cmbCategorieModele");
        auto* sousCategories = controle<QComboBox>(f, "cmbSousCategorieModele");
        auto* liste = controle<QTreeView>(f, "lsvModele");
        auto* supprimer = controle<QToolButton>(f, "cmdSupprimerModele");
        auto* modifier = controle<QToolButton>(f, "cmdModifierModele");
        QCOMPARE(categories->count(), 3);
        QCOMPARE(categories->itemText(0), QStringLiteral("assurances"));
        QCOMPARE(sousCategories->count(), 0);
        QVERIFY(supprimer->isEnabled() && modifier->isEnabled());

        // Commands enabled at start do nothing on the empty list.
        supprimer->click();
        controle<QToolButton>(f, "cmdModele")->click();
        QVERIFY(m_banc->dialogues.messages.isEmpty());
        QVERIFY(m_banc->bureau.cibles.isEmpty());

        choisirElement(categories, "Logement");
        QCOMPARE(sousCategories->count(), 2);
        QCOMPARE(sousCategories->itemText(0), QStringLiteral("L'état des lieux"));
        QVERIFY(sousCategories->currentText().isEmpty());
        choisirElement(sousCategories, "Préavis");
        QCOMPARE(colonne(liste, 1), (QStringList{"abandon", "Zone tendue"}));
        QCOMPARE(f.idModeleCourant(), QStringLiteral("101"));
        QCOMPARE(f.saisieLettre().lignesModeles, 2);
        for (int c : {0, 2, 3})
            QVERIFY(liste->isColumnHidden(c));
        QCOMPARE(liste->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Libellé"));

        // Link buttons are enabled only for a model that has the link.
        auto* document = controle<QToolButton>(f, "cmdModele");
        auto* fiche = controle<QToolButton>(f, "cmdFiche");
        QVERIFY(!document->isEnabled() && !fiche->isEnabled());
        liste->setCurrentIndex(liste->model()->index(1, 1));
        QCOMPARE(f.idModeleCourant(), QStringLiteral("100"));
        QVERIFY(document->isEnabled() && fiche->isEnabled());
        document->click();
        // No program opens the sheet: the user is told where it is.
        m_banc->bureau.resultats.enqueue(false);
        fiche->click();
        QCOMPARE(m_banc->bureau.cibles, (QStringList{"https://exemple.fr/m", "Save/fiches/p.html"}));
        QCOMPARE(m_banc->bureau.dossiers, (QStringList{m_banc->base.dossier(), m_banc->base.dossier()}));
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QVERIFY(m_banc->dialogues.messages[0].texte.contains(m_banc->base.dossier()
                                                             + QStringLiteral("/Save/fiches/p.html")));
        m_banc->dialogues.messages.clear();

        // Another category empties the list; the commands keep their state.
        choisirElement(categories, "Emploi");
        QCOMPARE(liste->model()->rowCount(), 0);
        QCOMPARE(sousCategories->count(), 1);
        QVERIFY(supprimer->isEnabled());
        choisirElement(sousCategories, "Démission");
        QVERIFY(!supprimer->isEnabled() && !modifier->isEnabled());
    }

    void ajoutEtSuppressionDeModeles()
    {
        FrmAccueil f;
        auto* categories = controle<QComboBox>(f, "cmbCategorieModele");
        auto* liste = controle<QTreeView>(f, "lsvModele");
        auto* ajouter = controle<QToolButton>(f, "cmdAjouterModele");

        ajouter->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].texte, QStringLiteral("Veuillez saisir une sous-catégorie."));
        QVERIFY(m_banc->dialogues.demandes.isEmpty());

        choisirElement(categories, "Logement");
        choisirElement(controle<QComboBox>(f, "cmbSousCategorieModele"), "L'état des lieux");
        QCOMPARE(liste->model()->rowCount(), 0);
        QVERIFY(!controle<QToolButton>(f, "cmdSupprimerModele")->isEnabled());

        ajouter->click(); // cancelled: nothing added
        QCOMPARE(m_banc->dialogues.demandes.size(), 1);
        QCOMPARE(liste->model()->rowCount(), 0);
        m_banc->dialogues.textes.enqueue(QStringLiteral("Arrivée"));
        m_banc->dialogues.textes.enqueue(QStringLiteral("Libelle"));
        ajouter->click();
        ajouter->click();
        QCOMPARE(colonne(liste, 1), (QStringList{"Arrivée", "Libelle"}));
        QCOMPARE(liste->currentIndex().row(), 1); // the new model
        QVERIFY(controle<QToolButton>(f, "cmdSupprimerModele")->isEnabled());
        QCOMPARE(
            compter(
                "Modele",
                "Numero_Sous_Cat_Modele = 11 AND Corps_Modele = '' AND Lien_Modele = '' AND Lien_Fiche_Modele = ''"),
            2);

        m_banc->dialogues.reponses.enqueue(Reponse::Non);
        controle<QToolButton>(f, "cmdSupprimerModele")->click();
        QCOMPARE(m_banc->dialogues.messages.last().texte,
                 QStringLiteral("Êtes-vous sûr de vouloir supprimer ce modèle ?"));
        QCOMPARE(liste->model()->rowCount(), 2);
        controle<QToolButton>(f, "cmdSupprimerModele")->click();
        controle<QToolButton>(f, "cmdSupprimerModele")->click();
        QCOMPARE(liste->model()->rowCount(), 0);
        QVERIFY(!controle<QToolButton>(f, "cmdSupprimerModele")->isEnabled());
        QVERIFY(!controle<QToolButton>(f, "cmdModifierModele")->isEnabled());
    }

    // A file that is not RTF, or too large, adds nothing; a letter becomes
    // a model of the sub-category, opened in the editor.
    void importDUnModeleRtf()
    {
        FrmAccueil f;
        choisirElement(controle<QComboBox>(f, "cmbCategorieModele"), "Logement");
        choisirElement(controle<QComboBox>(f, "cmbSousCategorieModele"), "L'état des lieux");
        auto* importer = controle<QToolButton>(f, "cmdImporterModele");
        QCOMPARE(importer->toolTip(), QStringLiteral("Importer un modèle (RTF)…"));
        QTemporaryDir dossier;
        const auto fichier = [&dossier](const QString& nom, const QByteArray& contenu, qint64 taille = -1) {
            QFile f(dossier.filePath(nom));
            f.open(QIODevice::WriteOnly);
            f.write(contenu);
            if (taille > 0)
                f.resize(taille);
            return f.fileName();
        };
        m_banc->dialogues.textes << fichier("notes.rtf", "Bonjour Madame,")
                                 << fichier("gros.rtf", "{\\rtf1 x}", 20 * 1024 * 1024 + 1);
        importer->click();
        importer->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 2);
        QVERIFY(m_banc->dialogues.messages[0].texte.contains(QStringLiteral("n'est pas un document RTF")));
        QVERIFY(m_banc->dialogues.messages[1].texte.contains(QStringLiteral("dépasse 20 Mo")));
        QCOMPARE(entier("SELECT COUNT(*) FROM Modele"), 2);

        m_banc->dialogues.textes << fichier("Résiliation_box.rtf",
                                            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\b Madame,}\\par Je r\\'e9silie.}")
                                 << QString();
        importer->click(); // the label box is cancelled: nothing added
        QCOMPARE(m_banc->dialogues.demandes.last(),
                 QStringLiteral("saisie: Importer un modèle|Veuillez saisir le libellé du "
                                "nouveau modèle :|Résiliation box"));
        QCOMPARE(entier("SELECT COUNT(*) FROM Modele"), 2);
        m_banc->dialogues.textes << dossier.filePath("Résiliation_box.rtf") << QStringLiteral("Résiliation");
        importer->click();
        QCOMPARE(colonne(controle<QTreeView>(f, "lsvModele"), 1), QStringList{"Résiliation"});
        auto* editeur = qobject_cast<FrmTexte*>(fenetreOuverte(QStringLiteral("FrmTexte")));
        QVERIFY(editeur);
        QCOMPARE(editeur->idModele, f.idModeleCourant());
        QCOMPARE(editeur->txtText()->toPlainText(), QStringLiteral("Madame,\nJe résilie."));
        QCOMPARE(editeur->txtText()->document()->find(QStringLiteral("Madame")).charFormat().fontWeight(), QFont::Bold);
        editeur->close();
    }

    void traitementDepuisUnModele()
    {
        FrmAccueil f;
        choisirElement(controle<QComboBox>(f, "cmbCategorieModele"), "Logement");
        choisirElement(controle<QComboBox>(f, "cmbSousCategorieModele"), "Préavis");
        auto* liste = controle<QTreeView>(f, "lsvModele");
        liste->setCurrentIndex(liste->model()->index(1, 1));
        f.cmdMenu_Click(4);
        QVERIFY(m_banc->dialogues.messages.isEmpty());
        QVERIFY(f.txtText()->toPlainText().contains(QStringLiteral("Corps")));
        QCOMPARE(f.iEtapeCible(), 4);
    }

    void fenetresSecondaires()
    {
        int creees = 0;
        const auto creer = [&creees] {
            ++creees;
            return new QWidget;
        };
        QWidget* premiere = afficherFenetre("FrmEssai", creer);
        QCOMPARE(premiere->objectName(), QStringLiteral("FrmEssai"));
        QVERIFY(premiere->isVisible());
        QVERIFY(premiere->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(afficherFenetre("FrmEssai", creer), premiere);
        QCOMPARE(creees, 1);
        QCOMPARE(fenetreOuverte("FrmEssai"), premiere);
        QPointer<QWidget> suivie = premiere;
        premiere->close();
        QCOMPARE(fenetreOuverte("FrmEssai"), nullptr);
        // Asked again right after closing: a fresh window, the old one goes.
        QWidget* seconde = afficherFenetre("FrmEssai", creer);
        QCOMPARE(creees, 2);
        QTRY_VERIFY(suivie.isNull());
        QCOMPARE(fenetreOuverte("FrmEssai"), seconde);
        seconde->close();
    }

private:
    std::optional<BancEssai> m_banc;
};

QTEST_MAIN(TestAccueilCatalogue)
#include "tst_accueil_catalogue.moc"
