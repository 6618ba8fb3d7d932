#include "output/impressionrtf.h"

#include "output/impressionrtf_pages.h"
#include "platform/dialogues.h"
#include "platform/imprimante.h"
#include "platform/richtextbox/richtextbox.h"
#include "unites.h"

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

double twipsEnPixels(qint32 twips, int resolution)
{
    return double(twips) * resolution / kTwipsParPouce;
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

bool ImprimerRTF(RichTextBox& txt, int gauche, int haut, int droite, int bas, QString* raison, int* pagesImprimees)
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
    const int resolution = travail.imprimante().resolution();
    const QRectF dessin(QPointF(twipsEnPixels(rect->gauche, resolution), twipsEnPixels(rect->haut, resolution)),
                        QPointF(twipsEnPixels(rect->droite, resolution), twipsEnPixels(rect->bas, resolution)));
    const QRectF zone(0, 0, twipsEnPixels(page.largeurImprimable, resolution),
                      twipsEnPixels(page.hauteurImprimable, resolution));

    // A long text is laid out then printed under a progress window (first
    // half: the layout, second half: the pages) that can cancel it.
    const bool suivi = txt.longueurTexte() > kCaracteresDUnTrait;
    bool annule = false;
    int pourcent = -1;
    const auto avancer = [&](double partie, const QString& texte) {
        // The window is told once a percent: it handles events each time.
        if (suivi && !annule && int(partie * 100) != pourcent) {
            pourcent = int(partie * 100);
            annule = !dialogues().progression(pourcent, texte);
        }
        return !annule;
    };
    struct FinSuivi {
        bool actif;
        ~FinSuivi() { if (actif) dialogues().finProgression(); }
    } finSuivi{suivi};
    if (suivi)
        dialogues().debutProgression(QStringLiteral("Impression"), 100);
    const QString annulee = QStringLiteral("Impression annulée.");

    const MiseEnPage miseEnPage(*txt.document(), resolution, dessin, zone, [&](double partie) {
        return avancer(partie / 2, QStringLiteral("Mise en page du texte…"));
    });
    if (miseEnPage.etat() == MiseEnPage::Etat::Interrompue)
        return echec(annulee);
    if (miseEnPage.etat() == MiseEnPage::Etat::TropLongue)
        return echec(QStringLiteral("Le texte est trop long pour être imprimé."));
    if (!travail.commencer())
        return echec(travail.raison());
    int pagesFaites = 1;
    const auto pages = imprimerPages(
        miseEnPage.longueur(), [&](int premier) { return miseEnPage.formater(premier, travail.peintre()); },
        [&] {
            const int total = miseEnPage.nombrePages();
            if (!avancer(0.5 + 0.5 * pagesFaites / total,
                         QStringLiteral("Impression de la page %1 sur %2").arg(pagesFaites + 1).arg(total)))
                return false;
            ++pagesFaites;
            return travail.nouvellePage();
        });
    if (!pages) {
        const QString pourquoi = annule ? annulee : travail.raison();
        travail.abandonner();
        return echec(pourquoi);
    }
    if (!travail.terminer())
        return echec(travail.raison());
    if (pagesImprimees)
        *pagesImprimees = *pages;
    return true;
}
