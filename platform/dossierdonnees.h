#pragma once

#include <QString>

// Where the user's letters database and settings live.
//
// Portable: a writable Save/Lettre.mdb beside the executable (a build tree,
// a copy carried on a key) is used where it stands. Installed: the data
// folder is tilvo-lettres/Save under the user's data folder
// ($XDG_DATA_HOME, by default ~/.local/share); its database is copied from
// the delivered one at the first start.
struct EmplacementDonnees {
    QString dossier; // the Save folder, without a trailing separator
    bool portable = false;
};

// dossierProgramme: the executable's folder; donneesUtilisateur: the user's
// data folder ($XDG_DATA_HOME).
EmplacementDonnees choisirEmplacementDonnees(const QString& dossierProgramme, const QString& donneesUtilisateur);

// The delivered files (database, information sheets) of a program whose
// executable is in dossierProgramme: <prefix>/share/tilvo-lettres beside
// <prefix>/bin.
QString dossierLivreDe(const QString& dossierProgramme);

// Makes sure dossierDonnees holds Lettre.mdb, copying baseLivree there when
// it is missing; a database is never created from nothing. Returns "" when
// the database is there, else why not, in French.
QString preparerBaseUtilisateur(const QString& dossierDonnees, const QString& baseLivree);
