// The main window's guard against lost work: the sender or recipient typed
// but not saved, the letter edited since it was composed, and the one
// question asked before the window closes.
#include "app/frmaccueil.h"
#include "app/panneaupersonne.h"
#include "platform/dialogues.h"
#include "platform/fenetres.h"
#include "richtext/richtextbox.h"

#include <QCloseEvent>

bool FrmAccueil::lettreModifiee() const
{
    return m_txtText->document()->isModified();
}

bool FrmAccueil::accepterFermeture()
{
    const bool expediteur = m_expediteur->nonEnregistre();
    const bool destinataire = m_destinataire->nonEnregistre();
    if (!expediteur && !destinataire) {
        return !lettreModifiee()
            || confirmerDestruction(QStringLiteral("La lettre a été modifiée. Quitter et perdre ces modifications ?"))
            == Reponse::Oui;
    }
    const QString quoi = expediteur && destinataire ? QStringLiteral("de l'expéditeur et du destinataire")
        : expediteur                                ? QStringLiteral("de l'expéditeur")
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
            commande(QStringLiteral("Le destinataire n'a pas pu être enregistré."),
                     [this] { EnregistrerDestinataire(); });
        // A refused or failed save keeps the window open.
        return !m_expediteur->nonEnregistre() && !m_destinataire->nonEnregistre();
    case Reponse::Non: return true;
    case Reponse::Annuler:
    case Reponse::Ok: break;
    }
    return false;
}

void FrmAccueil::closeEvent(QCloseEvent* event)
{
    if (!accepterFermeture()) {
        event->ignore();
        return;
    }
    for (const QString& nom : {QStringLiteral("FrmTexte"), QStringLiteral("FrmImport"), QStringLiteral("FrmContacts"),
                               QStringLiteral("FrmOption"), QStringLiteral("FrmAbout")}) {
        QWidget* fenetre = fenetreOuverte(nom);
        if (fenetre && !fenetre->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}
