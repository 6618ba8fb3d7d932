#pragma once

#include "platform/recordset.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// The senders' address book (table Expediteur), without any window: the main
// window moves these values between its controls and the database. Every
// function throws ErreurBase when the database fails.

// The ten sender fields, in the order they are filled, blanked and stored.
struct FicheExpediteur {
    QString titre, nom, prenom, adresse1, adresse2, cp, ville, tel1, tel2, fonction;
    bool operator==(const FicheExpediteur&) const = default;
};

// Every sender, ordered by last name: the chooser's items (labels), and
// "last-name first-name" and the town of each, for searching.
struct LignesExpediteurs {
    QStringList libelles;
    QStringList nomsPrenoms;
    QStringList villes;
};
LignesExpediteurs lignesExpediteurs();

// The labels alone.
QStringList libellesExpediteurs();

// The sender a chooser text designates: -1 when the text is empty (the
// database is not consulted), does not start with an id, or names no row.
RecordId numeroExpediteurDe(const QString& texteChoix);

// The stored values of one sender (absent values read as "").
FicheExpediteur lireExpediteur(RecordId id);

// Stores the fields into the sender `id`, or into a new row when id is -1,
// exactly as given. Returns the row's id (for a new row, the one just
// assigned).
// With `attendue` (the values shown when the user began), the stored row
// must still hold them: a row changed or deleted meanwhile, on another
// desktop say, throws ErreurConflit and nothing is written.
RecordId ecrireExpediteur(RecordId id, const FicheExpediteur& fiche, const FicheExpediteur* attendue = nullptr);

void effacerExpediteur(RecordId id);

// Every sender with its id, in the order the database gives them.
std::vector<std::pair<RecordId, FicheExpediteur>> tousLesExpediteurs();

// Adds the cards as new rows in one transaction: all of them, or none when
// the database fails.
void ajouterExpediteurs(const std::vector<FicheExpediteur>& fiches);
