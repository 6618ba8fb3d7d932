// The main window's sender and recipient commands: the two person forms on
// their address books, and the mass-selection list.
#include "app/frmaccueil.h"
#include "app/modeletableau.h"
#include "app/panneaupersonne.h"
#include "platform/erreurbase.h"
#include "store/destinataires.h"
#include "store/expediteurs.h"
#include "store/journal.h"

#include <QLabel>
#include <QTreeView>

// ---- A record as the values of its form, in the form's order. ----

QStringList FrmAccueil::valeursExpediteur(const FicheExpediteur& f)
{
    return {f.titre, f.nom, f.prenom, f.adresse1, f.adresse2, f.cp, f.ville, f.tel1, f.tel2, f.fonction};
}

FicheExpediteur FrmAccueil::versFicheExpediteur(const QStringList& v)
{
    return {v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5), v.at(6), v.at(7), v.at(8), v.at(9)};
}

// The recipient's form shows the e-mail address above the function.
QStringList FrmAccueil::valeursDestinataire(const FicheDestinataire& f)
{
    return {f.titre, f.nom, f.prenom, f.adresse1, f.adresse2, f.cp, f.ville, f.mail, f.fonction};
}

FicheDestinataire FrmAccueil::versFicheDestinataire(const QStringList& v)
{
    return {v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5), v.at(6), v.at(8), v.at(7)};
}

FicheExpediteur FrmAccueil::ficheExpediteurSaisie() const
{
    return versFicheExpediteur(m_expediteur->valeurs());
}

FicheDestinataire FrmAccueil::ficheDestinataireSaisie() const
{
    return versFicheDestinataire(m_destinataire->valeurs());
}

// ---- Senders. ----

RecordId FrmAccueil::NumeroExpediteurChoisi() const
{
    return m_expediteur->numeroChoisi();
}

bool FrmAccueil::bNouvelExpediteur() const
{
    return m_expediteur->estNouveau();
}

void FrmAccueil::RemplirComboExpediteurs()
{
    m_expediteur->remplirChoix({});
    const LignesExpediteurs lignes = lignesExpediteurs();
    m_expediteur->remplirChoix(lignes.libelles);
    m_expediteur->remplirRecherche(lignes.libelles, lignes.nomsPrenoms, lignes.villes);
    m_expediteur->viderChamps();
}

void FrmAccueil::AfficherExpediteur()
{
    m_expediteur->afficher();
}

void FrmAccueil::NouvelExpediteur()
{
    m_expediteur->commencerNouveau();
}

void FrmAccueil::EnregistrerExpediteur()
{
    const QString libelle = m_expediteur->enregistrer();
    if (libelle.isEmpty())
        return;
    RemplirComboExpediteurs();
    m_expediteur->choisirLibelle(libelle);
    AfficherExpediteur();
}

void FrmAccueil::SupprimerExpediteur()
{
    if (m_expediteur->supprimer())
        RemplirComboExpediteurs();
}

// ---- Recipients. ----

RecordId FrmAccueil::NumeroDestinataireChoisi() const
{
    return m_destinataire->numeroChoisi();
}

bool FrmAccueil::bNouveauDestinataire() const
{
    return m_destinataire->estNouveau();
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

void FrmAccueil::afficherListeDestinataires(const LignesDestinataires& lignes)
{
    m_lsvDest->setUpdatesEnabled(false);
    m_listeDest->remplir({lignes.ids, lignes.noms});
    m_lsvDest->setUpdatesEnabled(true);
}

void FrmAccueil::RemplirDestinataires()
{
    m_destinataire->remplirChoix({});
    m_listeDest->vider();
    const LignesDestinataires lignes = lignesDestinataires();
    const QStringList libelles = libellesDestinataires(lignes);
    m_destinataire->remplirChoix(libelles);
    m_destinataire->remplirRecherche(libelles, lignes.nomsPrenoms, lignes.villes);
    m_destinataire->viderChamps();
    afficherListeDestinataires(lignes);
}

void FrmAccueil::remplirListesRetablies()
{
    m_expediteur->remplirChoix(libellesExpediteurs());
    const LignesDestinataires lignes = lignesDestinataires();
    m_destinataire->remplirChoix(libellesDestinataires(lignes));
    afficherListeDestinataires(lignes);
    RemplirCategories();
}

void FrmAccueil::AfficherDestinataire()
{
    const RecordId id = m_destinataire->afficher();
    if (id != kAucunEnregistrement)
        montrerDernierEnvoi(id);
}

void FrmAccueil::NouveauDestinataire()
{
    m_destinataire->commencerNouveau();
}

void FrmAccueil::EnregistrerDestinataire()
{
    const QString libelle = m_destinataire->enregistrer();
    if (libelle.isEmpty())
        return;
    RemplirDestinataires();
    m_destinataire->choisirLibelle(libelle);
    AfficherDestinataire();
}

void FrmAccueil::SupprimerDestinataire()
{
    if (m_destinataire->supprimer())
        RemplirDestinataires();
}
