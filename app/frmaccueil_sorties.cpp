// The main window's commands whose work is done elsewhere in the program:
// the secondary windows, the model editor, printing, e-mail and export. The
// window only reads its controls and hands them over.
#include "app/fenetres.h"
#include "app/frmabout.h"
#include "app/frmjournal.h"
#include "app/frmaccueil.h"
#include "app/frmetiquettes.h"
#include "app/frmoption.h"
#include "app/modeletableau.h"
#include "import/frmcontacts.h"
#include "import/frmimport.h"
#include "output/enregistrementpdf.h"
#include "output/enveloppe.h"
#include "output/export.h"
#include "output/impressionlettre.h"
#include "output/mail.h"
#include "output/mailpdf.h"
#include "platform/dialogues.h"
#include "platform/richtextbox/richtextbox.h"
#include "richtext/editeurmodele.h"

#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>

ContexteEnvoi FrmAccueil::contexteEnvoi() const
{
    const SaisieLettre l = saisieLettre();
    ContexteEnvoi c;
    c.expediteur = {NumeroExpediteurChoisi(), nomEnvoi(l.titreExp, l.prenomExp, l.nomExp),
                    adresseEnvoi(l.adresse1Exp, l.adresse2Exp, l.cpExp, l.villeExp), l.villeExp};
    if (modeIndividuel())
        c.destinataire = {NumeroDestinataireChoisi(), nomEnvoi(l.titreDest, l.prenomDest, l.nomDest),
                          adresseEnvoi(l.adresse1Dest, l.adresse2Dest, l.cpDest, l.villeDest), l.villeDest};
    if (modeDepuisModele() && m_lsvModele->currentIndex().isValid())
        c.modele = m_listeModeles->texte(m_lsvModele->currentIndex().row(), 1);
    c.objet = l.objetLettre;
    return c;
}

void FrmAccueil::cmdOption_Click()
{
    afficherFenetre<FrmOption>(QStringLiteral("FrmOption"), [this] {
        auto* f = new FrmOption;
        connect(f, &FrmOption::baseRestauree, this, [this] {
            RemplirComboExpediteurs();
            RemplirDestinataires();
            RemplirCategories();
        });
        return f;
    });
}

void FrmAccueil::cmdAide_Click()
{
    afficherFenetre<FrmAbout>(QStringLiteral("FrmAbout"), [] { return new FrmAbout; });
}

void FrmAccueil::cmdImport_Click()
{
    afficherFenetre<FrmImport>(QStringLiteral("FrmImport"), [this] {
        auto* fenetre = new FrmImport;
        connect(fenetre, &FrmImport::contactsImportes, this, [this] {
            commande(QStringLiteral("La liste des destinataires n'a pas pu être relue."), [this] { RemplirDestinataires(); });
        });
        return fenetre;
    });
}

void FrmAccueil::cmdImportContacts_Click()
{
    afficherFenetre<FrmContacts>(QStringLiteral("FrmContacts"), [this] {
        auto* fenetre = new FrmContacts([this] {
            QList<RecordId> ids;
            for (const QString& id : idsDestinatairesSelectionnes())
                ids << id.toLongLong();
            return ids;
        });
        connect(fenetre, &FrmContacts::contactsImportes, this, [this](Carnet carnet) {
            if (carnet == Carnet::Destinataires)
                commande(QStringLiteral("La liste des destinataires n'a pas pu être relue."), [this] { RemplirDestinataires(); });
            else
                commande(QStringLiteral("La liste des expéditeurs n'a pas pu être relue."), [this] { RemplirComboExpediteurs(); });
        });
        return fenetre;
    });
}

void FrmAccueil::cmdModifierModele_Click()
{
    ChargerCorpsModele(idModeleCourant());
}

void FrmAccueil::cmdImprimerLettre_Click()
{
    SaisieImpression saisie;
    saisie.individuel = modeIndividuel();
    saisie.idsSelectionnes = idsDestinatairesSelectionnes();
    saisie.envoi = contexteEnvoi();
    commande(QStringLiteral("La lettre n'a pas pu être imprimée."),
             [&] { ImprimerLettre(saisie, *txtText(), *txtLettreTmp()); });
}

void FrmAccueil::cmdImprimerEnv_Click()
{
    const SaisieLettre lettre = saisieLettre();
    SaisieEnveloppe saisie;
    saisie.individuel = modeIndividuel();
    saisie.titreDest = lettre.titreDest;
    saisie.nomDest = lettre.nomDest;
    saisie.prenomDest = lettre.prenomDest;
    saisie.adresse1Dest = lettre.adresse1Dest;
    saisie.adresse2Dest = lettre.adresse2Dest;
    saisie.cpDest = lettre.cpDest;
    saisie.villeDest = lettre.villeDest;
    saisie.idsSelectionnes = idsDestinatairesSelectionnes();
    saisie.envoi = contexteEnvoi();
    commande(QStringLiteral("L'enveloppe n'a pas pu être imprimée."), [&] { ImprimerEnveloppe(saisie); });
}

