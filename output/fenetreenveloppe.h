#pragma once

#include "platform/resultat.h"

#include <QRectF>
#include <QString>

// The window of a window envelope, and the part of a letter that shows
// through it once the letter is folded in three and slipped in: the print
// preview outlines it on the letter's first page, so the user sees whether
// the recipient's address sits in the window. Never printed.

// The window as placed on a DL envelope (220 x 110 mm), in millimetres:
// its size and its distances from the envelope's right and bottom edges.
// The defaults are the common French window.
struct FenetreEnveloppe {
    double largeurMm = 100;
    double hauteurMm = 45;
    double droiteMm = 20;
    double basMm = 15;

    bool operator==(const FenetreEnveloppe&) const = default;
};

inline constexpr double kLargeurDlMm = 220;
inline constexpr double kHauteurDlMm = 110;

// The window on the unfolded A4 sheet, in millimetres from its top-left
// corner, cut to the third of the sheet that faces the window.
QRectF fenetreSurLaLettre(const FenetreEnveloppe& fenetre);

// Kept in the settings file, section "FenetreEnveloppe". A value that is
// absent, not a number or that would put the window off the envelope reads
// as the default.
FenetreEnveloppe lireFenetreEnveloppe();
// Stores the window; a window that would not fit on the envelope is not
// stored, and the failure says why.
Reussite ecrireFenetreEnveloppe(const FenetreEnveloppe& fenetre);
