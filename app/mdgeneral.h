#pragma once

#include <QString>
#include <QStringList>

// Shared services of the program: where its files are, the database
// connection, the settings file and the registry.
namespace mdGeneral {

// The folder of the executable, without a trailing separator.
QString DossierApplication();
// Tests and tools point the program at another folder, whose Save folder is
// then the data folder whatever it holds.
void DefinirDossierApplication(const QString& dossier);
// The data folder: <application>/Save for a portable copy, else the user's
// own (see platform/dossierdonnees.h).
QString DossierDonnees();
QString CheminMdb();     // <data folder>/Lettre.mdb
QString CheminIni();      // <data folder>/Lettre.ini
QString DossierSauvegardes();   // <data folder>/Sauvegardes
// The delivered files: the catalogue database and the information sheets.
QString DossierLivre();
// A document link of a model: "Save/..." names a file of the data folder,
// or else the delivered one of that name; other links, and files found in
// neither place, are unchanged.
QString CheminDocument(const QString& lien);

// Opens cnLettre on the data folder's Lettre.mdb. Throws ErreurBase with the
// reason.
void OuvrirBase();

// Kind 0 string, 1 number, 2 bytes, any other: nothing written. Returns
// false when the value could not be stored.
bool EcrireRegistre(int type, const QString& chemin, const QString& valeur);

// One key of a settings file; an empty file name means Save/Lettre.ini.
QString LireIni(const QString& section, const QString& cle, const QString& fichier);
// Returns "" when the key was written, else why not (in French).
QString EcrireIni(const QString& section, const QString& cle, const QString& valeur, const QString& fichier);

// When the database did not open, the next database command tries again.
struct ResultatDemarrage {
    bool baseOuverte = false;
    QString raisonBase;
    // Opened, but missing tables or columns, or only readable: what to say.
    QString avertissementBase;
    // Said once when the window is up: a catalogue upgrade or its backup
    // that failed.
    QStringList avertissements;
};
// The start-up work that needs no window, in this order: the registry, the
// database (copied for the user first when needed), the catalogue upgrade,
// the journal and the daily backup. The result tells whether the database
// could be opened, and if not why, and what went wrong on the way. The main
// window then lays out its panels and fills its lists itself.
ResultatDemarrage Demarrer();

// The message shown once the window is up when the database did not open.
QString MessageBaseIndisponible(const ResultatDemarrage& resultat);
// What the user is told once the window is up: the unopened database, its
// missing parts or its read-only state; "" when all is well.
QString MessageDemarrage(const ResultatDemarrage& resultat);

} // namespace mdGeneral
