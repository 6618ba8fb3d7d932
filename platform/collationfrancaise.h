#pragma once

#include <QString>
#include <QStringView>

struct sqlite3;

// Orders texts as a French reader expects in an address book or a catalogue:
// case and accents are ignored ("Émile" between "Durand" and "Fabre",
// "de la Tour" equal to "De La Tour", so that a second sort key such as the
// first name decides between them); "œ" and "æ" count as two letters.
int comparerFrancais(QStringView a, QStringView b);

// The text as that comparison sees it: lower case, without accents, "œ" as
// "oe" (for searching a part of a name whatever its case and accents).
QString plierFrancais(QStringView texte);
// The letters the comparison sees: two texts have the same key exactly when
// comparerFrancais finds them equal (for looking names up in a hash).
QString cleFrancaise(QStringView texte);

// Name under which the comparison is known to SQLite; the sorted columns of
// the letter database are declared with it.
inline constexpr const char* kNomCollationFrancaise = "FRANCAIS";

// Makes the comparison available to one SQLite connection. Returns false when
// SQLite refuses it.
bool enregistrerCollationFrancaise(sqlite3* base);
