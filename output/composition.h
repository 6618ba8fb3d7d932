#pragma once

#include "store/destinataires.h"
#include "store/expediteurs.h"

#include <QHash>
#include <QString>

#include <optional>

// What the main window holds, as read from its controls.
struct SaisieLettre {
    QString titreExp, nomExp, prenomExp, adresse1Exp, adresse2Exp, cpExp, villeExp, tel1Exp, tel2Exp, fonctionExp;
    QString titreDest, nomDest, prenomDest, adresse1Dest, adresse2Dest, cpDest, villeDest, fonctionDest;
    QString dateLettre, villeLettre, objetLettre, pieceLettre, formuleLettre;
    bool depuisModele = true;    // optModeleLettre(0) selected
    int lignesDestinataires = 0; // row count of lsvDest
    int lignesModeles = 0;       // row count of lsvModele
    QString idModeleCourant;     // text of lsvModele's current row
};

// The recipient fields of the entries, as one recipient card.
FicheDestinataire destinataireDe(const SaisieLettre& saisie);
// The sender and recipient fields of the entries, from their cards.
void remplirExpediteur(SaisieLettre& saisie, const FicheExpediteur& expediteur);
void remplirDestinataire(SaisieLettre& saisie, const FicheDestinataire& destinataire);

// ---- Text only: template and values in, RTF text out. ----

// The letter template: one RTF document holding the placeholders.
const QString& ModeleLettre();

// A value typed by the user or read from a row, made safe to stand in RTF
// text: backslashes and braces are escaped; other characters are kept as is.
QString EchapperRtf(const QString& valeur);

// The value of one placeholder; `enApostrophe`, when not empty, stands in
// for an empty `valeur` where the placeholder addresses the reader (it is
// followed by a comma: "<TitreDest>," gives "Madame, Monsieur,").
struct ValeurRepere {
    QString valeur;
    QString enApostrophe;
};
using Reperes = QHash<QString, ValeurRepere>;

// One pass over `texte`: each placeholder of `reperes` found in it is
// replaced by its value, and the values are never scanned again, so a
// placeholder typed in a field stays as typed. Placeholders not listed are
// left in place.
QString RemplirReperes(const QString& texte, const Reperes& reperes);

// Turns the control word \fs20 (10 points) into \fs22 (11 points); every
// other text, \fs200 and a typed "fs20" included, is left alone.
QString PasserEnOnzePoints(const QString& rtf);

// The individual letter: every placeholder filled from the entry; `corps` is
// the model body (an RTF document, inserted unchanged) or "".
QString TexteLettreIndividuelle(const SaisieLettre& saisie, const QString& corps);
// The mass letter: sender, letter and body filled; recipient placeholders
// left in place.
QString TexteLettreEnNombre(const SaisieLettre& saisie, const QString& corps);
// A mass letter's recipient placeholders filled from one recipient.
QString TextePersonnalise(const QString& lettre, const FicheDestinataire& dest);

// ---- On the database. ----
// Database failures throw ErreurBase.

// The individual letter's RTF; none, after its own message, when the model
// list is empty in from-a-model mode.
std::optional<QString> ComposerLettreIndividuelle(const SaisieLettre& saisie);
// The mass letter's RTF; none, after its own message, when the mass list is
// empty, then as above.
std::optional<QString> ComposerLettreEnNombre(const SaisieLettre& saisie);
