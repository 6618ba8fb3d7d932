#include "output/impressionrtf.h"

#include "platform/imprimante.h"
#include "platform/richtextbox/richtextbox.h"
#include "unites.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr double kTwipsParPouce = 1440.0;
// Text layout rounds positions to 1/64 pixel: a line laid out at the top of
// a page may stand that much above the page's edge.
constexpr double kJeu = 0.5;

QString messageMargesHorsPage()
{
    return QStringLiteral("Les marges demandées dépassent les dimensions de la page.");
}

QString messageSansPlace()
{
    return QStringLiteral("Les marges demandées ne laissent aucune place au texte sur la page.");
}

bool soustraire(qint32 a, qint32 b, qint32& r)
{
    return !__builtin_sub_overflow(a, b, &r);
}

PageImprimante lirePage(const QPrinter& imprimante)
{
    const int resolution = imprimante.resolution();
    const QRectF feuille = imprimante.paperRect(QPrinter::DevicePixel);
    const QRectF zone = imprimante.pageRect(QPrinter::DevicePixel);
    PageImprimante page;
    page.largeurPage = pixelsEnTwips(feuille.width(), resolution);
    page.hauteurPage = pixelsEnTwips(feuille.height(), resolution);
    page.largeurImprimable = pixelsEnTwips(zone.width(), resolution);
    page.hauteurImprimable = pixelsEnTwips(zone.height(), resolution);
    page.decalageGauche = pixelsEnTwips(zone.left() - feuille.left(), resolution);
    page.decalageHaut = pixelsEnTwips(zone.top() - feuille.top(), resolution);
    return page;
}

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

// The control's document laid out for the printer, page by page: the page
// rectangle is the printable area, the text stands in the drawing rectangle.
class MiseEnPage {
public:
    MiseEnPage(const QTextDocument& source, QPrinter& imprimante, const RectangleTwips& dessin,
               const PageImprimante& page)
        : m_document(source.clone())
    {
        const int resolution = imprimante.resolution();
        agrandirParagraphes(*m_document, imprimante.logicalDpiY() / rtf::Unites().pixels(kTwipsParPouce));
        m_dessin = QRectF(QPointF(twipsEnPixels(dessin.gauche, resolution), twipsEnPixels(dessin.haut, resolution)),
                          QPointF(twipsEnPixels(dessin.droite, resolution), twipsEnPixels(dessin.bas, resolution)));
        m_page = QRectF(0, 0, twipsEnPixels(page.largeurImprimable, resolution),
                        twipsEnPixels(page.hauteurImprimable, resolution));
        m_document->documentLayout()->setPaintDevice(&imprimante);
        m_document->setUseDesignMetrics(true);
        m_document->setDocumentMargin(0);
        m_document->setPageSize(m_dessin.size());
        m_longueur = m_document->characterCount() - 1;
        reperePages();
    }

    int longueur() const { return m_longueur; }

    // Draws the page that starts at `premier`; returns the first character
    // of the next page that has any text, or the text length.
    int formater(int premier, QPainter& peintre) const
    {
        std::size_t i = 0;
        while (i + 1 < m_debuts.size() && m_debuts[i].caractere != premier)
            ++i;
        if (m_debuts.empty() || m_debuts[i].caractere != premier)
            return premier;
        dessinerPage(m_debuts[i].page, peintre);
        return i + 1 < m_debuts.size() ? m_debuts[i + 1].caractere : m_longueur;
    }

private:
    struct Debut {
        int page;
        int caractere;
    };

    // For every page on which a line starts, the first character of its
    // first line, in page order.
    void reperePages()
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

    void dessinerPage(int page, QPainter& peintre) const
    {
        const double hauteur = m_dessin.height();
        // The part of the document on this page, in document coordinates,
        // as wide as the printable area.
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

    std::unique_ptr<QTextDocument> m_document;
    QRectF m_dessin;
    QRectF m_page;
    int m_longueur = 0;
    std::vector<Debut> m_debuts;
};

} // namespace

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

bool DefinirCibleImprimante(RichTextBox& txt, int gauche, int droite, QString* raison)
{
    QString pourquoi;
    std::unique_ptr<QPrinter> imprimante = imprimantes().nouvelleImprimante(pourquoi);
    qint32 largeur = 0;
    if (imprimante) {
        const PageImprimante page = lirePage(*imprimante);
        // The physical offset cancels out: the line is as wide as the page
        // less both margins.
        const auto rect = rectangleDessin(page, gauche, 0, droite, 0);
        if (!rect || !soustraire(rect->droite, rect->gauche, largeur))
            pourquoi = messageMargesHorsPage();
        else if (largeur <= 0)
            pourquoi = messageSansPlace();
        imprimantes().rendre(std::move(imprimante));
    }
    if (!pourquoi.isEmpty()) {
        if (raison)
            *raison = pourquoi;
        return false;
    }
    QTextDocument* document = txt.document();
    document->setUseDesignMetrics(true);
    const double pixels = double(largeur) * txt.logicalDpiX() / kTwipsParPouce;
    txt.setLineWrapMode(QTextEdit::FixedPixelWidth);
    txt.setLineWrapColumnOrWidth(int(std::lround(pixels + 2 * document->documentMargin())));
    return true;
}

bool ImprimerRTF(RichTextBox& txt, int gauche, int haut, int droite, int bas, QString* raison)
{
    const auto echec = [raison](const QString& pourquoi) {
        if (raison)
            *raison = pourquoi;
        return false;
    };
    TravailImpression travail(QStringLiteral("Lettre"));
    if (!travail.pret())
        return echec(travail.raison());
    const PageImprimante page = lirePage(travail.imprimante());
    const auto rect = rectangleDessin(page, gauche, haut, droite, bas);
    if (!rect)
        return echec(messageMargesHorsPage());
    if (rect->droite <= rect->gauche || rect->bas <= rect->haut)
        return echec(messageSansPlace());
    if (!travail.commencer())
        return echec(travail.raison());
    const MiseEnPage miseEnPage(*txt.document(), travail.imprimante(), *rect, page);
    const auto pages = imprimerPages(
        miseEnPage.longueur(), [&](int premier) { return miseEnPage.formater(premier, travail.peintre()); },
        [&] { return travail.nouvellePage(); });
    if (!pages) {
        const QString pourquoi = travail.raison();
        travail.abandonner();
        return echec(pourquoi);
    }
    if (!travail.terminer())
        return echec(travail.raison());
    return true;
}
