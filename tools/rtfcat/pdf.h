#pragma once

#include <QString>

// rtfcat pdf FILE OUT.pdf: the RTF text printed as a letter (margins 1200,
// 1500, 1200, 1500 twips) into a PDF file, through the program's own
// rich-text printing. False, with the reason in `erreur`, on failure.
bool imprimerRtfEnPdf(const QString& rtf, const QString& sortie, QString& erreur);
