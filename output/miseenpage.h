#pragma once

#include "output/impressionrtf.h"

#include <QRectF>

#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;
class QTextDocument;

// A rich-text document laid out for a paged device (a printer or a PDF
// file), page by page: the page rectangle is the printable area, the text
// stands in the drawing rectangle. Printing, the PDF files and the preview
// all draw their pages through this one class.
class MiseEnPage {
public:
    MiseEnPage(const QTextDocument& source, QPaintDevice& appareil, int resolution, const RectangleTwips& dessin,
               const PageImprimante& page);
    ~MiseEnPage();

    int longueur() const { return m_longueur; }

    // Draws the page that starts at `premier`; returns the first character
    // of the next page that has any text, or the text length.
    int formater(int premier, QPainter& peintre) const;

    // Every page, `nouvellePage()` called between two (false: stop). The
    // number of pages drawn, or none when a new page could not be started.
    std::optional<int> dessinerTout(QPainter& peintre, const std::function<bool()>& nouvellePage) const;

private:
    struct Debut {
        int page;
        int caractere;
    };

    void reperePages();
    void dessinerPage(int page, QPainter& peintre) const;

    std::unique_ptr<QTextDocument> m_document;
    QRectF m_dessin;
    QRectF m_page;
    int m_longueur = 0;
    std::vector<Debut> m_debuts;
};
