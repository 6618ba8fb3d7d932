#pragma once

#include "platform/resultat.h"

#include <QDateTime>
#include <QString>

// The correspondence journal's settings, kept in the settings file, section
// "Journal".
struct ReglagesJournal {
    bool conserverTexte = true; // "Conserver le texte des lettres"
    int moisConservation = 0;   // entries older than this are removed; 0: never
};
ReglagesJournal lireReglagesJournal();
Reussite ecrireReglagesJournal(const ReglagesJournal& reglages);

// At start-up: creates the journal's table when the database lacks it, then
// removes the entries older than the settings keep. "" when done, else what
// went wrong, in French.
QString preparerJournalAuDemarrage(const QDateTime& maintenant);
