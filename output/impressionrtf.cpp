#include "output/impressionrtf.h"

#include "output/impressionrtf_pages.h"
#include "platform/dialogues.h"
#include "platform/imprimante.h"
#include "richtext/richtextbox.h"
#include "unites.h"

#include <QTextDocument>

#include <cmath>
#include <memory>

namespace {

bool soustraire(qint32 a, qint32 b, qint32& r)
{
    return !__builtin_sub_overflow(a, b, &r);
}

QString messageMargesHorsPage()
{
    return QStringLiteral("Les marges demandées dépassent les dimensions de la page.");
}

QString messageSansPlace()
{
    return QStringLiteral("Les marges demandées ne laissent aucune place au texte sur la page.");
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

Reussite DefinirCibleImprimante(RichTextBox& txt, int gauche, int droite)
{
    ImprimanteObtenue obtenue = imprimantes().nouvelleImprimante();
    QString pourquoi = obtenue.raison();
    qint32 largeur = 0;
    if (obtenue) {
        std::unique_ptr<QPrinter> imprimante = std::move(obtenue).valeur();
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
    if (!pourquoi.isEmpty())
        return Reussite::echec(pourquoi);
    QTextDocument* document = txt.document();
    document->setUseDesignMetrics(true);
    const double pixels = twipsEnPixels(largeur, txt.logicalDpiX());
    txt.setLineWrapMode(QTextEdit::FixedPixelWidth);
    txt.setLineWrapColumnOrWidth(int(std::lround(pixels + 2 * document->documentMargin())));
    return {};
}

std::unique_ptr<MiseEnPage> miseEnPagePour(const QTextDocument& texte, const QPrinter& imprimante, int gauche, int haut,
                                           int droite, int bas, QString& raison,
                                           const std::function<bool(double)>& avancement)
{
    const PageImprimante page = lirePage(imprimante);
    const auto rect = rectangleDessin(page, gauche, haut, droite, bas);
    if (!rect) {
        raison = messageMargesHorsPage();
        return nullptr;
    }
    if (rect->droite <= rect->gauche || rect->bas <= rect->haut) {
        raison = messageSansPlace();
        return nullptr;
    }
    const int resolution = imprimante.resolution();
    const QRectF dessin(QPointF(twipsEnPixels(rect->gauche, resolution), twipsEnPixels(rect->haut, resolution)),
                        QPointF(twipsEnPixels(rect->droite, resolution), twipsEnPixels(rect->bas, resolution)));
    const QRectF zone(0, 0, twipsEnPixels(page.largeurImprimable, resolution),
                      twipsEnPixels(page.hauteurImprimable, resolution));
    return std::make_unique<MiseEnPage>(texte, resolution, dessin, zone, avancement);
}

Reussite ImprimerRTF(const QTextDocument& document, int gauche, int haut, int droite, int bas, int* pagesImprimees)
{
    const auto echec = [](const QString& pourquoi) { return Reussite::echec(pourquoi); };
    TravailImpression travail(QStringLiteral("Lettre"));
    if (!travail.pret())
        return echec(travail.raison());
    // A long text is laid out then printed under a progress window (first
    // half: the layout, second half: the pages) that can cancel it.
    const bool suivi = document.characterCount() - 1 > kCaracteresDUnTrait;
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
        ~FinSuivi()
        {
            if (actif)
                dialogues().finProgression();
        }
    } finSuivi{suivi};
    if (suivi)
        dialogues().debutProgression(QStringLiteral("Impression"), 100);
    const QString annulee = QStringLiteral("Impression annulée.");

    QString horsPage;
    const std::unique_ptr<MiseEnPage> disposee = miseEnPagePour(
        document, travail.imprimante(), gauche, haut, droite, bas, horsPage,
        [&](double partie) { return avancer(partie / 2, QStringLiteral("Mise en page du texte…")); });
    if (!disposee)
        return echec(horsPage);
    const MiseEnPage& miseEnPage = *disposee;
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
    return {};
}
