#pragma once

#include "app/etapes.h"
#include "app/mdgeneral.h"
#include "output/composition.h"
#include "output/journalsorties.h"
#include "platform/recordset.h"
#include "store/destinataires.h"
#include "store/expediteurs.h"

#include <QSet>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>

class FiltreCaracteres;
class QAction;
class ModeleTableau;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class PanneauPersonne;
class QPushButton;
class QRadioButton;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeView;
class RichTextBox;

// The main window: a five-step assistant (sender, recipient, particulars,
// body, output). Its controls are the working state of the letter; the
// address-book and catalogue commands move values between them and the
// database. Every control carries its name as objectName ("barMenu(2)" for
// element 2 of a control array). Coordinates are in twips, 15 to a pixel.
class FrmAccueil : public QWidget {
    Q_OBJECT

public:
    explicit FrmAccueil(QWidget* parent = nullptr);
    ~FrmAccueil() override;

    static constexpr int kLargeur = 14205; // client area, twips
    static constexpr int kHauteur = 9030;

    // The start-up sequence (registry, database, panels, current step, the
    // fills, individual mode, text option). Runs once, from the constructor;
    // a failed database is reported once the window is shown.
    const mdGeneral::ResultatDemarrage& demarrage() const { return m_demarrage; }

    // ---- For the other parts of the program. ----
    RichTextBox* txtText() const { return m_txtText; }
    // The letter entry as the controls hold it now, saved or not.
    SaisieLettre saisieLettre() const;
    bool modeIndividuel() const;
    // The recipient's e-mail address as typed (txtMailDest).
    QString mailDestinataire() const;
    bool modeDepuisModele() const;
    // Texts (ids) of the selected rows of lsvDest, in list order.
    QList<RecordId> idsDestinatairesSelectionnes() const;
    int NombreDestinatairesSelectionnes() const;
    // Text (model id) of lsvModele's current row, "" when none.
    QString idModeleCourant() const;

    // ---- Steps. ----
    int iEtapeCourante() const { return m_etapes.iEtapeCourante(); }
    int iEtapeCible() const { return m_etapes.iEtapeCible(); }
    // Position of barMenu(i) in twips.
    AnimationEtapes::Position positionPanneau(int i) const { return m_etapes.position(i); }
    QTimer* Timer1() const { return m_timer1; }
    // A click on cmdMenu(i).
    void cmdMenu_Click(int i);
    // One tick of Timer1.
    void Timer1_Timer();

    // ---- Address books. ----
    void RemplirComboExpediteurs();
    void AfficherExpediteur();
    void NouvelExpediteur();
    void EnregistrerExpediteur();
    void SupprimerExpediteur();
    RecordId NumeroExpediteurChoisi() const;
    bool bNouvelExpediteur() const;

    // The recipient chooser and the mass list, from one reading of the table.
    void RemplirDestinataires();
    void AfficherDestinataire();
    void NouveauDestinataire();
    void EnregistrerDestinataire();
    void SupprimerDestinataire();
    RecordId NumeroDestinataireChoisi() const;
    bool bNouveauDestinataire() const;

    // ---- Model catalogue. ----
    void RemplirCategories();
    void RemplirSousCategories();
    void RemplirModeles();
    RecordId NumeroCategorieChoisie() const;
    RecordId NumeroSousCategorieChoisie() const;
    void AjouterModele();
    void SupprimerModele();
    // "Importer un modèle (RTF)…": a model of the chosen sub-category made
    // from an RTF file, then opened in the editor.
    void ImporterModele();

protected:
    void showEvent(QShowEvent* event) override;
    // Closing the main window first asks once about what would be lost (a
    // sender or recipient not saved, an edited letter), then closes the
    // secondary windows; an editor whose changes the user chooses to keep
    // stops the closing.
    void closeEvent(QCloseEvent* event) override;

private slots:
    // Commands whose work is done elsewhere in the program
    // (frmaccueil_sorties.cpp).
    void cmdOption_Click();
    void cmdAide_Click();
    void cmdImport_Click();
    void cmdImportContacts_Click();
    void cmdJournal_Click();
    void cmdModifierModele_Click();
    void cmdImprimerLettre_Click();
    void cmdImprimerEnv_Click();
    void cmdEtiquettes_Click();
    void cmdExporter_Click();
    void cmdMail_Click();
    void cmdEnregistrerPdf_Click();
    void cmdMailPdf_Click();
    // The print preview of the letter(s) and of the envelope(s)
    // (frmaccueil_sorties.cpp).
    void cmdApercu_Click();
    void cmdApercuEnveloppe_Click();

private:
    // Building the controls (frmaccueil_controles.cpp, frmaccueil_panneaux.cpp).
    void construireFenetre();
    void construirePanneauExpediteur(QGroupBox* panneau);
    void construirePanneauDestinataire(QGroupBox* panneau);
    void construirePanneauObjet(QGroupBox* panneau);
    void construirePanneauCorps(QGroupBox* panneau);
    void construireImportModele(QGroupBox* panneau);
    void selectionnerModele(const QString& id);
    void construirePanneauTraitement(QGroupBox* panneau);
    // Puts the formatting toolbar in its place above txtText.
    void placerToolbar1(QToolBar* barre);
    void construireApercu(QGroupBox* panneau);
    void connecter();
    void chargement();

    void afficherPanneaux();
    void optDiffusion_Click(int k);
    void optModeleLettre_Click(int k);
    void cmdGenererDate_Click();
    // The columns of the model list lsvModele: the model's id (hidden), its
    // title, then its document and information-sheet links (hidden).
    enum ColonneModele : int { kIdModele, kLibelleModele, kLienModele, kLienFiche };
    // The columns of the mass list lsvDest: the recipient's id (hidden),
    // then "title last-name first-name".
    enum ColonneDestinataire : int { kIdDestinataire, kNomDestinataire };

