#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// What pdftotext (poppler-utils) finds on the pages of a PDF file: each
// word with its box, in centimetres from the sheet's top-left corner.
struct MotPdf {
    int page;
    QString texte;
    QRectF boite; // cm
};

struct ContenuPdf {
    QList<QSizeF> pages; // cm
    QList<MotPdf> mots;
    QString erreur; // non-empty when the file could not be read

    // The words of one page, in reading order.
    QList<MotPdf> motsDePage(int page) const;
    // The first word of that text on the page, or nullptr.
    const MotPdf* trouver(const QString& texte, int page = 0) const;
    // The page's text, words joined by spaces.
    QString texte(int page) const;
};

ContenuPdf lirePdf(const QString& chemin);

// "" when both files have the same pages and the same words, each within
// `toleranceCm` of its place in the other; else the first difference.
QString differenceMots(const ContenuPdf& a, const ContenuPdf& b, double toleranceCm);

inline constexpr double kCmParPoint = 2.54 / 72.0;
inline constexpr double kCmParTwip = 2.54 / 1440.0;
