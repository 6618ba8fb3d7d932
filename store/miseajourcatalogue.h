#pragma once

#include <QList>
#include <QString>

class Connexion;
struct sqlite3;

// What a letters database received of the delivered catalogue, kept in a
// table of its own, Catalogue_Recu (Cle, Numero, Empreinte), beside the five
// tables of the letters:
//   "C:<id>" / "S:<id>"  a delivered category / sub-category (its id in the
//                        manifest) and the row it became;
//   "M:<body file>"      a delivered model, the row it became, and the SHA-1
//                        of the body as delivered (a different body now
//                        means the user edited it);
//   "contenu"            the SHA-1 of the whole delivered catalogue;
//   "version"            the program version that delivered it.

struct ElementRecu {
    QString cle;
    qint64 numero = 0;
    QString empreinte;
};

QString empreinteTexte(const QString& texte);

// Records, in the database open on `connexion`, the catalogue just loaded
// into it. Throws ErreurBase.
void noterCatalogueRecu(Connexion& connexion, const QList<ElementRecu>& elements, const QString& empreinteContenu,
                        const QString& version);

// Whether the delivered database at cheminLivre holds a catalogue newer than
// the one `utilisateur` last received: one small read of each.
bool miseAJourNecessaire(sqlite3* utilisateur, const QString& cheminLivre);

// Brings the delivered catalogue into the user's database, in one
// transaction: adds what the user lacks, refreshes the bodies of delivered
// models the user never edited, and leaves alone whatever the user edited,
// added or deleted (a deleted delivered model stays deleted). Returns "" when
// done, else why not, in French: the database is then as it was.
QString mettreAJourCatalogue(sqlite3* utilisateur, const QString& cheminLivre);
