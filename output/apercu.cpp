#include "output/apercu.h"

#include "output/fenetreenveloppe.h"
#include "output/impressionrtf.h"
#include "output/impressionrtf_pages.h"
#include "output/lettrepdf.h"
#include "output/lotpdf.h"
#include "output/pagelettre.h"
#include "platform/imprimante.h"

#include <QPainter>
#include <QTextDocument>

namespace {

constexpr double kMmParPouce = 25.4;
// Without a printer the preview draws as the PDF files do.
constexpr int kResolutionSansImprimante = 1200;

std::unique_ptr<QPrinter> imprimanteApercu()
{
    auto imprimante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    imprimante->setOutputFormat(QPrinter::PdfFormat);
    return imprimante;
}

// The outline of the part of the sheet that shows through the envelope's
// window, on a page whose origin is the printable area's corner.
void dessinerFenetre(QPainter& peintre, const QPrinter& imprimante)
{
    const double pixelsParMm = imprimante.resolution() / kMmParPouce;
    const QPointF origine = imprimante.pageRect(QPrinter::DevicePixel).topLeft()
        - imprimante.paperRect(QPrinter::DevicePixel).topLeft();
    const QRectF mm = fenetreSurLaLettre(lireFenetreEnveloppe());
    const QRectF pixels(mm.topLeft() * pixelsParMm - origine, mm.size() * pixelsParMm);
    peintre.save();
    QPen trait(QColor(0x1f, 0x6f, 0xc0), 0.3 * pixelsParMm, Qt::DashLine);
    peintre.setPen(trait);
    peintre.setBrush(Qt::NoBrush);
    peintre.drawRect(pixels);
    peintre.restore();
}

} // namespace

SourceApercu::SourceApercu() : m_imprimante(imprimanteApercu())
{
}

SourceApercu::~SourceApercu() = default;

// ---- Letters. ----

std::unique_ptr<ApercuLettres> ApercuLettres::creer(std::vector<LettreApercu> lettres, QString& raison)
{
    std::unique_ptr<ApercuLettres> apercu(new ApercuLettres);
    QPrinter& imprimante = apercu->imprimante();
    ImprimanteObtenue obtenue = imprimantes().nouvelleImprimante();
    if (obtenue) {
        std::unique_ptr<QPrinter> reelle = std::move(obtenue).valeur();
        imprimante.setResolution(reelle->resolution());
        imprimante.setFullPage(reelle->fullPage());
        imprimante.setPageLayout(reelle->pageLayout());
        imprimantes().rendre(std::move(reelle));
    } else {
        imprimante.setResolution(kResolutionSansImprimante);
        imprimante.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        apercu->m_remarque = obtenue.raison() + QStringLiteral(" Aperçu sur une feuille A4.");
    }
    for (const LettreApercu& lettre : lettres) {
        auto pages = miseEnPagePour(*lettre.document, imprimante, kMargeGaucheLettre, kMargeHautLettre,
                                    kMargeDroiteLettre, kMargeBasLettre, raison);
        if (!pages)
            return nullptr;
        if (pages->etat() != MiseEnPage::Etat::Prete) {
            raison = QStringLiteral("Le texte est trop long pour être imprimé.");
            return nullptr;
        }
        apercu->m_total += std::max(1, pages->nombrePages());
        apercu->m_pages.push_back(std::move(pages));
    }
    apercu->m_lettres = std::move(lettres);
    return apercu;
}

ApercuLettres::~ApercuLettres() = default;

void ApercuLettres::dessiner(QPainter& peintre, bool fenetre) const
{
    QPrinter& imprimante = *m_imprimante;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (i > 0 && !imprimante.newPage())
            return;
        if (fenetre)
            dessinerFenetre(peintre, imprimante);
        if (!m_pages[i]->dessinerTout(peintre, [&imprimante] { return imprimante.newPage(); }))
            return;
    }
}

QString ApercuLettres::legende(int page) const
{
    const QString numero = QStringLiteral("Page %1 sur %2").arg(page + 1).arg(m_total);
    int debut = 0;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        const int pages = std::max(1, m_pages[i]->nombrePages());
        if (page < debut + pages) {
            const QString& qui = m_lettres[i].destinataire;
            if (qui.isEmpty())
                return numero;
            return QStringLiteral("%1 — lettre à %2 (%3 sur %4)").arg(numero, qui).arg(i + 1).arg(m_pages.size());
        }
        debut += pages;
    }
    return numero;
}

bool lettresEnNombre(const QString& rtf, const QList<RecordId>& ids, std::vector<LettreApercu>& lettres,
                     QString& raison)
{
    for (const FicheDestinataire& fiche : fichesDe(ids)) {
        std::unique_ptr<QTextDocument> document = documentLettre(lettrePour(rtf, fiche), raison);
        if (!document)
            return false;
        const QString qui = QStringList{fiche.titre, fiche.nom, fiche.prenom}.join(QLatin1Char(' ')).simplified();
        lettres.push_back({std::move(document), qui.isEmpty() ? QStringLiteral("(sans nom)") : qui});
    }
    return true;
}

// ---- Envelopes. ----

ApercuEnveloppes::ApercuEnveloppes(int format, std::vector<DispositionEnveloppe> dispositions, QStringList noms)
    : m_format(format), m_papier(*papierEnveloppe(format)), m_dispositions(std::move(dispositions)),
      m_noms(std::move(noms))
{
    m_imprimante->setResolution(kResolutionSansImprimante);
    preparerPapier(*m_imprimante, m_papier, ReglageEnveloppe{});
}

void ApercuEnveloppes::dessiner(QPainter& peintre, bool) const
{
    QPrinter& imprimante = *m_imprimante;
    const ReglageEnveloppe reglage;
    const double pixelsParCm = imprimante.resolution() / 2.54;
    const QTransform echelle = QTransform::fromScale(pixelsParCm, pixelsParCm);
    const std::vector<QRectF> cases = casesCodePostal(m_format);
    for (std::size_t i = 0; i < m_dispositions.size(); ++i) {
        if (i > 0 && !imprimante.newPage())
            return;
        // The boxes are on the envelope: they go where its texts go.
        peintre.save();
        peintre.setTransform(versPapier(m_papier, reglage) * echelle);
        peintre.setPen(QPen(QColor(0xb8, 0xb8, 0xb8), 0.03));
        for (const QRectF& c : cases)
            peintre.drawRect(c);
        peintre.restore();
        dessinerEnveloppe(peintre, imprimante, m_dispositions[i], m_papier, reglage);
    }
}

QString ApercuEnveloppes::legende(int page) const
{
    const QString numero = QStringLiteral("Enveloppe %1 sur %2").arg(page + 1).arg(m_dispositions.size());
    const QString qui = page >= 0 && page < m_noms.size() ? m_noms.at(page).simplified() : QString();
    return qui.isEmpty() ? numero : numero + QStringLiteral(" — ") + qui;
}
