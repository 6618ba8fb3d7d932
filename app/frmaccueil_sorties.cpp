// The main window's commands whose work is done elsewhere in the program:
// the secondary windows, the model editor, printing, e-mail and export. The
// window only reads its controls and hands them over.
#include "app/frmabout.h"
#include "app/frmaccueil.h"
#include "app/frmetiquettes.h"
#include "app/frmjournal.h"
#include "app/frmoption.h"
#include "app/modeletableau.h"
#include "app/panneaupersonne.h"
#include "import/frmcontacts.h"
#include "import/frmimport.h"
#include "output/apercu.h"
#include "output/enregistrementpdf.h"
#include "output/enveloppe.h"
#include "output/export.h"
#include "output/impressionlettre.h"
#include "output/mail.h"
#include "output/mailpdf.h"
#include "output/messages.h"
#include "platform/dialogues.h"
#include "platform/fenetres.h"
#include "richtext/editeurmodele.h"
#include "richtext/frmapercu.h"
#include "richtext/richtextbox.h"

#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextDocument>
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
        c.modele = m_listeModeles->texte(m_lsvModele->currentIndex().row(), kLibelleModele);
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
            commande(QStringLiteral("La liste des destinataires n'a pas pu être relue."),
                     [this] { RemplirDestinataires(); });
        });
        return fenetre;
    });
}

