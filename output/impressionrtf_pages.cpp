#include "output/impressionrtf_pages.h"

#include "numeropage.h"
#include "rtf.h"
#include "unites.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

bool soustraire(qint32 a, qint32 b, qint32& r)
{
    return !__builtin_sub_overflow(a, b, &r);
}

constexpr int kResolutionMax = 600;
constexpr int kResolutionMin = 75;
// Past this many characters (some 170 pages) the text is laid out at 300 dpi
// from the start: the metrics do not change above it, and a long text then
// fits the layout's reach in one try.
constexpr int kCaracteresTexteLong = 1000000;
constexpr int kResolutionTexteLong = 300;
// The farthest position a layout may reach, in pixels. The layout counts in
// 32 bits of 1/64 pixel (33 million pixels), but Qt 6.4's layout can stall
// for minutes once lines alike pass about 8 million pixels: stay under that.
constexpr double kPositionMax = 6000000.0;
// Half the layout's unit of length (1/64 pixel).
constexpr double kDemiUnite = 1.0 / 128.0;
// Blocks, or characters, laid out between two looks at the layout's
// progress and reach; small enough that no step goes from under the reach
// to where the layout stalls.
constexpr int kBlocsParEtape = 2000;
constexpr int kCaracteresParEtape = 50000;

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

MiseEnPage::MiseEnPage(const QTextDocument& source, int resolutionImprimante, const QRectF& dessin, const QRectF& page,
                       const std::function<bool(double)>& avancement)
    : m_resolutionImprimante(resolutionImprimante), m_dessinImprimante(dessin), m_pageImprimante(page)
{
    m_longueur = source.characterCount() - 1;
    m_numeros = aDesNumerosDePage(source);
    int resolution = std::min(resolutionImprimante,
                              m_longueur > kCaracteresTexteLong ? kResolutionTexteLong : kResolutionMax);
    // Each try lays out a fresh copy: laying out again a copy already laid
    // out costs several times more than a first layout.
    for (;;) {
        const double tenue = disposer(source, resolution, avancement);
        if (m_etat == Etat::Interrompue)
            return;
        if (tenue >= 1)
            break;
        // The part of the text that fitted says how far to go down.
        resolution = std::min(resolution / 2, int(resolution * tenue * 0.9));
        if (resolution < kResolutionMin) {
            m_etat = Etat::TropLongue;
            return;
        }
    }
    couper();
    if (m_numeros) {
        // Laid out as page 1 until the pages were known: their lines again,
        // with their own numbers.
        m_document->markContentsDirty(0, m_longueur + 1);
        m_document->documentLayout()->documentSize();
        couper();
    }
}

bool MiseEnPage::aDesNumerosDePage(const QTextDocument& document)
{
    const QList<QTextFormat> formats = document.allFormats();
    return std::any_of(formats.begin(), formats.end(),
                       [](const QTextFormat& f) { return f.objectType() == rtf::kObjetNumeroPage; });
}

void MiseEnPage::installerNumerosDePage()
{
    NumeroPage::installer(*m_document, [this](int position) {
        const auto apres = std::upper_bound(m_pages.begin(), m_pages.end(), position,
                                            [](int c, const Page& p) { return c < p.caractere; });
        return int(std::max<std::ptrdiff_t>(1, apres - m_pages.begin()));
    });
}

MiseEnPage::~MiseEnPage() = default;

// Lays a copy out at `resolution` dpi as one strip. Returns the part of the
// text (0 to 1) that the layout holds within its reach: 1 when all of it, less
// when it goes beyond. When asked to stop, m_etat says so.
double MiseEnPage::disposer(const QTextDocument& source, int resolution, const std::function<bool(double)>& avancement)
{
    m_document.reset(source.clone());
    m_document->setUseDesignMetrics(true);
    m_document->setDocumentMargin(0);
    if (m_numeros)
        installerNumerosDePage();
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
    agrandirParagraphes(*m_document, facteur);
    if (m_longueur <= kCaracteresDUnTrait) {
        for (QTextBlock bloc = m_document->begin(); bloc.isValid(); bloc = bloc.next())
            bloc.layout()->setCacheEnabled(true);
    }
    m_document->setTextWidth(m_dessin.width());

    int blocs = 0;
    int vu = 0; // the position looked at last
    for (QTextBlock bloc = m_document->begin(); bloc.isValid(); bloc = bloc.next()) {
        if (++blocs % kBlocsParEtape != 0 && bloc.position() - vu < kCaracteresParEtape && bloc.next().isValid())
            continue;
        vu = bloc.position();
        if (avancement && !avancement(double(bloc.position()) / std::max(1, m_longueur))) {
            m_etat = Etat::Interrompue;
            return 0;
        }
        const QRectF cadre = disposition->blockBoundingRect(bloc);
        if (cadre.bottom() >= kPositionMax)
            return double(bloc.position()) / std::max(1, m_longueur);
    }
    return 1;
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
    return imprimerPages(
        m_longueur, [&](int premier) { return formater(premier, peintre); }, nouvellePage);
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

std::optional<RectangleTwips> rectangleDessin(const PageImprimante& page, qint32 gauche, qint32 haut, qint32 droite,
                                              qint32 bas)
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
