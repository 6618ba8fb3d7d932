#pragma once

#include "app/etapes.h"
#include "app/mdgeneral.h"
#include "app/verificationpostale.h"
#include "output/composition.h"
#include "output/journalsorties.h"
#include "platform/recordset.h"
#include "store/destinataires.h"
#include "store/expediteurs.h"

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
class QPushButton;
class QRadioButton;
class QStringListModel;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeView;
class RechercheCarnet;
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

    static constexpr int kLargeur = 14205;   // client area, twips
    static constexpr int kHauteur = 9030;

    // The start-up sequence (registry, database, panels, current step, the
    // four fills, individual mode, text option). Runs once, from the
    // constructor; a failed database is reported once the window is shown.
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
    // Puts the formatting toolbar in its place above txtText.
    void placerToolbar1(QToolBar* barre);

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
    bool bNouvelExpediteur() const { return m_nouvelExpediteur; }

    void RemplirComboDestinataires();
    void RemplirListeDestinataires();
    // Both, in that order, from one reading of the table.
    void RemplirDestinataires();
    void AfficherDestinataire();
    void NouveauDestinataire();
    void EnregistrerDestinataire();
    void SupprimerDestinataire();
    RecordId NumeroDestinataireChoisi() const;
    bool bNouveauDestinataire() const { return m_nouveauDestinataire; }

    // ---- Model catalogue. ----
    void RemplirCategories();
    void RemplirSousCategories();
    void RemplirModeles();
    RecordId NumeroCategorieChoisie() const;
    RecordId NumeroSousCategorieChoisie() const;
    void AjouterModele();
    void SupprimerModele();

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

private:
    // Building the controls (frmaccueil_controles.cpp, frmaccueil_panneaux.cpp).
    void construireFenetre();
    void construirePanneauExpediteur(QGroupBox* panneau);
    void verifierAdresse(QGroupBox* panneau, const QString& qui, const VerificationPostale::Champs& champs, int gauche,
                         int haut, int largeur);
    void construirePanneauDestinataire(QGroupBox* panneau);
    void construirePanneauObjet(QGroupBox* panneau);
    void construirePanneauCorps(QGroupBox* panneau);
    void construirePanneauTraitement(QGroupBox* panneau);
    void connecter();
    void chargement();

    void afficherPanneaux();
    void optDiffusion_Click(int k);
    void optModeleLettre_Click(int k);
    void cmdGenererDate_Click();
    // The link in column 2 (document) or 3 (information sheet) of the
    // selected model, "" when none; a button without a link is disabled.
    QString lienModeleChoisi(int colonne) const;
    void activerLiensModele();
    void ouvrirLienModele(int colonne);
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

    // Unsaved work (frmaccueil_fermeture.cpp).
    FicheExpediteur ficheExpediteurSaisie() const;
    FicheDestinataire ficheDestinataireSaisie() const;
    bool expediteurNonEnregistre() const;
    bool destinataireNonEnregistre() const;
    bool lettreModifiee() const;
    // True when nothing would be lost, or the user saved it or let it go.
    bool accepterFermeture();

    // A label picked in a search box, shown as if chosen in the chooser.
    void choisirExpediteurTrouve(const QString& libelle);
    void choisirDestinataireTrouve(const QString& libelle);

    void viderChampsExpediteur();
    void viderChampsDestinataire();
    // The recipient's last entry in the journal, under its address.
    void montrerDernierEnvoi(RecordId id);
    void remplirComboDestinataires(const LignesDestinataires& lignes);
    void remplirListeDestinataires(const LignesDestinataires& lignes);
    // The lists, once the database opens after start-up; the fields keep
    // what the user typed meanwhile.
    void remplirListesRetablies();

    mdGeneral::ResultatDemarrage m_demarrage;
    bool m_messageBaseAAfficher = false;
    AnimationEtapes m_etapes;
    bool m_nouvelExpediteur = false;
    bool m_nouveauDestinataire = false;

    FiltreCaracteres* m_filtre = nullptr;
    QTimer* m_timer1 = nullptr;
    std::array<QGroupBox*, AnimationEtapes::kNombreEtapes> m_barMenu{};
    std::array<QPushButton*, AnimationEtapes::kNombreEtapes> m_cmdMenu{};
    QToolButton* m_cmdOption = nullptr;
    QToolButton* m_cmdAide = nullptr;
    QToolButton* m_cmdImport = nullptr;
    QToolButton* m_cmdImportContacts = nullptr;
    QToolButton* m_cmdJournal = nullptr;

    // Sender.
    QComboBox* m_cmbExpediteur = nullptr;
    QStringListModel* m_expediteurs = nullptr;
    QLineEdit* m_txtRechercheExp = nullptr;
    RechercheCarnet* m_rechercheExp = nullptr;
    QComboBox* m_cmbTitreExp = nullptr;
    QLineEdit *m_txtNomExp = nullptr, *m_txtPrenomExp = nullptr, *m_txtAdresse1Exp = nullptr, *m_txtAdresse2Exp = nullptr,
              *m_txtCPExp = nullptr, *m_txtVilleExp = nullptr, *m_txtTel1Exp = nullptr, *m_txtTel2Exp = nullptr,
              *m_txtFonctionExp = nullptr;
    QToolButton *m_cmdAjouterExp = nullptr, *m_cmdSupprExp = nullptr, *m_cmdModifExp = nullptr;

    // Recipient.
    std::array<QRadioButton*, 2> m_optDiffusion{};
    std::array<QLabel*, 9> m_lblDestUnique{};
    QComboBox* m_cmbDestinataire = nullptr;
    QStringListModel* m_destinataires = nullptr;
    QLineEdit* m_txtRechercheDest = nullptr;
    RechercheCarnet* m_rechercheDest = nullptr;
    QComboBox* m_cmbTitreDest = nullptr;
    QLineEdit *m_txtNomDest = nullptr, *m_txtPrenomDest = nullptr, *m_txtAdresse1Dest = nullptr, *m_txtAdresse2Dest = nullptr,
              *m_txtCPDest = nullptr, *m_txtVilleDest = nullptr, *m_txtMailDest = nullptr, *m_txtFonctionDest = nullptr;
    QToolButton *m_cmdAjouterDest = nullptr, *m_cmdSupprDest = nullptr, *m_cmdModifDest = nullptr;
    QLabel* m_lblDernierEnvoi = nullptr;   // "Dernier envoi : …" of the recipient shown
    QFrame* m_line1 = nullptr;
    QLabel* m_lblDestMult = nullptr;
    QTreeView* m_lsvDest = nullptr;
    ModeleTableau* m_listeDest = nullptr;

    // Particulars.
    QLineEdit *m_txtDateLettre = nullptr, *m_txtVilleLettre = nullptr, *m_txtObjetLettre = nullptr, *m_txtPieceLettre = nullptr;
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
    QToolButton *m_cmdModele = nullptr, *m_cmdFiche = nullptr;

    // Output.
    RichTextBox* m_txtText = nullptr;
    QToolButton *m_cmdImprimerLettre = nullptr, *m_cmdImprimerEnv = nullptr, *m_cmdExporter = nullptr, *m_cmdMail = nullptr;
    QToolButton *m_cmdEnregistrerPdf = nullptr, *m_cmdMailPdf = nullptr;
    QAction* m_mnuPdfA = nullptr;
    QToolButton* m_cmdEtiquettes = nullptr;   // mass mode only
};
