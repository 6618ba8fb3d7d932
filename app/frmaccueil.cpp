// The main window: start-up, the step assistant, the two mode switches, the
// date button, the model links, and what the window hands to the rest of
// the program.
#include "app/frmaccueil.h"

#include "app/controles.h"
#include "app/francais.h"
#include "app/modeletableau.h"
#include "app/panneaupersonne.h"
#include "app/recherchecarnet.h"
#include "output/mail.h"
#include "platform/bureau.h"
#include "platform/connexion.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "richtext/orthographe/orthographeprogramme.h"
#include "richtext/richtextbox.h"

#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>
#include <exception>

FrmAccueil::FrmAccueil(QWidget* parent) : QWidget(parent)
{
    Q_INIT_RESOURCE(accueil);
    construireFenetre();
    connecter();
    chargement();
    suivreLesAutresPostes();
}

FrmAccueil::~FrmAccueil() = default;

void FrmAccueil::chargement()
{
    m_demarrage = mdGeneral::Demarrer();
    m_etapes.placerPanneaux();
    afficherPanneaux();
    // Each list is filled on its own: one that cannot be read stays empty
    // and the others are filled all the same.
    for (void (FrmAccueil::*remplir)() :
         {&FrmAccueil::RemplirComboExpediteurs, &FrmAccueil::RemplirDestinataires, &FrmAccueil::RemplirCategories}) {
        try {
            (this->*remplir)();
        } catch (const std::exception&) {
        }
    }
    optDiffusion_Click(0);
    // The letter area offers its editing commands (cut, copy, paste...) on
    // a right click, and stays editable.
    m_txtText->setContextMenuPolicy(Qt::DefaultContextMenu);
    m_txtText->setReadOnly(false);
    orthographe::brancherOrthographe(*m_txtText);
    // Not during the fills above: each would wait on a locked file again.
    if (!m_demarrage.baseOuverte)
        cnLettre().prevoirNouvelEssai();
    m_messageBaseAAfficher = !mdGeneral::MessageDemarrage(m_demarrage).isEmpty();
}

void FrmAccueil::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_messageBaseAAfficher)
        return;
    m_messageBaseAAfficher = false;
    QTimer::singleShot(0, this, [this] { afficherErreur(mdGeneral::MessageDemarrage(m_demarrage)); });
}

