#pragma once

#include "platform/emplacements.h"

#include <QString>
#include <QStringList>

// The program's start-up: opening the database, bringing the catalogue up to
// date, and the main window's load steps.
namespace mdGeneral {

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
