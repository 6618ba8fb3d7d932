#pragma once

#include "platform/recordset.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The correspondence journal: one row of table Journal for every letter that
// left the program (printed, put on an envelope, e-mailed, exported), with a
// copy of who it went to and from as they were that day, so an entry stays
// true after the address books change.

// Output channels, as shown to the user and stored.
namespace canal {
inline const QString impression = QStringLiteral("Impression");
inline const QString enveloppe = QStringLiteral("Enveloppe");
inline const QString mail = QStringLiteral("E-mail");
inline const QString mailPdf = QStringLiteral("E-mail avec PDF");
inline const QString exportRtf = QStringLiteral("Export RTF");
inline const QString pdf = QStringLiteral("PDF");
} // namespace canal

// A person as the letter named them.
struct PersonneEnvoi {
    RecordId id = kAucunEnregistrement;
    QString nom;     // title, first name and name, as one line
    QString adresse; // address lines and postcode, one per line
    QString ville;
};

struct EntreeJournal {
    RecordId numero = kAucunEnregistrement;
    QDateTime quand; // the clock's time; read back without a time zone (as UTC)
    QString canal;
    PersonneEnvoi destinataire;
    PersonneEnvoi expediteur;
    QString modele; // the model's label, "" when written freely
    QString objet;
    int pages = 0; // 0: not known
    QString rtf;   // "" for an envelope, or when texts are not kept
};

// Creates table Journal and its indexes when the database lacks them, in one
// transaction. Throws ErreurBase.
void preparerJournal(Connexion& connexion = cnLettre());

// Records one entry; the RTF is stored compressed, and only when
// `conserverTexte`. Throws ErreurBase.
void noterEnvoi(const EntreeJournal& entree, bool conserverTexte, Connexion& connexion = cnLettre());

// Every entry, newest first, without the letters' text.
QList<EntreeJournal> lireJournal(Connexion& connexion = cnLettre());
// One entry's letter as sent, "" when not kept.
QString texteEnvoye(RecordId numero, Connexion& connexion = cnLettre());
void supprimerEnvoi(RecordId numero, Connexion& connexion = cnLettre());
// Removes the entries older than `mois` months before `maintenant`; returns
// how many.
int purgerJournal(int mois, const QDateTime& maintenant, Connexion& connexion = cnLettre());

// The latest entry for a recipient, if any (numero stays kAucunEnregistrement
// otherwise).
EntreeJournal dernierEnvoi(RecordId destinataire, Connexion& connexion = cnLettre());

// "12 mars 2026, Résiliation du bail (Impression)".
QString resumeEnvoi(const EntreeJournal& entree);
