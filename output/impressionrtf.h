#pragma once

#include "output/impressionrtf_pages.h"
#include "platform/resultat.h"

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QTextDocument;
class RichTextBox;

// Rich-text printing on the default printer, page after page, inside four
// margins given in twips (1440 to the inch) from the paper's edges.

// Makes the control wrap its lines as they will wrap on paper between the
// two margins (page width - gauche - droite). Fails when there is no printer
// or the margins do not fit on the page.
Reussite DefinirCibleImprimante(RichTextBox& txt, int gauche, int droite);

// Prints the whole document as one print job (one page at least, a new page
// for each overflow). `pagesImprimees` receives the number of pages of a job
// that succeeded.
Reussite ImprimerRTF(const QTextDocument& document, int gauche, int haut, int droite, int bas,
                     int* pagesImprimees = nullptr);

// The pages of `texte` as ImprimerRTF draws them on `imprimante`, inside the
// same four margins: printing and the print preview both draw through it.
// Null, with the reason, when the margins do not fit on the page; otherwise
// check its etat() (a layout stopped by `avancement`, or a text too long).
std::unique_ptr<MiseEnPage> miseEnPagePour(const QTextDocument& texte, const QPrinter& imprimante, int gauche, int haut,
                                           int droite, int bas, QString& raison,
                                           const std::function<bool(double)>& avancement = {});
