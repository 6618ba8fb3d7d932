// A letter from start to end through the real main window, on the delivered
// catalogue: address book, model, "Traitement", then every way out (paper,
// e-mail, RTF file) and the editor window closed with the main window.

#include "app/frmaccueil.h"
#include "app/frmjournal.h"
#include "platform/connexion.h"
#include "platform/fenetres.h"
#include "platform/imprimante.h"
#include "richtext/frmapercu.h"
#include "richtext/frmtexte.h"
#include "richtext/richtextbox.h"
#include "store/journal.h"
#include "support/banc.h"
#include "support/outilsfenetre.h"
#include "support/pdfmots.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>

namespace {

void saisir(const FrmAccueil& f, const char* nom, const QString& texte)
{
    controle<QLineEdit>(f, QString::fromLatin1(nom))->setText(texte);
}

void cliquer(const FrmAccueil& f, const char* nom)
{
    controle<QAbstractButton>(f, QString::fromLatin1(nom))->click();
}

void ajouterDestinataireEssai(const FrmAccueil& f, const QString& nom, const QString& mail)
{
    cliquer(f, "cmdAjouterDest");
    controle<QComboBox>(f, QStringLiteral("cmbTitreDest"))->setCurrentText(QStringLiteral("Monsieur"));
    saisir(f, "txtNomDest", nom);
    saisir(f, "txtAdresse1Dest", QStringLiteral("3 rue des Lilas"));
    saisir(f, "txtCPDest", QStringLiteral("69003"));
    saisir(f, "txtVilleDest", QStringLiteral("Lyon"));
    saisir(f, "txtMailDest", mail);
    cliquer(f, "cmdModifDest");
}

} // namespace

