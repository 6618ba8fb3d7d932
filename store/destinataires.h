#pragma once

#include "platform/recordset.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// The recipients' address book (table Destinataire), without any window.
// Every function throws ErreurBase when the database fails.

// The nine recipient fields, in the order they are filled, blanked and stored.
struct FicheDestinataire {
    QString titre, nom, prenom, adresse1, adresse2, cp, ville, fonction, mail;
    bool operator==(const FicheDestinataire&) const = default;
};

// Every recipient, ordered by last name then first name: the id as read
// from the database and "title last-name first-name" (the rows of the
// mass-selection list). One reading serves the chooser and the list.
struct LignesDestinataires {
    QStringList ids;
    QStringList noms;
    // "last-name first-name" and the town of each row, for searching.
    QStringList nomsPrenoms;
    QStringList villes;
};
LignesDestinataires lignesDestinataires();

// The chooser's items for those rows: each recipient's label.
QStringList libellesDestinataires(const LignesDestinataires& lignes);

// The recipient a chooser text designates: -1 when the text is empty (the
// database is not consulted), does not start with an id, or names no row.
RecordId numeroDestinataireDe(const QString& texteChoix);

// The stored values of one recipient (absent values read as "").
FicheDestinataire lireDestinataire(RecordId id);
// The same, or none when no row has that id.
std::optional<FicheDestinataire> trouverDestinataire(RecordId id);

// Stores the fields into the recipient `id`, or into a new row when id is
// -1, exactly as given. Returns the row's id.
// With `attendue` (the values shown when the user began), the stored row
// must still hold them: a row changed or deleted meanwhile, on another
// desktop say, throws ErreurConflit and nothing is written.
RecordId ecrireDestinataire(RecordId id, const FicheDestinataire& fiche, const FicheDestinataire* attendue = nullptr);

void effacerDestinataire(RecordId id);

// Every recipient with its id, in the order the database gives them.
std::vector<std::pair<RecordId, FicheDestinataire>> tousLesDestinataires();

// Adds the cards as new rows in one transaction: all of them, or none when
// the database fails.
void ajouterDestinataires(const std::vector<FicheDestinataire>& fiches);
