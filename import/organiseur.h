#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Reading the people of Tilvo - Organiseur and copying them into the
// recipients. The organiser's database is only ever opened for reading.

// One person of the organiser, as listed.
struct ContactOrganiseur {
    QString nom;
    QString prenom;
    QString id;       // Num_Personne, as text
    qint64 ligne = 0; // the row itself (rowid): ids may repeat or hold anything
};

// The organiser's database in its installation folder, the folder taken as
// given.
QString CheminBaseOrganiseur(const QString& dossier);

// The organiser's installation folder found beside the letters' data folder
// (dossierDonnees, a Save folder): the same installation (a portable copy of
// both programs), else the organiser's own data folder next to ours
// (tilvo-organiseur beside tilvo-lettres). "" when neither holds its
// database.
QString DossierOrganiseurPropose(const QString& dossierDonnees);

// Every person, in the order the database gives them. Throws ErreurBase when
// the database cannot be opened or read.
QList<ContactOrganiseur> LireContactsOrganiseur(const QString& dossier);

// Outcome of an import: how many people became recipients, and why it
// stopped early ("" when every person was imported).
struct BilanImport {
    int importes = 0;
    QString erreur;
};

// Adds one recipient per contact, in order, each written on its own, read
// from the contact's own row whatever its id holds. Stops at the first
// failure; the people written before it stay.
BilanImport ImporterContacts(const QString& dossier, const QList<ContactOrganiseur>& contacts);