class TestAccueilSorties : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_banc.emplace(BaseTemporaire::Contenu::Catalogue);
        m_imprimante = &m_banc->imprimante();

        m_fenetre = std::make_unique<FrmAccueil>();
        const FrmAccueil& f = *m_fenetre;
        saisir(f, "txtNomExp", QStringLiteral("Lefèvre"));
        saisir(f, "txtPrenomExp", QStringLiteral("Hélène"));
        cliquer(f, "cmdModifExp");
        ajouterDestinataireEssai(f, QStringLiteral("Bernard"), QStringLiteral("b@exemple.fr"));
        ajouterDestinataireEssai(f, QStringLiteral("Arnaud"), QStringLiteral("a@exemple.fr"));
        saisir(f, "txtObjetLettre", QStringLiteral("Loyer & charges"));

        auto* categories = controle<QComboBox>(f, QStringLiteral("cmbCategorieModele"));
        choisirElement(categories, QStringLiteral("Logement"));
        auto* sous = controle<QComboBox>(f, QStringLiteral("cmbSousCategorieModele"));
        choisirElement(sous, sous->itemText(0));
        auto* modeles = controle<QTreeView>(f, QStringLiteral("lsvModele"));
        QVERIFY(modeles->model()->rowCount() > 0);
        modeles->setCurrentIndex(modeles->model()->index(0, 0));
        QVERIFY(m_banc->dialogues.messages.isEmpty());
    }

    void cleanup()
    {
        m_fenetre.reset();
        m_banc.reset();
    }

    void lettreIndividuelle()
    {
        const FrmAccueil& f = *m_fenetre;
        // The chooser shows the last recipient saved: Arnaud.
        m_fenetre->cmdMenu_Click(4);
        const QString texte = m_fenetre->txtText()->toPlainText();
        QVERIFY(texte.contains(QStringLiteral("Monsieur Arnaud")));
        QVERIFY(texte.contains(QStringLiteral("Lefèvre Hélène")));

        m_banc->dialogues.reponses.enqueue(Reponse::Oui);
        cliquer(f, "cmdImprimerLettre");
        QCOMPARE(m_imprimante->fichiers().size(), 1);
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers()[0]);
        QVERIFY2(pdf.texte(0).contains(QStringLiteral("Arnaud")), qPrintable(pdf.erreur));

        cliquer(f, "cmdMail");
        QCOMPARE(m_banc->bureau.cibles,
                 QStringList{QStringLiteral("mailto:?to=a@exemple.fr&Subject=Loyer%20%26%20charges")});

        const QString chemin = m_banc->dossierPapier() + QStringLiteral("/lettre.rtf");
        m_banc->dialogues.textes.enqueue(chemin);
        cliquer(f, "cmdExporter");
        QFile fichier(chemin);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        QVERIFY(fichier.readAll().startsWith("{\\rtf1"));

        // Each way out recorded, with who it went to and from.
        const QList<EntreeJournal> journal = lireJournal();
        QCOMPARE(journal.size(), 3);
        QCOMPARE(journal[0].canal, canal::exportRtf);
        QCOMPARE(journal[1].canal, canal::mail);
        QCOMPARE(journal[2].canal, canal::impression);
        for (const EntreeJournal& e : journal) {
            QCOMPARE(e.destinataire.nom, QStringLiteral("Monsieur Arnaud"));
            QCOMPARE(e.destinataire.adresse, QStringLiteral("3 rue des Lilas\n69003 Lyon"));
            QCOMPARE(e.expediteur.nom, QStringLiteral("Hélène Lefèvre"));
            QCOMPARE(e.objet, QStringLiteral("Loyer & charges"));
            QVERIFY(!e.modele.isEmpty());
        }
        QVERIFY(texteEnvoye(journal[2].numero).contains(QStringLiteral("Arnaud")));

        m_fenetre->AfficherDestinataire();
        QCOMPARE(controle<QLabel>(f, QStringLiteral("lblDernierEnvoi"))->text(),
                 QStringLiteral("Dernier envoi : ") + resumeEnvoi(journal[0]));
    }

    // A letter of the journal taken up as a reminder: back in "Traitement"
    // with "Relance : " before its subject.
    void repriseEnRelance()
    {
        const FrmAccueil& f = *m_fenetre;
        m_fenetre->cmdMenu_Click(4);
        m_banc->dialogues.reponses.enqueue(Reponse::Oui);
        cliquer(f, "cmdImprimerLettre");
        m_fenetre->txtText()->clear();
        m_fenetre->txtText()->document()->setModified(false);

        cliquer(f, "cmdJournal");
        auto* journal = qobject_cast<FrmJournal*>(fenetreOuverte(QStringLiteral("FrmJournal")));
        QVERIFY(journal);
        journal->selectionner(0);
        controle<QPushButton>(*journal, QStringLiteral("cmdRelance"))->click();
        QCOMPARE(controle<QLineEdit>(f, QStringLiteral("txtObjetLettre"))->text(),
                 QStringLiteral("Relance : Loyer & charges"));
        QVERIFY(m_fenetre->txtText()->toPlainText().contains(QStringLiteral("Relance : Loyer & charges")));
        QVERIFY(m_fenetre->txtText()->toPlainText().contains(QStringLiteral("Arnaud")));
        QCOMPARE(m_fenetre->iEtapeCible(), 4);
        journal->close();
    }

    void publipostage()
    {
        const FrmAccueil& f = *m_fenetre;
        controle<QAbstractButton>(f, QStringLiteral("optDiffusion(1)"))->click();
        controle<QTreeView>(f, QStringLiteral("lsvDest"))->selectAll();
        m_fenetre->cmdMenu_Click(4);
        QVERIFY(m_fenetre->txtText()->toPlainText().contains(QStringLiteral("<NomDest>")));
        QCOMPARE(controle<QToolButton>(f, QStringLiteral("cmdImprimerLettre"))->toolTip(),
                 QStringLiteral("Imprimer les 2 lettres"));

        m_banc->dialogues.reponses.enqueue(Reponse::Oui);
        cliquer(f, "cmdImprimerLettre");
        QCOMPARE(m_imprimante->fichiers().size(), 2);
        // In the list's order (French order of names), one letter each.
        QVERIFY(lirePdf(m_imprimante->fichiers()[0]).texte(0).contains(QStringLiteral("Arnaud")));
        QVERIFY(lirePdf(m_imprimante->fichiers()[1]).texte(0).contains(QStringLiteral("Bernard")));
        QVERIFY(m_fenetre->txtText()->toPlainText().contains(QStringLiteral("<NomDest>")));

        cliquer(f, "cmdMail");
        QCOMPARE(m_banc->bureau.cibles.last(),
                 QStringLiteral("mailto:?to=a@exemple.fr&to=b@exemple.fr&Subject=Loyer%20%26%20charges"));
    }

    // The mass preview: each selected recipient's letter in turn, named in
    // the caption; its "Imprimer" is the window's, confirmation included.
    void apercuEnNombre()
    {
        QTemporaryDir papier;
        auto* imprimante = new ImprimantePdf(papier.path());
        installerImprimantes(imprimante);
        const FrmAccueil& f = *m_fenetre;
        controle<QAbstractButton>(f, QStringLiteral("optDiffusion(1)"))->click();
        controle<QTreeView>(f, QStringLiteral("lsvDest"))->selectAll();
        m_fenetre->cmdMenu_Click(4);
        cliquer(f, "cmdApercu");
        auto* apercu = qobject_cast<FrmApercu*>(fenetreOuverte(QStringLiteral("FrmApercu")));
        QVERIFY(apercu);
        const int pages = apercu->vue()->pageCount();
        QCOMPARE(pages % 2, 0);
        QCOMPARE(apercu->legende(), QStringLiteral("Page 1 sur %1 — lettre à Monsieur Arnaud (1 sur 2)").arg(pages));
        apercu->vue()->setCurrentPage(pages);
        QTRY_COMPARE(apercu->legende(),
                     QStringLiteral("Page %1 sur %1 — lettre à Monsieur Bernard (2 sur 2)").arg(pages));
        QVERIFY(imprimante->fichiers().isEmpty());

        m_banc->dialogues.reponses.enqueue(Reponse::Oui);
        controle<QPushButton>(*apercu, QStringLiteral("cmdImprimer"))->click();
        QCOMPARE(m_banc->dialogues.messages.last().texte,
                 QStringLiteral("Êtes-vous sûr de vouloir imprimer les 2 lettres ?"));
        QCOMPARE(imprimante->fichiers().size(), 2);
        apercu->close();
    }

    void lettreModifieeNonRecomposeeSansAccord()
    {
        m_fenetre->cmdMenu_Click(4);
        RichTextBox* lettre = m_fenetre->txtText();
        lettre->moveCursor(QTextCursor::End);
        lettre->insertPlainText(QStringLiteral("Post-scriptum"));

        // Enter on the question keeps the letter; the step still comes up.
        m_fenetre->cmdMenu_Click(2);
        QCOMPARE(m_fenetre->iEtapeCible(), 2);
        m_banc->dialogues.reponses.enqueue(std::nullopt);
        m_fenetre->cmdMenu_Click(4);
        QCOMPARE(m_banc->dialogues.messages.last().texte,
                 QStringLiteral("La lettre a été modifiée. La recomposer et perdre ces modifications ?"));
        QVERIFY(lettre->toPlainText().contains(QStringLiteral("Post-scriptum")));
        QCOMPARE(m_fenetre->iEtapeCible(), 4);

        // Leaving the edited letter asks too; Enter stays.
        m_banc->dialogues.reponses.enqueue(std::nullopt);
        QVERIFY(!m_fenetre->close());
        QCOMPARE(m_banc->dialogues.messages.last().texte,
                 QStringLiteral("La lettre a été modifiée. Quitter et perdre ces modifications ?"));

        m_banc->dialogues.reponses.enqueue(Reponse::Oui);
        m_fenetre->cmdMenu_Click(4);
        QVERIFY(!lettre->toPlainText().contains(QStringLiteral("Post-scriptum")));
        QCOMPARE(m_banc->dialogues.messages.size(), 3);
        QVERIFY(m_fenetre->close());
    }

    void fermetureAvecLEditeurOuvert()
    {
        cliquer(*m_fenetre, "cmdModifierModele");
        auto* editeur = qobject_cast<FrmTexte*>(fenetreOuverte(QStringLiteral("FrmTexte")));
        QVERIFY(editeur);
        editeur->txtText()->insertPlainText(QStringLiteral("ajout "));

        // "Annuler" keeps the editor, and so the main window, open.
        m_banc->dialogues.reponses.enqueue(Reponse::Annuler);
        QVERIFY(!m_fenetre->close());
        QVERIFY(fenetreOuverte(QStringLiteral("FrmTexte")));

        // "Non" closes both without saving.
        m_banc->dialogues.reponses.enqueue(Reponse::Non);
        QVERIFY(m_fenetre->close());
        QTRY_VERIFY(!fenetreOuverte(QStringLiteral("FrmTexte")));
    }

private:
    ImprimanteEssai* m_imprimante = nullptr;
    std::optional<BancEssai> m_banc;
    std::unique_ptr<FrmAccueil> m_fenetre;
};

QTEST_MAIN(TestAccueilSorties)
#include "tst_accueil_sorties.moc"
