// The main window's guard against lost work: the sender or recipient typed
// but not saved, the letter edited since it was composed, and the one
// question asked before the window closes.
#include "platform/fenetres.h"
#include "app/frmaccueil.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "richtext/richtextbox.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>

namespace {

// A form is unsaved when it differs from the record its chooser designates,
// or, with no record designated, when anything has been typed. A database
// that cannot be read counts as unsaved: asking is better than losing.
template <class Fiche>
bool ficheNonEnregistree(const Fiche& saisie, bool nouvelle, const QString& choix,
                         RecordId (*numero)(const QString&), Fiche (*lire)(RecordId))
{
    try {
        const RecordId id = nouvelle ? kAucunEnregistrement : numero(choix);
        if (id == kAucunEnregistrement)
            return saisie != Fiche{};
        return lire(id) != saisie;
    } catch (const ErreurBase&) {
        return true;
    }
}

} // namespace

FicheExpediteur FrmAccueil::ficheExpediteurSaisie() const
{
    return {m_cmbTitreExp->currentText(), m_txtNomExp->text(),   m_txtPrenomExp->text(), m_txtAdresse1Exp->text(),
            m_txtAdresse2Exp->text(),     m_txtCPExp->text(),    m_txtVilleExp->text(),  m_txtTel1Exp->text(),
            m_txtTel2Exp->text(),         m_txtFonctionExp->text()};
}

FicheDestinataire FrmAccueil::ficheDestinataireSaisie() const
{
    return {m_cmbTitreDest->currentText(), m_txtNomDest->text(),   m_txtPrenomDest->text(),
            m_txtAdresse1Dest->text(),     m_txtAdresse2Dest->text(), m_txtCPDest->text(),
            m_txtVilleDest->text(),        m_txtFonctionDest->text(), m_txtMailDest->text()};
}

bool FrmAccueil::expediteurNonEnregistre() const
{
    return ficheNonEnregistree(ficheExpediteurSaisie(), m_nouvelExpediteur, m_cmbExpediteur->currentText(),
                               &numeroExpediteurDe, &lireExpediteur);
}

bool FrmAccueil::destinataireNonEnregistre() const
{
    return ficheNonEnregistree(ficheDestinataireSaisie(), m_nouveauDestinataire, m_cmbDestinataire->currentText(),
                               &numeroDestinataireDe, &lireDestinataire);
}

bool FrmAccueil::lettreModifiee() const
{
    return m_txtText->document()->isModified();
}

bool FrmAccueil::accepterFermeture()
{
    const bool expediteur = expediteurNonEnregistre();
    const bool destinataire = destinataireNonEnregistre();
    if (!expediteur && !destinataire) {
        return !lettreModifiee()
            || confirmerDestruction(QStringLiteral("La lettre a été modifiée. Quitter et perdre ces modifications ?"))
                   == Reponse::Oui;
    }
    const QString quoi = expediteur && destinataire ? QStringLiteral("de l'expéditeur et du destinataire")
                         : expediteur               ? QStringLiteral("de l'expéditeur")
                                                    : QStringLiteral("du destinataire");
    QString question = QStringLiteral("Les modifications %1 n'ont pas été enregistrées. "
                                      "Voulez-vous les enregistrer avant de quitter ?")
                           .arg(quoi);
    if (lettreModifiee())
        question += QStringLiteral("\n\nLes modifications de la lettre seront perdues.");
    switch (dialogues().message(question, Boutons::EnregistrerAnnuler, Icone::Aucune, QStringLiteral("Confirmation"))) {
    case Reponse::Oui:
        if (expediteur)
            commande(QStringLiteral("L'expéditeur n'a pas pu être enregistré."), [this] { EnregistrerExpediteur(); });
        if (destinataire)
            commande(QStringLiteral("Le destinataire n'a pas pu être enregistré."), [this] { EnregistrerDestinataire(); });
        // A refused or failed save keeps the window open.
        return !expediteurNonEnregistre() && !destinataireNonEnregistre();
    case Reponse::Non:
        return true;
    case Reponse::Annuler:
    case Reponse::Ok:
        break;
    }
    return false;
}

void FrmAccueil::closeEvent(QCloseEvent* event)
{
    if (!accepterFermeture()) {
        event->ignore();
        return;
    }
    for (const QString& nom : {QStringLiteral("FrmTexte"), QStringLiteral("FrmImport"), QStringLiteral("FrmContacts"), QStringLiteral("FrmOption"), QStringLiteral("FrmAbout")}) {
        QWidget* fenetre = fenetreOuverte(nom);
        if (fenetre && !fenetre->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}