void FrmAccueil::connecter()
{
    for (int i = 0; i < AnimationEtapes::kNombreEtapes; ++i)
        connect(m_cmdMenu.at(static_cast<std::size_t>(i)), &QPushButton::clicked, this,
                [this, i] { cmdMenu_Click(i); });
    connect(m_timer1, &QTimer::timeout, this, &FrmAccueil::Timer1_Timer);
    for (int k = 0; k < 2; ++k) {
        connect(m_optDiffusion.at(static_cast<std::size_t>(k)), &QRadioButton::toggled, this, [this, k](bool choisi) {
            if (choisi)
                optDiffusion_Click(k);
        });
        connect(m_optModeleLettre.at(static_cast<std::size_t>(k)), &QRadioButton::toggled, this,
                [this, k](bool choisi) {
                    if (choisi)
                        optModeleLettre_Click(k);
                });
    }
    connect(m_cmdGenererDate, &QPushButton::clicked, this, &FrmAccueil::cmdGenererDate_Click);
    connect(m_cmdModele, &QToolButton::clicked, this, [this] { ouvrirLienModele(kLienModele); });
    connect(m_cmdFiche, &QToolButton::clicked, this, [this] { ouvrirLienModele(kLienFiche); });
    connect(m_lsvModele->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FrmAccueil::activerLiensModele);
    connect(m_listeModeles, &QAbstractItemModel::modelReset, this, &FrmAccueil::activerLiensModele);
    activerLiensModele();

    const auto lier = [this](QToolButton* bouton, const QString& echec, void (FrmAccueil::*operation)()) {
        connect(bouton, &QToolButton::clicked, this,
                [this, echec, operation] { commande(echec, [this, operation] { (this->*operation)(); }); });
    };
    lier(m_expediteur->cmdAjouter(), QStringLiteral("La saisie d'un nouvel expéditeur n'a pas pu commencer."),
         &FrmAccueil::NouvelExpediteur);
    lier(m_expediteur->cmdModifier(), QStringLiteral("L'expéditeur n'a pas pu être enregistré."),
         &FrmAccueil::EnregistrerExpediteur);
    lier(m_expediteur->cmdSupprimer(), QStringLiteral("L'expéditeur n'a pas pu être supprimé."),
         &FrmAccueil::SupprimerExpediteur);
    lier(m_destinataire->cmdAjouter(), QStringLiteral("La saisie d'un nouveau destinataire n'a pas pu commencer."),
         &FrmAccueil::NouveauDestinataire);
    lier(m_destinataire->cmdModifier(), QStringLiteral("Le destinataire n'a pas pu être enregistré."),
         &FrmAccueil::EnregistrerDestinataire);
    lier(m_destinataire->cmdSupprimer(), QStringLiteral("Le destinataire n'a pas pu être supprimé."),
         &FrmAccueil::SupprimerDestinataire);
    lier(m_cmdAjouterModele, QStringLiteral("Le modèle n'a pas pu être ajouté."), &FrmAccueil::AjouterModele);
    lier(m_cmdSupprimerModele, QStringLiteral("Le modèle n'a pas pu être supprimé."), &FrmAccueil::SupprimerModele);

    // A label picked in a search box is shown as if chosen in the chooser.
    const auto lierChoix = [this](PanneauPersonne* panneau, const QString& echec, void (FrmAccueil::*afficher)()) {
        connect(panneau->choix(), &QComboBox::activated, this,
                [this, echec, afficher] { commande(echec, [this, afficher] { (this->*afficher)(); }); });
        connect(panneau->recherche(), &RechercheCarnet::choisi, this,
                [this, panneau, echec, afficher](const QString& libelle) {
                    commande(echec, [this, panneau, afficher, libelle] {
                        panneau->choisirLibelle(libelle);
                        (this->*afficher)();
                    });
                });
    };
    lierChoix(m_expediteur, QStringLiteral("L'expéditeur n'a pas pu être lu."), &FrmAccueil::AfficherExpediteur);
    lierChoix(m_destinataire, QStringLiteral("Le destinataire n'a pas pu être lu."), &FrmAccueil::AfficherDestinataire);
    connect(m_cmbCategorieModele, &QComboBox::activated, this, [this] {
        commande(QStringLiteral("Les sous-catégories n'ont pas pu être lues."), [this] { RemplirSousCategories(); });
    });
    connect(m_cmbSousCategorieModele, &QComboBox::activated, this,
            [this] { commande(QStringLiteral("Les modèles n'ont pas pu être lus."), [this] { RemplirModeles(); }); });

    connect(m_cmdOption, &QToolButton::clicked, this, &FrmAccueil::cmdOption_Click);
    connect(m_cmdAide, &QToolButton::clicked, this, &FrmAccueil::cmdAide_Click);
    connect(m_cmdImport, &QToolButton::clicked, this, &FrmAccueil::cmdImport_Click);
    connect(m_cmdJournal, &QToolButton::clicked, this, &FrmAccueil::cmdJournal_Click);
    connect(m_cmdImportContacts, &QToolButton::clicked, this, &FrmAccueil::cmdImportContacts_Click);
    connect(m_cmdModifierModele, &QToolButton::clicked, this, &FrmAccueil::cmdModifierModele_Click);
    connect(m_cmdImprimerLettre, &QToolButton::clicked, this, &FrmAccueil::cmdImprimerLettre_Click);
    connect(m_cmdImprimerEnv, &QToolButton::clicked, this, &FrmAccueil::cmdImprimerEnv_Click);
    connect(m_cmdEtiquettes, &QToolButton::clicked, this, &FrmAccueil::cmdEtiquettes_Click);
    connect(m_cmdExporter, &QToolButton::clicked, this, &FrmAccueil::cmdExporter_Click);
    connect(m_cmdMail, &QToolButton::clicked, this, &FrmAccueil::cmdMail_Click);
    connect(m_cmdEnregistrerPdf, &QToolButton::clicked, this, &FrmAccueil::cmdEnregistrerPdf_Click);
    connect(m_cmdMailPdf, &QToolButton::clicked, this, &FrmAccueil::cmdMailPdf_Click);
}

