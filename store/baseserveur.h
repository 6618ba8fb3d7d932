#pragma once

#include "platform/erreurbase.h"

#include <QString>

class Connexion;

// Setting up the office's letter database on a PostgreSQL server: the tables
// of the letter file, sorted in French by an ICU collation, filled either
// with the delivered catalogue or with a copy of a user's file. Both work in
// one transaction on an open server connection, and leave the database as
// it was when they fail.

// What was asked cannot be done as it stands: a database that already holds
// the letters, a file that is not a letter database or cannot be read.
// Nothing was written.
class RefusBaseServeur : public ErreurBase {
public:
    using ErreurBase::ErreurBase;
};

// Rows written, per table.
struct ComptesCopie {
    qint64 expediteurs = 0;
    qint64 destinataires = 0;
    qint64 categories = 0;
    qint64 sousCategories = 0;
    qint64 modeles = 0;
    qint64 journal = 0;
};

// Creates the tables in an empty database and loads the delivered catalogue
// of `cheminCatalogueLivre` (read only), its ids kept. Throws
// RefusBaseServeur, or ErreurBase when the server fails.
ComptesCopie initialiserBaseServeur(Connexion& connexion, const QString& cheminCatalogueLivre);

// Creates the tables in an empty database and copies a user's letter file
// into them (address books, catalogue, journal when it has one), ids kept;
// the file is only read. Throws RefusBaseServeur, or ErreurBase when the
// server fails.
ComptesCopie copierVersServeur(const QString& cheminMdb, Connexion& connexion);

// "3 expéditeurs, 1 250 destinataires, ..., 0 entrée du journal"
QString detailComptes(const ComptesCopie& comptes);
// "12 catégories, 40 sous-catégories, 180 modèles"
QString detailCatalogue(const ComptesCopie& comptes);
