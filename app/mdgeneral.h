#pragma once

#include <QString>
#include <functional>

// Shared services of the program: where its files are, the database
// connection, the settings file and the registry.
namespace mdGeneral {

// The folder of the executable, without a trailing separator.
QString DossierApplication();
// Tests and tools point the program at another folder.
void DefinirDossierApplication(const QString& dossier);
QString CheminBase();     // <application>/Save/Lettre.mdb
QString CheminIni();      // <application>/Save/Lettre.ini

// Opens cnLettre on Save/Lettre.mdb. Throws ErreurBase with the reason.
void OuvrirBase();

// Kind 0 string, 1 number, 2 bytes, any other: nothing written. Returns
// false when the value could not be stored.
bool EcrireRegistre(int type, const QString& chemin, const QString& valeur);

// One key of a settings file; an empty file name means Save/Lettre.ini.
QString LireIni(const QString& section, const QString& cle, const QString& fichier);
// Returns "" when the key was written, else why not (in French).
QString EcrireIni(const QString& section, const QString& cle, const QString& valeur, const QString& fichier);

// The steps the main window's load handler runs, in this order. Each step's
// failure is ignored and the next step runs; the result tells whether the
// database could be opened, and if not why.
struct EtapesDemarrage {
    std::function<void()> placerPanneaux;
    std::function<void()> initialiserEtape;
    std::function<void()> remplirExpediteurs;
    std::function<void()> remplirDestinataires;
    std::function<void()> remplirListeDestinataires;
    std::function<void()> remplirCategories;
    std::function<void()> modeIndividuel;
    std::function<void()> optionTexte;
};
// When the database did not open, the next database command tries again.
struct ResultatDemarrage {
    bool baseOuverte = false;
    QString raisonBase;
    // Opened, but missing tables or columns, or only readable: what to say.
    QString avertissementBase;
};
ResultatDemarrage Demarrer(const EtapesDemarrage& etapes);

// The message shown once the window is up when the database did not open.
QString MessageBaseIndisponible(const ResultatDemarrage& resultat);
// What the user is told once the window is up: the unopened database, its
// missing parts or its read-only state; "" when all is well.
QString MessageDemarrage(const ResultatDemarrage& resultat);

} // namespace mdGeneral
