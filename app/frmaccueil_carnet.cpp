// The main window's sender and recipient commands: the choosers, the fields,
// new / save / delete, and the mass-selection list.
#include "app/frmaccueil.h"
#include "app/modeletableau.h"
#include "app/recherchecarnet.h"
#include "platform/dialogues.h"
#include "store/destinataires.h"
#include "store/expediteurs.h"
#include "store/personnes.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringListModel>
#include <QTreeView>

namespace {

const QString kExpediteurInvalide = QStringLiteral("Veuillez selectionner un expéditeur valide.");
const QString kDestinataireInvalide = QStringLiteral("Veuillez selectionner un destinataire valide.");

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
    m_cmbTitreExp->setEditText(f.titre);
    m_txtNomExp->setText(f.nom);
    m_txtPrenomExp->setText(f.prenom);
    m_txtAdresse1Exp->setText(f.adresse1);
    m_txtAdresse2Exp->setText(f.adresse2);
    m_txtCPExp->setText(f.cp);
    m_txtVilleExp->setText(f.ville);
    m_txtTel1Exp->setText(f.tel1);
    m_txtTel2Exp->setText(f.tel2);
    m_txtFonctionExp->setText(f.fonction);
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
    if (confirmerDestruction(QStringLiteral("Etes-vous sûr de vouloir supprimer cette expéditeur ?")) == Reponse::Non)
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

void FrmAccueil::AfficherDestinataire()
{
    m_nouveauDestinataire = false;
    const RecordId id = NumeroDestinataireChoisi();
    if (id == kAucunEnregistrement) {
        afficherErreur(kDestinataireInvalide);
        return;
    }
    const FicheDestinataire f = lireDestinataire(id);
    m_cmbTitreDest->setEditText(f.titre);
    m_txtNomDest->setText(f.nom);
    m_txtPrenomDest->setText(f.prenom);
    m_txtAdresse1Dest->setText(f.adresse1);
    m_txtAdresse2Dest->setText(f.adresse2);
    m_txtCPDest->setText(f.cp);
    m_txtVilleDest->setText(f.ville);
    m_txtFonctionDest->setText(f.fonction);
    m_txtMailDest->setText(f.mail);
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
    if (confirmerDestruction(QStringLiteral("Etes-vous sûr de vouloir supprimer cette destinataire ?")) == Reponse::Non)
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
