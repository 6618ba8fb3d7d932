// The main window's sender and recipient commands: the choosers, the fields,
// new / save / delete, and the mass-selection list.
#include "app/frmaccueil.h"
#include "app/modeletableau.h"
#include "app/recherchecarnet.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "store/destinataires.h"
#include "store/expediteurs.h"
#include "store/journal.h"
#include "store/personnes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>
#include <QTreeView>

namespace {

const QString kExpediteurInvalide = QStringLiteral("Veuillez sélectionner un expéditeur valide.");
const QString kDestinataireInvalide = QStringLiteral("Veuillez sélectionner un destinataire valide.");
const QString kExpediteurSansNom = QStringLiteral("Veuillez saisir au moins un nom ou un prénom pour cet expéditeur.");
const QString kDestinataireSansNom = QStringLiteral("Veuillez saisir au moins un nom ou un prénom pour ce destinataire.");

bool sansNom(const QString& nom, const QString& prenom)
{
    return nom.trimmed().isEmpty() && prenom.trimmed().isEmpty();
}

// A stored value shown from its start, however long it is.
void montrer(QLineEdit* champ, const QString& valeur)
{
    champ->setText(valeur);
    champ->setCursorPosition(0);
}

void montrer(QComboBox* titre, const QString& valeur)
{
    titre->setEditText(valeur);
    titre->lineEdit()->setCursorPosition(0);
}

// Replaces a chooser's items in one go; its text is left empty.
void remplirChoix(QComboBox* combo, QStringListModel* modele, const QStringList& libelles)
{
    const QSignalBlocker bloque(combo);
    combo->setUpdatesEnabled(false);
    modele->setStringList(libelles);
    combo->setCurrentIndex(-1);
    combo->clearEditText();
    combo->setUpdatesEnabled(true);
}

// Shows a label as the chooser's text, on its item when it has one.
void choisirLibelle(QComboBox* combo, const QString& libelle)
{
    const QSignalBlocker bloque(combo);
    const int i = combo->findText(libelle, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(i);
    combo->setEditText(libelle);
}

void viderChoix(QComboBox* combo)
{
    const QSignalBlocker bloque(combo);
    combo->setCurrentIndex(-1);
    combo->clearEditText();
}

} // namespace

// ---- Senders. ----

void FrmAccueil::viderChampsExpediteur()
{
    m_cmbTitreExp->setEditText(QString());
    for (QLineEdit* t : {m_txtNomExp, m_txtPrenomExp, m_txtAdresse1Exp, m_txtAdresse2Exp, m_txtCPExp, m_txtVilleExp,
                         m_txtTel1Exp, m_txtTel2Exp, m_txtFonctionExp})
        t->clear();
}

RecordId FrmAccueil::NumeroExpediteurChoisi() const
{
    return numeroExpediteurDe(m_cmbExpediteur->currentText());
}

void FrmAccueil::RemplirComboExpediteurs()
{
    remplirChoix(m_cmbExpediteur, m_expediteurs, {});
    const LignesExpediteurs lignes = lignesExpediteurs();
    remplirChoix(m_cmbExpediteur, m_expediteurs, lignes.libelles);
    m_rechercheExp->remplir(lignes.libelles, lignes.nomsPrenoms, lignes.villes);
    viderChampsExpediteur();
}

void FrmAccueil::AfficherExpediteur()
{
    m_nouvelExpediteur = false;
    const RecordId id = NumeroExpediteurChoisi();
    if (id == kAucunEnregistrement) {
        afficherErreur(kExpediteurInvalide);
        return;
    }
    const FicheExpediteur f = lireExpediteur(id);
    montrer(m_cmbTitreExp, f.titre);
    montrer(m_txtNomExp, f.nom);
    montrer(m_txtPrenomExp, f.prenom);
    montrer(m_txtAdresse1Exp, f.adresse1);
    montrer(m_txtAdresse2Exp, f.adresse2);
    montrer(m_txtCPExp, f.cp);
    montrer(m_txtVilleExp, f.ville);
    montrer(m_txtTel1Exp, f.tel1);
    montrer(m_txtTel2Exp, f.tel2);
    montrer(m_txtFonctionExp, f.fonction);
}

void FrmAccueil::NouvelExpediteur()
{
    m_nouvelExpediteur = true;
    viderChoix(m_cmbExpediteur);
    viderChampsExpediteur();
}

void FrmAccueil::EnregistrerExpediteur()
{
    const bool modification = !m_cmbExpediteur->currentText().isEmpty() && !m_nouvelExpediteur;
    RecordId id = kAucunEnregistrement;
    if (modification) {
        id = NumeroExpediteurChoisi();
        if (id == kAucunEnregistrement) {
            afficherErreur(kExpediteurInvalide);
            return;
        }
    }
    if (sansNom(m_txtNomExp->text(), m_txtPrenomExp->text())) {
        afficherErreur(kExpediteurSansNom);
        return;
    }
    const FicheExpediteur fiche = ficheExpediteurSaisie();
    id = enregistrerExpediteur(id, fiche);
    const QString libelle = libellePersonne(id, fiche.titre, fiche.nom, fiche.prenom);
    m_nouvelExpediteur = false;
    RemplirComboExpediteurs();
    choisirLibelle(m_cmbExpediteur, libelle);
    AfficherExpediteur();
}

void FrmAccueil::SupprimerExpediteur()
{
    m_nouvelExpediteur = false;
    const RecordId id = NumeroExpediteurChoisi();
    if (id == kAucunEnregistrement) {
        afficherErreur(kExpediteurInvalide);
        return;
    }
    if (confirmerDestruction(QStringLiteral("Êtes-vous sûr de vouloir supprimer cet expéditeur ?")) == Reponse::Non)
        return;
    supprimerExpediteur(id);
    RemplirComboExpediteurs();
}

// ---- Recipients. ----

void FrmAccueil::viderChampsDestinataire()
{
    m_cmbTitreDest->setEditText(QString());
    for (QLineEdit* t : {m_txtNomDest, m_txtPrenomDest, m_txtAdresse1Dest, m_txtAdresse2Dest, m_txtCPDest, m_txtVilleDest,
                         m_txtFonctionDest, m_txtMailDest})
        t->clear();
    m_lblDernierEnvoi->clear();
}

void FrmAccueil::montrerDernierEnvoi(RecordId id)
{
    m_lblDernierEnvoi->clear();
    try {
        const EntreeJournal dernier = dernierEnvoi(id);
        if (dernier.numero != kAucunEnregistrement)
            m_lblDernierEnvoi->setText(QStringLiteral("Dernier envoi : ") + resumeEnvoi(dernier));
    } catch (const ErreurBase&) {
        // A journal that cannot be read was reported at start-up; the
        // recipient is shown all the same.
    }
}

RecordId FrmAccueil::NumeroDestinataireChoisi() const
{
    return numeroDestinataireDe(m_cmbDestinataire->currentText());
}

void FrmAccueil::remplirComboDestinataires(const LignesDestinataires& lignes)
{
    const QStringList libelles = libellesDestinataires(lignes);
    remplirChoix(m_cmbDestinataire, m_destinataires, libelles);
    m_rechercheDest->remplir(libelles, lignes.nomsPrenoms, lignes.villes);
    viderChampsDestinataire();
}

void FrmAccueil::remplirListeDestinataires(const LignesDestinataires& lignes)
{
    m_lsvDest->setUpdatesEnabled(false);
    m_listeDest->remplir({lignes.ids, lignes.noms});
    m_lsvDest->setUpdatesEnabled(true);
}

void FrmAccueil::RemplirComboDestinataires()
{
    remplirChoix(m_cmbDestinataire, m_destinataires, {});
    remplirComboDestinataires(lignesDestinataires());
}

void FrmAccueil::RemplirListeDestinataires()
{
    m_listeDest->vider();
    remplirListeDestinataires(lignesDestinataires());
}

void FrmAccueil::RemplirDestinataires()
{
    remplirChoix(m_cmbDestinataire, m_destinataires, {});
    m_listeDest->vider();
    const LignesDestinataires lignes = lignesDestinataires();
    remplirComboDestinataires(lignes);
    remplirListeDestinataires(lignes);
}

void FrmAccueil::remplirListesRetablies()
{
    remplirChoix(m_cmbExpediteur, m_expediteurs, libellesExpediteurs());
    const LignesDestinataires lignes = lignesDestinataires();
    remplirChoix(m_cmbDestinataire, m_destinataires, libellesDestinataires(lignes));
    remplirListeDestinataires(lignes);
    RemplirCategories();
}

void FrmAccueil::AfficherDestinataire()
{
    m_nouveauDestinataire = false;
    const RecordId id = NumeroDestinataireChoisi();
    if (id == kAucunEnregistrement) {
        afficherErreur(kDestinataireInvalide);
        return;
    }
    const FicheDestinataire f = lireDestinataire(id);
    montrer(m_cmbTitreDest, f.titre);
    montrer(m_txtNomDest, f.nom);
    montrer(m_txtPrenomDest, f.prenom);
    montrer(m_txtAdresse1Dest, f.adresse1);
    montrer(m_txtAdresse2Dest, f.adresse2);
    montrer(m_txtCPDest, f.cp);
    montrer(m_txtVilleDest, f.ville);
    montrer(m_txtFonctionDest, f.fonction);
    montrer(m_txtMailDest, f.mail);
    montrerDernierEnvoi(id);
}

void FrmAccueil::NouveauDestinataire()
{
    m_nouveauDestinataire = true;
    viderChoix(m_cmbDestinataire);
    viderChampsDestinataire();
}

void FrmAccueil::EnregistrerDestinataire()
{
    const bool modification = !m_cmbDestinataire->currentText().isEmpty() && !m_nouveauDestinataire;
    RecordId id = kAucunEnregistrement;
    if (modification) {
        id = NumeroDestinataireChoisi();
        if (id == kAucunEnregistrement) {
            afficherErreur(kDestinataireInvalide);
            return;
        }
    }
    if (sansNom(m_txtNomDest->text(), m_txtPrenomDest->text())) {
        afficherErreur(kDestinataireSansNom);
        return;
    }
    const FicheDestinataire fiche = ficheDestinataireSaisie();
    id = enregistrerDestinataire(id, fiche);
    const QString libelle = libellePersonne(id, fiche.titre, fiche.nom, fiche.prenom);
    m_nouveauDestinataire = false;
    RemplirDestinataires();
    choisirLibelle(m_cmbDestinataire, libelle);
    AfficherDestinataire();
}

void FrmAccueil::SupprimerDestinataire()
{
    m_nouveauDestinataire = false;
    const RecordId id = NumeroDestinataireChoisi();
    if (id == kAucunEnregistrement) {
        afficherErreur(kDestinataireInvalide);
        return;
    }
    if (confirmerDestruction(QStringLiteral("Êtes-vous sûr de vouloir supprimer ce destinataire ?")) == Reponse::Non)
        return;
    supprimerDestinataire(id);
    RemplirDestinataires();
}

// ---- Search boxes: a pick is the same as choosing the label in the chooser.

void FrmAccueil::choisirExpediteurTrouve(const QString& libelle)
{
    choisirLibelle(m_cmbExpediteur, libelle);
    AfficherExpediteur();
}

void FrmAccueil::choisirDestinataireTrouve(const QString& libelle)
{
    choisirLibelle(m_cmbDestinataire, libelle);
    AfficherDestinataire();
}
