#include "output/impressionrtf_pages.h"

#include "unites.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QTextCursor>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr double kTwipsParPouce = 1440.0;

bool soustraire(qint32 a, qint32 b, qint32& r)
{
    return !__builtin_sub_overflow(a, b, &r);
}

constexpr int kResolutionMax = 600;
constexpr int kResolutionMin = 75;
// The farthest position the layout can hold, in pixels (32 bits of 1/64).
constexpr double kPositionMax = 2147483647.0 / 64.0;
// Half the layout's unit of length (1/64 pixel).
constexpr double kDemiUnite = 1.0 / 128.0;
// Blocks laid out between two reports of the layout's progress.
constexpr int kBlocsParEtape = 2000;

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

double twipsEnPixels(qint32 twips, int resolution)
{
    return double(twips) * resolution / 1440.0;
}

QRectF rectanglePixels(const RectangleTwips& r, int resolution)
{
    return QRectF(QPointF(twipsEnPixels(r.gauche, resolution), twipsEnPixels(r.haut, resolution)),
                  QPointF(twipsEnPixels(r.droite, resolution), twipsEnPixels(r.bas, resolution)));
}

} // namespace

MiseEnPage::MiseEnPage(const QTextDocument& source, int resolution, const RectangleTwips& dessin,
                       const PageImprimante& page, const std::function<bool(double)>& avancement)
    : MiseEnPage(source, resolution, rectanglePixels(dessin, resolution),
                 QRectF(0, 0, twipsEnPixels(page.largeurImprimable, resolution),
                        twipsEnPixels(page.hauteurImprimable, resolution)),
                 avancement)
{
}

MiseEnPage::MiseEnPage(const QTextDocument& source, int resolutionImprimante, const QRectF& dessin,
                       const QRectF& page, const std::function<bool(double)>& avancement)
    : m_document(source.clone()), m_resolutionImprimante(resolutionImprimante), m_dessinImprimante(dessin),
      m_pageImprimante(page)
{
    m_longueur = m_document->characterCount() - 1;
    m_document->setUseDesignMetrics(true);
    m_document->setDocumentMargin(0);
    int resolution = std::min(resolutionImprimante, kResolutionMax);
    while (!disposer(resolution, avancement)) {
        if (m_etat == Etat::Interrompue)
            return;
        resolution /= 2;
        if (resolution < kResolutionMin) {
            m_etat = Etat::TropLongue;
            return;
        }
    }
    couper();
}

MiseEnPage::~MiseEnPage() = default;

// Lays the copy out at `resolution` dpi as one strip. False when the text
// goes beyond what the layout can hold, or when asked to stop (m_etat then
// says so).
bool MiseEnPage::disposer(int resolution, const std::function<bool(double)>& avancement)
{
    m_echelle = double(m_resolutionImprimante) / resolution;
    m_dessin = QRectF(m_dessinImprimante.topLeft() / m_echelle, m_dessinImprimante.size() / m_echelle);
    m_page = QRectF(m_pageImprimante.topLeft() / m_echelle, m_pageImprimante.size() / m_echelle);

    // A paint device of this resolution, for the fonts' metrics.
    m_appareil = QImage(1, 1, QImage::Format_RGB32);
    m_appareil.setDotsPerMeterX(int(std::lround(resolution / 0.0254)));
    m_appareil.setDotsPerMeterY(int(std::lround(resolution / 0.0254)));
    QAbstractTextDocumentLayout* disposition = m_document->documentLayout();
    disposition->setPaintDevice(&m_appareil);
    const double facteur = resolution / rtf::Unites().pixels(1440.0);
    agrandirParagraphes(*m_document, facteur / m_facteurParagraphes);
    m_facteurParagraphes = facteur;
    if (m_longueur <= kCaracteresDUnTrait) {
        for (QTextBlock bloc = m_document->begin(); bloc.isValid(); bloc = bloc.next())
            bloc.layout()->setCacheEnabled(true);
    }
    m_document->setTextWidth(m_dessin.width());

    int blocs = 0;
    for (QTextBlock bloc = m_document->begin(); bloc.isValid(); bloc = bloc.next()) {
        if (++blocs % kBlocsParEtape != 0 && bloc.next().isValid())
            continue;
        if (avancement && !avancement(double(bloc.position()) / std::max(1, m_longueur))) {
            m_etat = Etat::Interrompue;
            return false;
        }
        // Past the layout's reach positions wrap around to negative values.
        const QRectF cadre = disposition->blockBoundingRect(bloc);
        if (cadre.top() < 0 || cadre.bottom() >= kPositionMax)
            return false;
    }
    const double hauteur = disposition->documentSize().height();
    return hauteur >= 0 && hauteur < kPositionMax;
}

