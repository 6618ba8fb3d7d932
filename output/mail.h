#pragma once

#include "output/journalsorties.h"
#include "platform/recordset.h"

#include <QList>
#include <QString>

// A new message in the desktop's mail program, addressed to the recipient
// (individual mode) or to every selected recipient (mass mode), with the
// letter's subject. Nothing is sent from here.

struct SaisieMail {
    bool individuel = true;      // optDiffusion(0) selected
    QString mailDest;            // txtMailDest: addresses separated by ";"
    QList<RecordId> ids;         // the selected recipients, in list order
    QString objet;               // txtObjetLettre
    int lignesDestinataires = 0; // row count of lsvDest (mass mode refuses an empty list)
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
