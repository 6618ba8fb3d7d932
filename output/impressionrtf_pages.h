#pragma once

#include "platform/twips.h"

#include <QImage>
#include <QRectF>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class QTextDocument;

// Rich-text pages drawn on any paged device, in twips (1440 to the inch)
// from the paper's edges: the arithmetic and the page loop, without a printer.

// What is read from the printer, in twips.
struct PageImprimante {
    qint32 largeurPage = 0, hauteurPage = 0;             // the whole sheet
    qint32 largeurImprimable = 0, hauteurImprimable = 0; // the printable area
    qint32 decalageGauche = 0, decalageHaut = 0;         // sheet edge to printable area
};

// The drawing rectangle, in twips from the printable area's top-left corner.
struct RectangleTwips {
    qint32 gauche = 0, haut = 0, droite = 0, bas = 0;
};

// Margins from the paper's edges turned into the drawing rectangle
// (physical offsets subtracted); none when the arithmetic overflows.
std::optional<RectangleTwips> rectangleDessin(const PageImprimante& page, qint32 gauche, qint32 haut, qint32 droite,
                                              qint32 bas);

// The page loop: `formater(premier)` draws the page starting at character
// `premier` and returns the first character that did not fit;
// `nouvellePage()` starts the next page (false: the job failed). Stops when
// the text is all printed, or when a page made no progress. Returns the
// number of pages drawn, or none when a new page could not be started.
std::optional<int> imprimerPages(int longueurTexte, const std::function<int(int premier)>& formater,
                                 const std::function<bool()>& nouvellePage);

// Up to this many characters (a letter of some 10 MB) a text is printed in
// one go, each line keeping its glyphs from the layout to the drawing: the
// text is shaped once, not twice, for some 30 bytes a character. A longer
// text is printed under a progress window, which handles events during the
// layout; with glyphs kept, Qt's lazy layout then never ended in our
// measures, so its lines are shaped again when drawn.
inline constexpr int kCaracteresDUnTrait = 10000000;

// A copy of a document laid out for paper, cut into pages between lines.
// The layout counts in 1/64 pixel in 32 bits: at a printer's full
// resolution that holds under 3,000 pages, so the text is laid out at
// 600 dpi at most (the metrics do not change above 300 dpi), and at lower
// resolutions when it is longer still. The text is laid out as one long
// strip and cut here: a page ends before the first line that does not fit
// whole, so no line is printed on two pages however long the text.
class MiseEnPage {
public:
    // `dessin` is the drawing rectangle and `page` the printable area, in
    // printer pixels from the printable area's corner. `avancement(partie)`
    // is told how far the layout is (0 to 1) and returns false to stop it.
    MiseEnPage(const QTextDocument& source, int resolutionImprimante, const QRectF& dessin, const QRectF& page,
               const std::function<bool(double)>& avancement);
    // The same in twips, for any paged device (a printer, a PDF file) drawn
    // at `resolution` dots per inch.
    MiseEnPage(const QTextDocument& source, int resolution, const RectangleTwips& dessin, const PageImprimante& page,
               const std::function<bool(double)>& avancement = {});
    ~MiseEnPage();

    enum class Etat { Prete, Interrompue, TropLongue };
    Etat etat() const { return m_etat; }
    int nombrePages() const { return int(m_pages.size()); }
    int longueur() const { return m_longueur; }

    // Draws the page that starts at `premier`; returns the first character
    // of the next page, or the text length.
    int formater(int premier, QPainter& peintre) const;

    // Every page, `nouvellePage()` called between two (false: stop). The
    // number of pages drawn, or none when a new page could not be started.
    std::optional<int> dessinerTout(QPainter& peintre, const std::function<bool()>& nouvellePage) const;

private:
    double disposer(const QTextDocument& source, int resolution, const std::function<bool(double)>& avancement);
    void couper();
    static bool aDesNumerosDePage(const QTextDocument& document);
    void installerNumerosDePage();
    void dessinerPage(std::size_t page, QPainter& peintre) const;

    struct Page {
        int caractere; // first character of its first line
        double haut;   // top of its first line, in layout pixels
        double bas;    // where the next page starts
    };

    QImage m_appareil; // the layout's paint device, of its resolution
    std::unique_ptr<QTextDocument> m_document;
    int m_resolutionImprimante;
    QRectF m_dessinImprimante;
    QRectF m_pageImprimante;
    double m_echelle = 1; // printer pixels per layout pixel
    QRectF m_dessin;      // in layout pixels
    QRectF m_page;
    int m_longueur = 0;
    Etat m_etat = Etat::Prete;
    bool m_numeros = false;    // the text shows page numbers
    std::vector<Page> m_pages; // in character order
};