void FrmAccueil::commande(const QString& echec, const std::function<void()>& action)
{
    // A database that could not be opened at start-up is tried again; the
    // command runs either way (some need no database).
    QString raisonReouverture;
    if (!cnLettre().estOuverte()) {
        try {
            if (cnLettre().retablir())
                remplirListesRetablies();
        } catch (const ErreurBase& e) {
            raisonReouverture = e.raison();
        }
    }
    try {
        action();
    } catch (const ErreurBase& e) {
        afficherErreur(echec + QStringLiteral("\n\n") + (raisonReouverture.isEmpty() ? e.raison() : raisonReouverture));
    }
}

// ---- Steps. ----

void FrmAccueil::cmdMenu_Click(int i)
{
    if (i == AnimationEtapes::Traitement && !composerPourTraitement())
        return;
    changerEtape(i);
}

void FrmAccueil::changerEtape(int i)
{
    if (m_etapes.choisir(i)) {
        m_barMenu.at(static_cast<std::size_t>(i))->raise();
        m_timer1->start();
    }
}

bool FrmAccueil::composerPourTraitement()
{
    if (lettreModifiee()
        && confirmerDestruction(QStringLiteral("La lettre a été modifiée. La recomposer et perdre ces modifications ?"))
            != Reponse::Oui)
        return true;
    bool composee = false;
    commande(QStringLiteral("La lettre n'a pas pu être composée."), [this, &composee] {
        const std::optional<QString> lettre = modeIndividuel() ? ComposerLettreIndividuelle(saisieLettre())
                                                               : ComposerLettreEnNombre(saisieLettre());
        if (lettre)
            m_txtText->setTextRTF(*lettre);
        composee = lettre.has_value();
    });
    if (!composee)
        return false;
    m_txtText->document()->setModified(false);
    mettreAJourInfobulles();
    return true;
}

void FrmAccueil::Timer1_Timer()
{
    if (m_etapes.avancer())
        m_timer1->stop();
    afficherPanneaux();
}

void FrmAccueil::afficherPanneaux()
{
    for (int i = 0; i < AnimationEtapes::kNombreEtapes; ++i) {
        const AnimationEtapes::Position& p = m_etapes.position(i);
        m_barMenu.at(static_cast<std::size_t>(i))->move(pixelsEcran(p.left), pixelsEcran(p.top));
    }
}

void FrmAccueil::mettreAJourInfobulles()
{
    m_cmdEtiquettes->setVisible(!modeIndividuel());
    if (modeIndividuel()) {
        m_cmdImprimerLettre->setToolTip(QStringLiteral("Imprimer la lettre"));
        m_cmdImprimerEnv->setToolTip(QStringLiteral("Imprimer l'enveloppe"));
    } else {
        m_cmdImprimerLettre->setToolTip(
            QStringLiteral("Imprimer les %1 lettres").arg(NombreDestinatairesSelectionnes()));
        m_cmdImprimerEnv->setToolTip(
            QStringLiteral("Imprimer les %1 enveloppes").arg(NombreDestinatairesSelectionnes()));
    }
}

// ---- Modes, date, links. ----

