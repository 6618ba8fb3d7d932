#pragma once

#include "platform/emplacements.h"

#include <QString>
#include <QStringList>
#include <functional>

// The program's start-up: opening the database, bringing the catalogue up to
// date, and the main window's load steps.
namespace mdGeneral {

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
    // Said once when the window is up: a catalogue upgrade or its backup
    // that failed.
    QStringList avertissements;
};
ResultatDemarrage Demarrer(const EtapesDemarrage& etapes);

// The message shown once the window is up when the database did not open.
QString MessageBaseIndisponible(const ResultatDemarrage& resultat);
// What the user is told once the window is up: the unopened database, its
// missing parts or its read-only state; "" when all is well.
QString MessageDemarrage(const ResultatDemarrage& resultat);

} // namespace mdGeneral
