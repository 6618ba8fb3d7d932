#pragma once

#include "platform/dossierdonnees.h"
#include "platform/parametresserveur.h"
#include "platform/resultat.h"

#include <QString>

// The program's files and settings, shared by every part of it: where the
// executable and the data folder are, the database connection, the settings
// file and the registry.
namespace mdGeneral {

// The folder of the executable, without a trailing separator.
QString DossierApplication();
// Tests and tools point the program at another folder, whose Save folder is
// then the data folder whatever it holds.
void DefinirDossierApplication(const QString& dossier);
// The data folder: <application>/Save for a portable copy, else the user's
// own (see choisirEmplacementDonnees).
QString DossierDonnees();
QString CheminMdb();          // <data folder>/Lettre.mdb
QString CheminIni();          // <data folder>/Lettre.ini
QString DossierSauvegardes(); // <data folder>/Sauvegardes
// The delivered files: the catalogue database and the information sheets.
QString DossierLivre();
// A document link of a model: "Save/..." names a file of the data folder,
// or else the delivered one of that name; other links, and files found in
// neither place, are unchanged.
QString CheminDocument(const QString& lien);

// Opens cnLettre on the database the settings choose: the data folder's
// Lettre.mdb, or the office's database on a PostgreSQL server (its password
// asked once per session when libpq finds none). Throws ErreurBase with the
// reason.
void OuvrirBase();

// Asks the password of the server's user once, after `raison` (why it is
// needed); "" when the user cancels.
QString DemanderMotDePasse(const ParametresServeur& serveur, const QString& raison, const QString& titre);

// Section "Base" of the settings file; absent, the data folder's file.
ChoixBase ChoixBaseCourant();
Reussite EnregistrerChoixBase(const ChoixBase& choix);

// Kind 0 string, 1 number, 2 bytes, any other: nothing written. Returns
// false when the value could not be stored.
bool EcrireRegistre(int type, const QString& chemin, const QString& valeur);

// One key of a settings file; an empty file name means Save/Lettre.ini.
QString LireIni(const QString& section, const QString& cle, const QString& fichier);
Reussite EcrireIni(const QString& section, const QString& cle, const QString& valeur, const QString& fichier);

// The data folder and whether it is a portable copy's.
EmplacementDonnees EmplacementCourant();

} // namespace mdGeneral
