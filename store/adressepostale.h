#pragma once

#include <QString>
#include <QStringList>

// An address checked against the French postal standard: at most 6 lines
// of at most 38 characters, a 5-digit postcode, a last line (postcode and
// town, "CEDEX 01" allowed after the town) without punctuation. Nothing
// here blocks a save: the problems are only told to the user.

struct AdressePostale {
    QString nom; // title, last name, first name
    QString fonction;
    QString adresse1;
    QString adresse2;
    QString codePostal;
    QString ville;
};

inline constexpr int kLignesPostalesMax = 6;
inline constexpr int kCaracteresParLigneMax = 38;

// One French sentence per problem, in the order of the lines; empty when
// the address is as La Poste wants it.
QStringList problemesPostaux(const AdressePostale& adresse);

// The address as La Poste prefers it: the town in capitals without accents
// or punctuation, and the standard abbreviations in a street line that is
// too long (BD, AV, CHE, RTE, IMP…).
AdressePostale miseEnFormePostale(const AdressePostale& adresse);
