#include "output/miseenpage.h"

#include "unites.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace {

constexpr double kTwipsParPouce = 1440.0;
// Text layout rounds positions to 1/64 pixel: a line laid out at the top of
// a page may stand that much above the page's edge.
constexpr double kJeu = 0.5;

double twipsEnPixels(qint32 twips, int resolution)
{
    return double(twips) * resolution / kTwipsParPouce;
}

// Qt's text layout scales fonts, tab stops and pictures to the printer's
// resolution, but reads paragraph margins, indents and fixed line heights
// in the printer's own pixels: bring those to its resolution.
std::optional<QTextBlockFormat> formatAgrandi(QTextBlockFormat f, double facteur)
{
    const bool hauteurFixee = f.lineHeightType() == QTextBlockFormat::FixedHeight
        || f.lineHeightType() == QTextBlockFormat::MinimumHeight;
    if (f.leftMargin() == 0 && f.rightMargin() == 0 && f.textIndent() == 0 && f.topMargin() == 0
        && f.bottomMargin() == 0 && !hauteurFixee)
        return std::nullopt;
    f.setLeftMargin(f.leftMargin() * facteur);
    f.setRightMargin(f.rightMargin() * facteur);
    f.setTextIndent(f.textIndent() * facteur);
    f.setTopMargin(f.topMargin() * facteur);
    f.setBottomMargin(f.bottomMargin() * facteur);
    if (hauteurFixee)
        f.setLineHeight(f.lineHeight() * facteur, f.lineHeightType());
    return f;
}

void agrandirParagraphes(QTextDocument& document, double facteur)
{
    // By index of the document's formats; none for a format left as it is.
    QHash<int, std::optional<QTextBlockFormat>> agrandis;
    QTextCursor curseur(&document);
    // Blocks of one format in a row get their new format in one call.
    QTextBlock premier = document.begin();
    const auto appliquer = [&](const QTextBlock& dernier) {
        const auto& f = agrandis.value(premier.blockFormatIndex());
        if (!f)
            return;
        curseur.setPosition(premier.position());
        curseur.setPosition(dernier.position(), QTextCursor::KeepAnchor);
        curseur.setBlockFormat(*f);
    };
    for (QTextBlock bloc = document.begin(); bloc.isValid(); bloc = bloc.next()) {
        const int index = bloc.blockFormatIndex();
        if (!agrandis.contains(index))
            agrandis.insert(index, formatAgrandi(bloc.blockFormat(), facteur));
        if (index != premier.blockFormatIndex()) {
            appliquer(bloc.previous());
            premier = bloc;
        }
    }
    if (premier.isValid())
        appliquer(document.lastBlock());
}

} // namespace

MiseEnPage::MiseEnPage(const QTextDocument& source, QPaintDevice& appareil, int resolution, const RectangleTwips& dessin,
                       const PageImprimante& page)
    : m_document(source.clone())
{
    agrandirParagraphes(*m_document, appareil.logicalDpiY() / rtf::Unites().pixels(kTwipsParPouce));
    m_dessin = QRectF(QPointF(twipsEnPixels(dessin.gauche, resolution), twipsEnPixels(dessin.haut, resolution)),
                      QPointF(twipsEnPixels(dessin.droite, resolution), twipsEnPixels(dessin.bas, resolution)));
    m_page = QRectF(0, 0, twipsEnPixels(page.largeurImprimable, resolution),
                    twipsEnPixels(page.hauteurImprimable, resolution));
    m_document->documentLayout()->setPaintDevice(&appareil);
    m_document->setUseDesignMetrics(true);
    m_document->setDocumentMargin(0);
    m_document->setPageSize(m_dessin.size());
    m_longueur = m_document->characterCount() - 1;
    reperePages();
}

MiseEnPage::~MiseEnPage() = default;

int MiseEnPage::formater(int premier, QPainter& peintre) const
{
    std::size_t i = 0;
    while (i + 1 < m_debuts.size() && m_debuts[i].caractere != premier)
        ++i;
    if (m_debuts.empty() || m_debuts[i].caractere != premier)
        return premier;
    dessinerPage(m_debuts[i].page, peintre);
    return i + 1 < m_debuts.size() ? m_debuts[i + 1].caractere : m_longueur;
}

std::optional<int> MiseEnPage::dessinerTout(QPainter& peintre, const std::function<bool()>& nouvellePage) const
{
    return imprimerPages(m_longueur, [&](int premier) { return formater(premier, peintre); }, nouvellePage);
}

// For every page on which a line starts, the first character of its first
// line, in page order.
void MiseEnPage::reperePages()
{
    const QAbstractTextDocumentLayout* disposition = m_document->documentLayout();
    const double hauteur = m_dessin.height();
    std::vector<int> premiers(std::size_t(std::max(1, m_document->pageCount())), -1);
    for (QTextBlock bloc = m_document->begin(); bloc.isValid(); bloc = bloc.next()) {
        const QTextLayout* lignes = bloc.layout();
        const double haut = disposition->blockBoundingRect(bloc).top();
        for (int l = 0; l < lignes->lineCount(); ++l) {
            const QTextLine ligne = lignes->lineAt(l);
            const auto page = std::size_t(std::max(0.0, std::floor((haut + ligne.y() + kJeu) / hauteur)));
            if (page >= premiers.size())
                premiers.resize(page + 1, -1);
            const int caractere = bloc.position() + ligne.textStart();
            if (premiers[page] < 0 || caractere < premiers[page])
                premiers[page] = caractere;
        }
    }
    for (std::size_t p = 0; p < premiers.size(); ++p) {
        if (premiers[p] >= 0)
            m_debuts.push_back({int(p), premiers[p]});
    }
}

void MiseEnPage::dessinerPage(int page, QPainter& peintre) const
{
    const double hauteur = m_dessin.height();
    // The part of the document on this page, in document coordinates, as
    // wide as the printable area.
    const QRectF bande(m_page.left() - m_dessin.left(), page * hauteur - kJeu, m_page.width(), hauteur);
    peintre.save();
    peintre.translate(m_dessin.left(), m_dessin.top() - page * hauteur);
    peintre.setClipRect(bande);
    QAbstractTextDocumentLayout::PaintContext contexte;
    contexte.clip = bande;
    contexte.palette.setColor(QPalette::Text, Qt::black);
    m_document->documentLayout()->draw(&peintre, contexte);
    peintre.restore();
}
