#pragma once

#include "platform/recordset.h"

#include <QString>

// What the sender and recipient address books share: the label of a chooser
// item and the way a chooser text designates a record again.

// Id, "- ", title, a space, last name, a space, first name. Empty parts add
// nothing but the separators stay ("7-   " for a row with no title or names).
QString libellePersonne(RecordId id, const QString& titre, const QString& nom, const QString& prenom);

// Title, a space, last name, a space, first name (a row of the mass list).
QString nomComplet(const QString& titre, const QString& nom, const QString& prenom);

// The id written at the start of a chooser text: its leading run of decimal
// digits, after a minus sign for a negative id. A text that does not start
// with a number, or whose number does not fit an id, designates no record.
RecordId numeroEnTete(const QString& texte);