void FrmAccueil::optDiffusion_Click(int k)
{
    const bool enNombre = k != 0;
    m_lblDestUnique0->setVisible(!enNombre);
    m_lblDestMult->setVisible(enNombre);
    m_lsvDest->setVisible(enNombre);
    m_line1->setVisible(enNombre);
}

void FrmAccueil::optModeleLettre_Click(int k)
{
    const bool visible = k != 1;
    for (QLabel* l : m_lblCorps)
        l->setVisible(visible);
    for (QWidget* w : std::initializer_list<QWidget*>{m_cmbCategorieModele, m_cmbSousCategorieModele, m_lsvModele,
                                                      m_cmdModele, m_cmdFiche, m_cmdAjouterModele, m_cmdSupprimerModele,
                                                      m_cmdModifierModele, m_cmdImporterModele})
        w->setVisible(visible);
}

bool FrmAccueil::modeIndividuel() const
{
    return m_optDiffusion[0]->isChecked();
}

QString FrmAccueil::mailDestinataire() const
{
    return ficheDestinataireSaisie().mail;
}

bool FrmAccueil::modeDepuisModele() const
{
    return m_optModeleLettre[0]->isChecked();
}

void FrmAccueil::cmdGenererDate_Click()
{
    m_txtDateLettre->setText(dateEnFrancais(QDate::currentDate()));
}

QString FrmAccueil::lienModeleChoisi(ColonneModele colonne) const
{
    const QModelIndexList choisis = m_lsvModele->selectionModel()->selectedRows();
    if (m_listeModeles->rowCount() == 0 || choisis.isEmpty())
        return QString();
    return m_listeModeles->texte(choisis.first().row(), colonne);
}

void FrmAccueil::activerLiensModele()
{
    m_cmdModele->setEnabled(!lienModeleChoisi(kLienModele).isEmpty());
    m_cmdFiche->setEnabled(!lienModeleChoisi(kLienFiche).isEmpty());
}

void FrmAccueil::ouvrirLienModele(ColonneModele colonne)
{
    const QString lien = lienModeleChoisi(colonne);
    if (!lien.isEmpty())
        ExecuterShell(mdGeneral::CheminDocument(lien), mdGeneral::DossierApplication());
}

// ---- What the rest of the program reads. ----

SaisieLettre FrmAccueil::saisieLettre() const
{
    const FicheExpediteur e = ficheExpediteurSaisie();
    const FicheDestinataire d = ficheDestinataireSaisie();
    SaisieLettre s;
    remplirExpediteur(s, e);
    remplirDestinataire(s, d);
    s.dateLettre = m_txtDateLettre->text();
    s.villeLettre = m_txtVilleLettre->text();
    s.objetLettre = m_txtObjetLettre->text();
    s.pieceLettre = m_txtPieceLettre->text();
    s.formuleLettre = m_cmbFormuleLettre->currentText();
    s.depuisModele = modeDepuisModele();
    s.lignesDestinataires = m_listeDest->rowCount();
    s.lignesModeles = m_listeModeles->rowCount();
    s.idModeleCourant = idModeleCourant();
    return s;
}

QList<RecordId> FrmAccueil::idsDestinatairesSelectionnes() const
{
    QModelIndexList choisis = m_lsvDest->selectionModel()->selectedRows();
    std::sort(choisis.begin(), choisis.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QList<RecordId> ids;
    ids.reserve(choisis.size());
    for (const QModelIndex& i : choisis)
        ids << m_listeDest->texte(i.row(), kIdDestinataire).toLongLong();
    return ids;
}

int FrmAccueil::NombreDestinatairesSelectionnes() const
{
    return static_cast<int>(m_lsvDest->selectionModel()->selectedRows().size());
}

QString FrmAccueil::idModeleCourant() const
{
    const QModelIndex courant = m_lsvModele->currentIndex();
    return courant.isValid() ? m_listeModeles->texte(courant.row(), kIdModele) : QString();
}