void FrmAccueil::cmdImportContacts_Click()
{
    afficherFenetre<FrmContacts>(QStringLiteral("FrmContacts"), [this] {
        auto* fenetre = new FrmContacts([this] { return idsDestinatairesSelectionnes(); });
        connect(fenetre, &FrmContacts::contactsImportes, this, [this](Carnet carnet) {
            if (carnet == Carnet::Destinataires)
                commande(QStringLiteral("La liste des destinataires n'a pas pu être relue."),
                         [this] { RemplirDestinataires(); });
            else
                commande(QStringLiteral("La liste des expéditeurs n'a pas pu être relue."),
                         [this] { RemplirComboExpediteurs(); });
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
    saisie.ids = idsDestinatairesSelectionnes();
    saisie.envoi = contexteEnvoi();
    commande(QStringLiteral("La lettre n'a pas pu être imprimée."),
             [&] { ImprimerLettre(saisie, *txtText()->document()); });
}

void FrmAccueil::cmdImprimerEnv_Click()
{
    const SaisieLettre lettre = saisieLettre();
    SaisieEnveloppe saisie;
    saisie.individuel = modeIndividuel();
    saisie.destinataire = destinataireDe(lettre);
    saisie.ids = idsDestinatairesSelectionnes();
    saisie.envoi = contexteEnvoi();
    commande(QStringLiteral("L'enveloppe n'a pas pu être imprimée."), [&] { ImprimerEnveloppe(saisie); });
}

void FrmAccueil::cmdEtiquettes_Click()
{
    const QList<RecordId> ids = idsDestinatairesSelectionnes();
    if (ids.isEmpty()) {
        afficherErreur(messageAucunDestinataire());
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
    saisie.ids = idsDestinatairesSelectionnes();
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

void FrmAccueil::reprendreEnvoi(const EntreeJournal& entree, const QString& rtf, bool relance)
{
    if (lettreModifiee()
        && confirmerDestruction(QStringLiteral("La lettre a été modifiée. La remplacer et perdre ces modifications ?"))
            != Reponse::Oui)
        return;
    if (entree.expediteur.id != kAucunEnregistrement && m_expediteur->choisirNumero(entree.expediteur.id))
        AfficherExpediteur();
    m_optDiffusion[0]->setChecked(true);
    optDiffusion_Click(0);
    if (entree.destinataire.id != kAucunEnregistrement && m_destinataire->choisirNumero(entree.destinataire.id))
        AfficherDestinataire();
    m_txtText->setTextRTF(rtf);
    m_txtObjetLettre->setText(relance ? QStringLiteral("Relance : ") + entree.objet : entree.objet);
    if (relance)
        preparerRelance(*m_txtText->document(), entree.objet, QDate::currentDate());
    // The letter taken up is the user's work: it is never recomposed unasked.
    m_txtText->document()->setModified(true);
    changerEtape(AnimationEtapes::Traitement);
    activateWindow();
}

void FrmAccueil::cmdEnregistrerPdf_Click()
{
    SaisiePdf saisie;
    saisie.individuel = modeIndividuel();
    saisie.ids = idsDestinatairesSelectionnes();
    saisie.lettre = saisieLettre();
    saisie.archivage = m_mnuPdfA->isChecked();
    saisie.dateIso = QDate::currentDate().toString(Qt::ISODate);
    saisie.envoi = contexteEnvoi();
    commande(QStringLiteral("La lettre n'a pas pu être enregistrée en PDF."),
             [&] { EnregistrerLettrePdf(saisie, *txtText()->document()); });
}

void FrmAccueil::cmdMailPdf_Click()
{
    SaisieMailPdf saisie;
    saisie.individuel = modeIndividuel();
    saisie.mailDest = mailDestinataire();
    saisie.ids = idsDestinatairesSelectionnes();
    saisie.lettre = saisieLettre();
    saisie.archivage = m_mnuPdfA->isChecked();
    saisie.dateIso = QDate::currentDate().toString(Qt::ISODate);
    saisie.envoi = contexteEnvoi();
    commande(QStringLiteral("Le message n'a pas pu être préparé."),
             [&] { EnvoyerLettrePdf(saisie, *txtText()->document()); });
}

void FrmAccueil::cmdApercu_Click()
{
    commande(QStringLiteral("L'aperçu de la lettre n'a pas pu être préparé."), [this] {
        std::vector<LettreApercu> lettres;
        QString raison;
        if (modeIndividuel()) {
            lettres.push_back({std::unique_ptr<QTextDocument>(txtText()->document()->clone()), QString()});
        } else {
            const QList<RecordId> ids = idsDestinatairesSelectionnes();
            if (ids.isEmpty()) {
                afficherErreur(messageAucunDestinataire());
                return;
            }
            if (!lettresEnNombre(txtText()->TextRTF(), ids, lettres, raison)) {
                afficherErreur(QStringLiteral("L'aperçu de la lettre n'a pas pu être préparé : %1").arg(raison));
                return;
            }
        }
        std::unique_ptr<ApercuLettres> apercu = ApercuLettres::creer(std::move(lettres), raison);
        if (!apercu) {
            afficherErreur(QStringLiteral("L'aperçu de la lettre n'a pas pu être préparé : %1").arg(raison));
            return;
        }
        montrerApercu(this, QStringLiteral("Aperçu avant impression"), std::move(apercu),
                      [this] { cmdImprimerLettre_Click(); });
    });
}

void FrmAccueil::cmdApercuEnveloppe_Click()
{
    commande(QStringLiteral("L'aperçu de l'enveloppe n'a pas pu être préparé."), [this] {
        const std::optional<int> format = formatEnveloppeEnregistre();
        if (!format) {
            afficherErreur(messageFormatAbsent());
            return;
        }
        SaisieEnveloppe saisie;
        saisie.individuel = modeIndividuel();
        saisie.destinataire = destinataireDe(saisieLettre());
        saisie.ids = idsDestinatairesSelectionnes();
        if (!saisie.individuel && saisie.ids.isEmpty()) {
            afficherErreur(messageAucunDestinataire());
            return;
        }
        const std::vector<AdresseEnveloppe> adresses = adressesAImprimer(saisie);
        std::vector<DispositionEnveloppe> dispositions;
        QString message;
        if (!disposerToutes(*format, adresses, dispositions, message)) {
            afficherErreur(message);
            return;
        }
        QStringList noms;
        for (const AdresseEnveloppe& a : adresses)
            noms << a.nom;
        montrerApercu(this, QStringLiteral("Aperçu de l'enveloppe"),
                      std::make_unique<ApercuEnveloppes>(*format, std::move(dispositions), noms),
                      [this] { cmdImprimerEnv_Click(); });
    });
}
