#pragma once

#include "output/journalsorties.h"
#include "output/pagelettre.h"
#include "platform/recordset.h"

#include <QList>

class QTextDocument;

// Letter printing: the letter as it stands (individual mode), or one
// personalised letter per selected recipient (mass mode), each letter its
// own print job with the letter margins.

// What the main window holds when the print button is clicked.
struct SaisieImpression {
    bool individuel = true; // optDiffusion(0) selected
    QList<RecordId> ids;    // the selected recipients, list order
    ContexteEnvoi envoi{};  // for the journal
};

// `lettre` is never changed; in mass mode it holds the recipient
// placeholders that each letter fills. Each letter handed to the printer is
// recorded in the journal, and only those.
void ImprimerLettre(const SaisieImpression& saisie, const QTextDocument& lettre);
