#include "output/impressionrtf.h"

#include "output/miseenpage.h"
#include "platform/imprimante.h"
#include "platform/richtextbox/richtextbox.h"

#include <QTextDocument>

#include <cmath>
#include <memory>

namespace {

constexpr double kTwipsParPouce = 1440.0;

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
    const MiseEnPage miseEnPage(*txt.document(), travail.imprimante(), travail.imprimante().resolution(), *rect, page);
    const auto pages = miseEnPage.dessinerTout(travail.peintre(), [&] { return travail.nouvellePage(); });
    if (!pages) {
        const QString pourquoi = travail.raison();
        travail.abandonner();
        return echec(pourquoi);
    }
    if (!travail.terminer())
        return echec(travail.raison());
    return true;
}
