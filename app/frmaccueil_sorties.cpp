// The main window's commands whose work is done elsewhere in the program:
// the secondary windows, the model editor, printing, e-mail and export. The
// window only reads its controls and hands them over.
#include "app/fenetres.h"
#include "app/frmabout.h"
#include "app/frmaccueil.h"
#include "app/frmetiquettes.h"
#include "app/frmoption.h"
#include "import/frmcontacts.h"
#include "import/frmimport.h"
#include "output/enregistrementpdf.h"
#include "output/enveloppe.h"
#include "output/export.h"
#include "output/impressionlettre.h"
#include "output/mail.h"
#include "output/mailpdf.h"
#include "platform/dialogues.h"
#include "richtext/editeurmodele.h"

#include <QDate>


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
    ExporterLettre(*txtText());
}

void FrmAccueil::cmdMail_Click()
{
    SaisieMail saisie;
    saisie.individuel = modeIndividuel();
    saisie.mailDest = mailDestinataire();
    saisie.idsSelectionnes = idsDestinatairesSelectionnes();
    saisie.objet = saisieLettre().objetLettre;
    saisie.lignesDestinataires = saisieLettre().lignesDestinataires;
    commande(QStringLiteral("Le message n'a pas pu être préparé."), [&] { EnvoyerMail(saisie); });
}

void FrmAccueil::cmdEnregistrerPdf_Click()
{
    SaisiePdf saisie;
    saisie.individuel = modeIndividuel();
    saisie.idsSelectionnes = idsDestinatairesSelectionnes();
    saisie.lettre = saisieLettre();
    saisie.archivage = m_mnuPdfA->isChecked();
    saisie.dateIso = QDate::currentDate().toString(Qt::ISODate);
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
    commande(QStringLiteral("Le message n'a pas pu être préparé."),
             [&] { EnvoyerLettrePdf(saisie, *txtText(), *txtLettreTmp()); });
}
