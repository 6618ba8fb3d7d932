#pragma once

#include "output/composition.h"
#include "output/journalsorties.h"
#include "output/lettrepdf.h"

#include <QList>

class QTextDocument;

// "Enregistrer en PDF…": the letter area as it stands (individual mode) in
// one file, or the selected recipients' letters (mass mode) in a folder, one
// file each, or all in one file.

struct SaisiePdf {
    bool individuel = true; // optDiffusion(0) selected
    QList<RecordId> ids;    // the selected recipients, list order
    SaisieLettre lettre;
    bool archivage = false; // "Format d'archivage (PDF/A)" ticked
    QString dateIso;        // today, first part of the proposed names
    ContexteEnvoi envoi{};  // for the journal
};

// Throws ErreurBase when a recipient cannot be read (nothing written). Each
// letter written is recorded in the journal.
void EnregistrerLettrePdf(const SaisiePdf& saisie, const QTextDocument& lettre);

// The file's title and author for these entries.
ProprietesPdf proprietesPdf(const SaisieLettre& lettre, bool archivage);
