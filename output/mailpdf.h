#pragma once

#include "output/composition.h"
#include "output/journalsorties.h"

#include <QList>

class QTextDocument;

// "Envoyer la lettre en PDF par e-mail": the letter saved as PDF in a
// private temporary folder and handed, attached, to the desktop's mail
// program; in mass mode one message per recipient who has an address, each
// with that recipient's own letter.

struct SaisieMailPdf {
    bool individuel = true; // optDiffusion(0) selected
    QString mailDest;       // txtMailDest: addresses separated by ";"
    QList<RecordId> ids;    // the selected recipients, list order
    SaisieLettre lettre;
    bool archivage = false;
    QString dateIso;       // today, first part of the file names
    ContexteEnvoi envoi{}; // for the journal
};

// Throws ErreurBase when a recipient cannot be read (nothing opened). Each
// message handed to the mail program is recorded in the journal. The
// letters of recipients without an address may then be printed.
void EnvoyerLettrePdf(const SaisieMailPdf& saisie, const QTextDocument& lettre);
