#pragma once

#include <QList>
#include <QStringView>

// How a French reader cuts a line of text into words to check.
//
// A word is a run of letters and digits, held together by an apostrophe
// (' or ’) or a hyphen standing between two of them: "l'homme",
// "c’est-à-dire" and "a-t-il" are one word each. What is never checked is
// left out: anything holding a digit (numbers, "1er", "2e", "14h30", "A4"),
// Roman ordinals ("XIXe", "Ier"), e-mail and web addresses, the other
// gender's ending of "heureux(euse)", and the placeholders of a letter model
// ("<NomDest>").
namespace orthographe {

struct Mot {
    int debut = 0;
    int longueur = 0;
    // Length of a leading elision ("l'", "qu’", "jusqu'"), apostrophe
    // included; 0 when the word has none.
    int elision = 0;
};

QList<Mot> decouperMots(QStringView texte);

// Whether a word is never checked (see above).
bool horsVerification(QStringView mot);

} // namespace orthographe
