// Composition on the letter area and the database.
#include "output/composition.h"

#include "platform/dialogues.h"
#include "platform/recordset.h"
#include "platform/richtextbox/richtextbox.h"
#include "store/requetes.h"

namespace {

bool verifierModele(const SaisieLettre& saisie)
{
    if (saisie.depuisModele && saisie.lignesModeles == 0) {
        afficherErreur(QStringLiteral("Attention ! Vous n'avez pas sélectionné de modèle de lettre."));
        return false;
    }
    return true;
}

// The chosen model's body, or "" for a blank letter.
QString lireCorps(const SaisieLettre& saisie)
{
    if (!saisie.depuisModele)
        return QString();
    Recordset rs;
    rs.open(requetes::modele(saisie.idModeleCourant));
    const QString corps = rs.text(QStringLiteral("Corps_Modele"));
    rs.close();
    return corps;
}

} // namespace

bool ComposerLettreIndividuelle(const SaisieLettre& saisie, RichTextBox& txtText)
{
    if (!verifierModele(saisie))
        return false;
    const QString corps = lireCorps(saisie);
    txtText.setTextRTF(TexteLettreIndividuelle(saisie, corps));
    return true;
}

bool ComposerLettreEnNombre(const SaisieLettre& saisie, RichTextBox& txtText)
{
    if (saisie.lignesDestinataires == 0) {
        afficherErreur(QStringLiteral("Attention ! Vous n'avez pas sélectionné de destinataire."));
        return false;
    }
    if (!verifierModele(saisie))
        return false;
    const QString corps = lireCorps(saisie);
    txtText.setTextRTF(TexteLettreEnNombre(saisie, corps));
    return true;
}

bool PersonnaliserLettre(RecordId idDestinataire, const RichTextBox& txtText, RichTextBox& txtLettreTmp)
{
    const QString lettre = txtText.TextRTF();
    Recordset rs;
    rs.open(requetes::destinataire(idDestinataire));
    ValeursDestinataire dest;
    dest.titre = rs.text(QStringLiteral("Titre_Destinataire"));
    dest.nom = rs.text(QStringLiteral("Nom_Destinataire"));
    dest.prenom = rs.text(QStringLiteral("Prenom_Destinataire"));
    dest.adresse1 = rs.text(QStringLiteral("Adresse1_Destinataire"));
    dest.adresse2 = rs.text(QStringLiteral("Adresse2_Destinataire"));
    dest.cp = rs.text(QStringLiteral("CP_Destinataire"));
    dest.ville = rs.text(QStringLiteral("Ville_Destinataire"));
    dest.fonction = rs.text(QStringLiteral("Fonction_Destinataire"));
    rs.close();
    txtLettreTmp.setTextRTF(TextePersonnalise(lettre, dest));
    return true;
}
