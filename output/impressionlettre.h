#pragma once

#include "output/journalsorties.h"
#include "output/pagelettre.h"

#include <QStringList>

class RichTextBox;

// Letter printing: the letter area as it stands (individual mode), or one
// personalised letter per selected recipient (mass mode), each letter its
// own print job with the letter margins.

// What the main window holds when the print button is clicked.
struct SaisieImpression {
    bool individuel = true;          // optDiffusion(0) selected
    QStringList idsSelectionnes;     // texts (ids) of the selected rows of lsvDest, list order
    ContexteEnvoi envoi{};           // for the journal
};

// txtText is never changed; in mass mode each letter is made in
// txtLettreTmp before it is printed. Each letter handed to the printer is
// recorded in the journal, and only those.
void ImprimerLettre(const SaisieImpression& saisie, RichTextBox& txtText, RichTextBox& txtLettreTmp);