// A page holds the lines that fit whole below its first one; a paragraph
// that asks for a page break starts a new page; a line taller than a page
// (a picture) stays where it comes, cut at the page's foot.
void MiseEnPage::couper()
{
    const QAbstractTextDocumentLayout* disposition = m_document->documentLayout();
    const double hauteur = m_dessin.height();
    m_pages.clear();
    for (QTextBlock bloc = m_document->begin(); bloc.isValid(); bloc = bloc.next()) {
        const double haut = disposition->blockBoundingRect(bloc).top();
        const QTextLayout* lignes = bloc.layout();
        const bool saut = bloc.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
        for (int l = 0; l < lignes->lineCount(); ++l) {
            const QTextLine ligne = lignes->lineAt(l);
            const double dessus = haut + ligne.y();
            const bool nouvelle = m_pages.empty() || (l == 0 && saut)
                || (dessus > m_pages.back().haut && ligne.height() <= hauteur
                    && dessus + ligne.height() > m_pages.back().haut + hauteur)
                || dessus >= m_pages.back().haut + hauteur;
            if (!nouvelle)
                continue;
            if (!m_pages.empty())
                m_pages.back().bas = std::min(dessus, m_pages.back().haut + hauteur);
            m_pages.push_back({bloc.position() + ligne.textStart(), dessus, dessus + hauteur});
        }
    }
}

int MiseEnPage::formater(int premier, QPainter& peintre) const
{
    const auto it = std::lower_bound(m_pages.begin(), m_pages.end(), premier,
                                     [](const Page& p, int c) { return p.caractere < c; });
    if (it == m_pages.end() || it->caractere != premier)
        return premier;
    dessinerPage(std::size_t(it - m_pages.begin()), peintre);
    const auto suivante = it + 1;
    return suivante == m_pages.end() ? m_longueur : suivante->caractere;
}

std::optional<int> MiseEnPage::dessinerTout(QPainter& peintre, const std::function<bool()>& nouvellePage) const
{
    return imprimerPages(m_longueur, [&](int premier) { return formater(premier, peintre); }, nouvellePage);
}

void MiseEnPage::dessinerPage(std::size_t numero, QPainter& peintre) const
{
    const Page& page = m_pages[numero];
    // The strip of the document that makes this page, as wide as the
    // printable area.
    const QRectF bande(m_page.left() - m_dessin.left(), page.haut, m_page.width(), page.bas - page.haut);
    peintre.save();
    peintre.scale(m_echelle, m_echelle);
    peintre.translate(m_dessin.left(), m_dessin.top() - page.haut);
    peintre.setClipRect(bande);
    // The layout draws every line that touches its clip, edges included:
    // the lines that end where the page starts and begin where it ends
    // belong to the pages around it.
    QAbstractTextDocumentLayout::PaintContext contexte;
    contexte.clip = bande.adjusted(0, kDemiUnite, 0, -kDemiUnite);
    contexte.palette.setColor(QPalette::Text, Qt::black);
    m_document->documentLayout()->draw(&peintre, contexte);
    peintre.restore();
}

qint32 pixelsEnTwips(double pixels, int resolution)
{
    return qint32(std::nearbyint(pixels * kTwipsParPouce / resolution));
}

std::optional<RectangleTwips> rectangleDessin(const PageImprimante& page, qint32 gauche, qint32 haut,
                                              qint32 droite, qint32 bas)
{
    RectangleTwips r;
    qint32 bordDroit = 0;
    qint32 bordBas = 0;
    if (soustraire(gauche, page.decalageGauche, r.gauche) && soustraire(haut, page.decalageHaut, r.haut)
        && soustraire(page.largeurPage, droite, bordDroit) && soustraire(bordDroit, page.decalageGauche, r.droite)
        && soustraire(page.hauteurPage, bas, bordBas) && soustraire(bordBas, page.decalageHaut, r.bas))
        return r;
    return std::nullopt;
}

std::optional<int> imprimerPages(int longueurTexte, const std::function<int(int)>& formater,
                                 const std::function<bool()>& nouvellePage)
{
    int premier = 0;
    int pages = 1;
    for (;;) {
        const int suivant = formater(premier);
        if (suivant >= longueurTexte || suivant <= premier)
            return pages;
        premier = suivant;
        if (!nouvellePage())
            return std::nullopt;
        ++pages;
    }
}
