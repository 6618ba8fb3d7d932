#pragma once

#include "platform/connexion.h"

#include <QStringList>

// What the letter database lacks of the tables and columns the program
// reads and writes, one French phrase per missing table or column ("la
// table Modele", "la colonne Ville_Destinataire de la table
// Destinataire"); empty when nothing is missing.
QStringList manquesDuSchema(const Connexion& connexion);
