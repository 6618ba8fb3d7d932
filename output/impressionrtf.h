#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

class RichTextBox;

// Rich-text printing on the default printer, page after page, inside four
// margins given in twips (1440 to the inch) from the paper's edges.

// Makes the control wrap its lines as they will wrap on paper between the
// two margins (page width - gauche - droite). False, with the reason, when
// there is no printer or the margins do not fit on the page.
bool DefinirCibleImprimante(RichTextBox& txt, int gauche, int droite, QString* raison = nullptr);

// Prints the control's whole content as one print job (one page at least,
// a new page for each overflow). False, with the reason, on failure; the
// control is left unchanged either way. `pagesImprimees` receives the
// number of pages of a job that succeeded.
bool ImprimerRTF(RichTextBox& txt, int gauche, int haut, int droite, int bas, QString* raison = nullptr,
                 int* pagesImprimees = nullptr);

// ---- The arithmetic and the page loop, without a printer. ----

// What is read from the printer, in twips.
struct PageImprimante {
    qint32 largeurPage = 0, hauteurPage = 0;              // the whole sheet
    qint32 largeurImprimable = 0, hauteurImprimable = 0;  // the printable area
    qint32 decalageGauche = 0, decalageHaut = 0;          // sheet edge to printable area
};

// The drawing rectangle, in twips from the printable area's top-left corner.
struct RectangleTwips {
    qint32 gauche = 0, haut = 0, droite = 0, bas = 0;
};

// Margins from the paper's edges turned into the drawing rectangle
// (physical offsets subtracted); none when the arithmetic overflows.
std::optional<RectangleTwips> rectangleDessin(const PageImprimante& page, qint32 gauche, qint32 haut,
                                              qint32 droite, qint32 bas);

// Printer pixels to twips, to the nearest twip (halves to even).
qint32 pixelsEnTwips(double pixels, int resolution);

// The page loop: `formater(premier)` draws the page starting at character
// `premier` and returns the first character that did not fit;
// `nouvellePage()` starts the next page (false: the job failed). Stops when
// the text is all printed, or when a page made no progress. Returns the
// number of pages drawn, or none when a new page could not be started.
std::optional<int> imprimerPages(int longueurTexte, const std::function<int(int premier)>& formater,
                                 const std::function<bool()>& nouvellePage);
