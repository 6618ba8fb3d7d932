#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// A contact as the vCard and CSV files carry it, before it becomes a sender
// or a recipient: every field either book has.

enum class Champ { Aucun, Titre, Nom, Prenom, Adresse1, Adresse2, Cp, Ville, Fonction, Mail, Tel1, Tel2 };
inline constexpr int kNombreChamps = 12;

struct Contact {
    QString titre, nom, prenom, adresse1, adresse2, cp, ville, fonction, mail, tel1, tel2;
    bool operator==(const Contact&) const = default;
};

QString& valeurChamp(Contact& contact, Champ champ);
const QString& valeurChamp(const Contact& contact, Champ champ);

// The field's name in the window and in the header of an exported CSV file
// ("Prénom", "Code postal"...); "(ignorée)" for Aucun.
QString libelleChamp(Champ champ);

// A contact read from a file: the line where it starts, and why it could
// not be read ("" when it could).
struct ContactLu {
    Contact contact;
    int ligne = 0;
    QString erreur;
};

// Reports how far a long reading went; returns false to stop it.
using Avancement = std::function<bool(qint64 fait, qint64 total)>;
// What a reading stopped that way gives instead of a reason.
inline const QString kLectureAnnulee = QStringLiteral("Lecture annulée.");

// A text reduced for comparing names: lower case, accents and everything
// but letters and digits removed ("Code postal" and "code_postal" meet).
QString cleSimplifiee(const QString& texte);

// One of the program's titles when the text means it ("M.", "mme", "Mr",
// "MADAME"), else the text as written (trimmed): "Maître" stays "Maître".
QString titreReconnu(const QString& titre);

// A name given as one text ("Jean-Paul Dupont"): the last word is the
// last name, the words before it the first name.
void separerNomComplet(const QString& nomComplet, Contact& contact);

// A contact that has neither last name nor first name cannot be stored.
inline bool aUnNom(const Contact& c)
{
    return !c.nom.trimmed().isEmpty() || !c.prenom.trimmed().isEmpty();
}