void FrmAccueil::cmdEtiquettes_Click()
{
    const QStringList ids = idsDestinatairesSelectionnes();
    if (ids.isEmpty()) {
        afficherErreur(QStringLiteral("Attention ! Vous n'avez pas sélectionné de destinataire."));
        return;
    }
    (new FrmEtiquettes(ids, this))->show();
}

void FrmAccueil::cmdExporter_Click()
{
    ExporterLettre(*txtText(), contexteEnvoi());
}

void FrmAccueil::cmdMail_Click()
{
    SaisieMail saisie;
    saisie.individuel = modeIndividuel();
    saisie.mailDest = mailDestinataire();
    saisie.idsSelectionnes = idsDestinatairesSelectionnes();
    saisie.objet = saisieLettre().objetLettre;
    saisie.lignesDestinataires = saisieLettre().lignesDestinataires;
    commande(QStringLiteral("Le message n'a pas pu être préparé."), [&] { EnvoyerMail(saisie, contexteEnvoi()); });
}

void FrmAccueil::cmdJournal_Click()
{
    afficherFenetre<FrmJournal>(QStringLiteral("FrmJournal"), [this] {
        auto* fenetre = new FrmJournal;
        connect(fenetre, &FrmJournal::reprendre, this, &FrmAccueil::reprendreEnvoi);
        return fenetre;
    });
}

namespace {

// Shows in `liste` the entry whose id is `id`; false when there is none.
bool choisirNumero(QComboBox* liste, RecordId id, RecordId (*numeroDe)(const QString&))
{
    for (int i = 0; i < liste->count(); ++i) {
        if (numeroDe(liste->itemText(i)) == id) {
            liste->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

} // namespace

void FrmAccueil::reprendreEnvoi(const EntreeJournal& entree, const QString& rtf, bool relance)
{
    if (lettreModifiee()
        && confirmerDestruction(QStringLiteral("La lettre a été modifiée. La remplacer et perdre ces modifications ?")) != Reponse::Oui)
        return;
    if (entree.expediteur.id != kAucunEnregistrement && choisirNumero(m_cmbExpediteur, entree.expediteur.id, numeroExpediteurDe))
        AfficherExpediteur();
    m_optDiffusion[0]->setChecked(true);
    optDiffusion_Click(0);
    if (entree.destinataire.id != kAucunEnregistrement
        && choisirNumero(m_cmbDestinataire, entree.destinataire.id, numeroDestinataireDe))
        AfficherDestinataire();
    m_txtText->setTextRTF(rtf);
    m_txtObjetLettre->setText(relance ? QStringLiteral("Relance : ") + entree.objet : entree.objet);
    if (relance)
        preparerRelance(*m_txtText->document(), entree.objet, QDate::currentDate());
    // The letter taken up is the user's work: it is never recomposed unasked.
    m_txtText->document()->setModified(true);
    if (m_etapes.choisir(4)) {
        m_barMenu.at(4)->raise();
        m_timer1->start();
    }
    activateWindow();
}

void FrmAccueil::cmdEnregistrerPdf_Click()
{
    SaisiePdf saisie;
    saisie.individuel = modeIndividuel();
    saisie.idsSelectionnes = idsDestinatairesSelectionnes();
    saisie.lettre = saisieLettre();
    saisie.archivage = m_mnuPdfA->isChecked();
    saisie.dateIso = QDate::currentDate().toString(Qt::ISODate);
    saisie.envoi = contexteEnvoi();
    commande(QStringLiteral("La lettre n'a pas pu être enregistrée en PDF."),
             [&] { EnregistrerLettrePdf(saisie, *txtText()); });
}

void FrmAccueil::cmdMailPdf_Click()
{
    SaisieMailPdf saisie;
    saisie.individuel = modeIndividuel();
    saisie.mailDest = mailDestinataire();
    saisie.idsSelectionnes = idsDestinatairesSelectionnes();
    saisie.lettre = saisieLettre();
    saisie.archivage = m_mnuPdfA->isChecked();
    saisie.dateIso = QDate::currentDate().toString(Qt::ISODate);
    saisie.envoi = contexteEnvoi();
    commande(QStringLiteral("Le message n'a pas pu être préparé."),
             [&] { EnvoyerLettrePdf(saisie, *txtText(), *txtLettreTmp()); });
}
