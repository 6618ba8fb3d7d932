#pragma once

#include "output/journalsorties.h"

#include <QString>
#include <QStringList>

// A new message in the desktop's mail program, addressed to the recipient
// (individual mode) or to every selected recipient (mass mode), with the
// letter's subject. Nothing is sent from here.

struct SaisieMail {
    bool individuel = true;       // optDiffusion(0) selected
    QString mailDest;             // txtMailDest: addresses separated by ";"
    QStringList idsSelectionnes;  // texts of the selected rows of lsvDest, in list order
    QString objet;                // txtObjetLettre
    int lignesDestinataires = 0;  // row count of lsvDest (mass mode refuses an empty list)
};

// Throws ErreurBase when a recipient row cannot be read (nothing is opened).
// A message the mail program opened is recorded in the journal, one entry
// per recipient it addresses.
void EnvoyerMail(const SaisieMail& saisie, const ContexteEnvoi& envoi = {});

// The mailto: link for address lists (";"-separated), subject and body, or ""
// when no address survives (nothing is to be opened). Addresses are used as
// typed; the subject and the body are percent-encoded.
QString LienMail(const QString& a, const QString& cc, const QString& cci, const QString& objet, const QString& corps);
// Opens that link, if any; true when a mail program took it.
bool CreerMail(const QString& a, const QString& cc, const QString& cci, const QString& objet, const QString& corps);

// The text's UTF-8 bytes, letters and digits kept, every other byte as %XX.
QString EncoderURL(const QString& texte);

// Opens a document or link with the desktop's program for it, a relative
// path being taken from `dossierTravail`. When none opens it, says so and
// offers to copy the link to the clipboard (and returns false).
bool ExecuterShell(const QString& document, const QString& dossierTravail = QString());
