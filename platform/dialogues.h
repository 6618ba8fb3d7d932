#pragma once

#include <QColor>
#include <QString>
#include <optional>

// Every dialog the program shows goes through this layer, so that tests can
// answer it from a script and check what was asked. The program installs the
// Qt dialogs (DialoguesQt); nothing else creates a dialog box directly.

// EnregistrerAnnuler offers "Enregistrer", "Ne pas enregistrer" and
// "Annuler", answered as Oui, Non and Annuler; RechargerEcraser offers
// "Recharger", "Écraser" and "Annuler", answered as Non, Oui and Annuler.
enum class Boutons { Ok, OuiNon, EnregistrerAnnuler, RechargerEcraser };
enum class Icone { Aucune, Exclamation, Information, Arret };
enum class Reponse { Ok, Oui, Non, Annuler };

// The fields of the font dialog. A field left empty when the dialog is
// opened keeps the value the dialog showed last time; on return every field
// is set.
struct ChoixPolice {
    std::optional<QString> nom;
    std::optional<double> taille;
    std::optional<bool> gras;
    std::optional<bool> italique;
    std::optional<bool> souligne;
    std::optional<bool> barre;
};

class Dialogues {
public:
    virtual ~Dialogues() = default;

    // `parDefaut` is the answer Enter gives; none given, the first button.
    virtual Reponse message(const QString& texte, Boutons boutons, Icone icone, const QString& titre,
                            std::optional<Reponse> parDefaut = std::nullopt) = 0;
    // The typed text, or "" when the user cancels.
    virtual QString saisie(const QString& invite, const QString& titre, const QString& proposition) = 0;
    // The same, the typing hidden; "" when the user cancels.
    virtual QString motDePasse(const QString& invite, const QString& titre) = 0;
    // The chosen path, or "" when the user cancels. Filters are Qt filters
    // ("Images (*.bmp *.png)").
    virtual QString fichierAOuvrir(const QString& titre, const QString& filtre) = 0;
    // The save dialog asks before replacing an existing file.
    virtual QString fichierAEnregistrer(const QString& titre, const QString& filtre, const QString& nomPropose) = 0;
    virtual QString dossier(const QString& titre) = 0;
    virtual std::optional<QColor> couleur(const QColor& initiale) = 0;
    virtual std::optional<ChoixPolice> police(const ChoixPolice& initiale) = 0;

    // Progress of a long run of jobs; progression() returns false once the
    // user asked to stop.
    virtual void debutProgression(const QString& titre, int total) = 0;
    virtual bool progression(int faits, const QString& texte) = 0;
    virtual void finProgression() = 0;
};

// The dialogs in use. Installing replaces them (the layer takes ownership).
Dialogues& dialogues();
void installerDialogues(Dialogues* nouveaux);

// The program's message styles.
// Refusals and errors: "Erreur", OK, exclamation.
void afficherErreur(const QString& texte);
// Questions: "Confirmation", Yes and No, no icon.
Reponse demanderConfirmation(const QString& texte);
// Questions before destroying something: the same, with No the default, so
// that Enter destroys nothing.
Reponse confirmerDestruction(const QString& texte);
// End of a long task: "Confirmation", OK, information.
void afficherInformation(const QString& texte);
// A failure under the program's title, with a stop icon.
void afficherArret(const QString& texte);

// The program's title as it appears in message boxes.
QString titreApplication();
