#pragma once

#include <QStringList>

class RichTextBox;

// Letter printing: the letter area as it stands (individual mode), or one
// personalised letter per selected recipient (mass mode), each letter its
// own print job with the letter margins.

// What the main window holds when the print button is clicked.
struct SaisieImpression {
    bool individuel = true;          // optDiffusion(0) selected
    QStringList idsSelectionnes;     // texts (ids) of the selected rows of lsvDest, list order
};

// The margins of every printed letter, in twips from the paper's edges.
inline constexpr int kMargeGaucheLettre = 1200;
inline constexpr int kMargeHautLettre = 1500;
inline constexpr int kMargeDroiteLettre = 1200;
inline constexpr int kMargeBasLettre = 1500;

// txtText is never changed; in mass mode each letter is made in
// txtLettreTmp before it is printed.
void ImprimerLettre(const SaisieImpression& saisie, RichTextBox& txtText, RichTextBox& txtLettreTmp);
