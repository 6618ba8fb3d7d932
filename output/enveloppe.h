#pragma once

#include "output/journalsorties.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Envelope printing: the recipient's address on an envelope of the format
// chosen in the options dialog, or one envelope per selected recipient of
// the mass list.

// What the main window holds when the envelope button is clicked.
struct SaisieEnveloppe {
    bool individuel = true;   // optDiffusion(0) selected
    // Individual mode: the recipient fields of the window.
    QString titreDest, nomDest, prenomDest, adresse1Dest, adresse2Dest, cpDest, villeDest;
    // Mass mode: the texts (ids) of the selected rows of lsvDest, list order.
    QStringList idsSelectionnes;
    ContexteEnvoi envoi{};    // for the journal
};

// Every envelope is laid out before the first one prints: a recipient that
// cannot be read, or whose address does not fit on the envelope, is named
// and nothing prints. Each envelope is then its own print job; a job that
// fails is reported under the program's title and the next one is tried.
// Each envelope printed is recorded in the journal (without a letter).
void ImprimerEnveloppe(const SaisieEnveloppe& saisie);

inline constexpr double kTailleEnveloppe = 14.0;   // points

// Where everything goes on an envelope: positions in centimetres from the
// top-left corner of the printable area, the text's top-left corner there.
struct TexteEnveloppe {
    float x;
    float y;
    QString texte;
    double taille = kTailleEnveloppe;
};
struct DispositionEnveloppe {
    bool paysage = false;
    std::vector<TexteEnveloppe> textes;
};

// The layout of the given format (0 to 5); none for any other code.
std::optional<DispositionEnveloppe> disposerEnveloppe(int format, const QString& nom, const QString& adresse1,
                                                      const QString& adresse2, const QString& codePostal,
                                                      const QString& ville);

// The stored format code, or none when it is not set or not one of the
// codes 0 to 5.
std::optional<int> formatEnveloppeEnregistre();