    // The link in the given column of the selected model, "" when none; a
    // button without a link is disabled.
    QString lienModeleChoisi(ColonneModele colonne) const;
    void activerLiensModele();
    void ouvrirLienModele(ColonneModele colonne);
    // Slides the panel of step i in, unless it is the current one.
    void changerEtape(int i);
    void mettreAJourInfobulles();

    // Runs one command; a database failure ends it with one message saying
    // what could not be done and why, and the window stays usable.
    void commande(const QString& echec, const std::function<void()>& action);

    // What the journal keeps of the sender, recipient, model and subject
    // shown now (frmaccueil_sorties.cpp).
    ContexteEnvoi contexteEnvoi() const;
    // A letter of the journal taken up again (or as a reminder) as the
    // current letter, with its sender and recipient when they still exist.
    void reprendreEnvoi(const EntreeJournal& entree, const QString& rtf, bool relance);

    // Composes the letter for "Traitement"; a letter edited since it was
    // composed is only replaced if the user agrees. False when the step
    // must not come up.
    bool composerPourTraitement();

    // A record as the values of its person form, and back.
    static QStringList valeursExpediteur(const FicheExpediteur& fiche);
    static FicheExpediteur versFicheExpediteur(const QStringList& valeurs);
    static QStringList valeursDestinataire(const FicheDestinataire& fiche);
    static FicheDestinataire versFicheDestinataire(const QStringList& valeurs);
    FicheExpediteur ficheExpediteurSaisie() const;
    FicheDestinataire ficheDestinataireSaisie() const;

    // Unsaved work (frmaccueil_fermeture.cpp).
    bool lettreModifiee() const;
    // True when nothing would be lost, or the user saved it or let it go.
    bool accepterFermeture();

    // The recipient's last entry in the journal, under its address.
    void montrerDernierEnvoi(RecordId id);
    void afficherListeDestinataires(const LignesDestinataires& lignes);
    // The lists, once the database opens after start-up; the fields keep
    // what the user typed meanwhile.
    void remplirListesRetablies();

    // What other desktops change on a shared server (frmaccueil_partage.cpp):
    // the lists follow, the fields and choices stay as the user left them.
    void suivreLesAutresPostes();
    void rafraichirTablesModifiees();
    void rafraichirDestinataires();
    void rafraichirCatalogue();

    mdGeneral::ResultatDemarrage m_demarrage;
    bool m_messageBaseAAfficher = false;
    AnimationEtapes m_etapes;

    FiltreCaracteres* m_filtre = nullptr;
    QTimer* m_timer1 = nullptr;
    QTimer* m_rafraichissement = nullptr;
    QSet<QString> m_tablesModifiees;
    std::array<QGroupBox*, AnimationEtapes::kNombreEtapes> m_barMenu{};
    std::array<QPushButton*, AnimationEtapes::kNombreEtapes> m_cmdMenu{};
    QToolButton* m_cmdOption = nullptr;
    QToolButton* m_cmdAide = nullptr;
    QToolButton* m_cmdImport = nullptr;
    QToolButton* m_cmdImportContacts = nullptr;
    QToolButton* m_cmdJournal = nullptr;

    // Sender.
    PanneauPersonne* m_expediteur = nullptr;

    // Recipient.
    std::array<QRadioButton*, 2> m_optDiffusion{};
    QLabel* m_lblDestUnique0 = nullptr;
    PanneauPersonne* m_destinataire = nullptr;
    QLabel* m_lblDernierEnvoi = nullptr; // "Dernier envoi : …" of the recipient shown
    QFrame* m_line1 = nullptr;
    QLabel* m_lblDestMult = nullptr;
    QTreeView* m_lsvDest = nullptr;
    ModeleTableau* m_listeDest = nullptr;

    // Particulars.
    QLineEdit *m_txtDateLettre = nullptr, *m_txtVilleLettre = nullptr, *m_txtObjetLettre = nullptr,
              *m_txtPieceLettre = nullptr;
    QPushButton* m_cmdGenererDate = nullptr;
    QComboBox* m_cmbFormuleLettre = nullptr;

    // Body.
    std::array<QRadioButton*, 2> m_optModeleLettre{};
    std::array<QLabel*, 4> m_lblCorps{};
    QComboBox* m_cmbCategorieModele = nullptr;
    QComboBox* m_cmbSousCategorieModele = nullptr;
    QTreeView* m_lsvModele = nullptr;
    ModeleTableau* m_listeModeles = nullptr;
    QToolButton *m_cmdAjouterModele = nullptr, *m_cmdSupprimerModele = nullptr, *m_cmdModifierModele = nullptr;
    QToolButton* m_cmdImporterModele = nullptr;
    QToolButton *m_cmdModele = nullptr, *m_cmdFiche = nullptr;

    // Output.
    RichTextBox* m_txtText = nullptr;
    QToolButton *m_cmdImprimerLettre = nullptr, *m_cmdImprimerEnv = nullptr, *m_cmdExporter = nullptr,
                *m_cmdMail = nullptr;
    QToolButton *m_cmdEnregistrerPdf = nullptr, *m_cmdMailPdf = nullptr;
    QAction* m_mnuPdfA = nullptr;
    QToolButton* m_cmdEtiquettes = nullptr; // mass mode only
    QToolButton* m_cmdApercu = nullptr;
    QAction* m_mnuApercuEnveloppe = nullptr;
};
