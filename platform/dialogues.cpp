#include "platform/dialogues.h"

#include <memory>

namespace {

std::unique_ptr<Dialogues>& instance()
{
    static std::unique_ptr<Dialogues> dialogues;
    return dialogues;
}

} // namespace

Dialogues& dialogues()
{
    Q_ASSERT_X(instance(), "dialogues", "no dialog layer installed");
    return *instance();
}

void installerDialogues(Dialogues* nouveaux)
{
    instance().reset(nouveaux);
}

void afficherErreur(const QString& texte)
{
    dialogues().message(texte, Boutons::Ok, Icone::Exclamation, QStringLiteral("Erreur"));
}

Reponse demanderConfirmation(const QString& texte)
{
    return dialogues().message(texte, Boutons::OuiNon, Icone::Aucune, QStringLiteral("Confirmation"));
}

Reponse confirmerDestruction(const QString& texte)
{
    return dialogues().message(texte, Boutons::OuiNon, Icone::Aucune, QStringLiteral("Confirmation"), Reponse::Non);
}

void afficherInformation(const QString& texte)
{
    dialogues().message(texte, Boutons::Ok, Icone::Information, QStringLiteral("Confirmation"));
}

void afficherArret(const QString& texte)
{
    dialogues().message(texte, Boutons::Ok, Icone::Arret, titreApplication());
}

QString titreApplication()
{
    return QStringLiteral("Tilvo - Lettres");
}
