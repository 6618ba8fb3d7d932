// Composition from the entries and the database.
#include "output/composition.h"

#include "output/messages.h"
#include "platform/dialogues.h"
#include "store/corpsmodele.h"

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
    return saisie.depuisModele ? LireCorpsModele(saisie.idModeleCourant) : QString();
}

} // namespace

std::optional<QString> ComposerLettreIndividuelle(const SaisieLettre& saisie)
{
    if (!verifierModele(saisie))
        return std::nullopt;
    return TexteLettreIndividuelle(saisie, lireCorps(saisie));
}

std::optional<QString> ComposerLettreEnNombre(const SaisieLettre& saisie)
{
    if (saisie.lignesDestinataires == 0) {
        afficherErreur(messageAucunDestinataire());
        return std::nullopt;
    }
    if (!verifierModele(saisie))
        return std::nullopt;
    return TexteLettreEnNombre(saisie, lireCorps(saisie));
}
