#include "output/pageessaienveloppe.h"

#include "output/enveloppe.h"
#include "output/reglageenveloppe.h"
#include "platform/imprimante.h"

#include <QFont>
#include <QLocale>

namespace {

constexpr double kCentimetresParPouce = 2.54;
constexpr double kCadreCm = 0.5;
constexpr double kBrasCroixCm = 0.4;

void dessinerRegles(QPainter& p, const QSizeF& cadre)
{
    for (int mm = 0; mm <= int(cadre.width() * 10); ++mm) {
        const double x = mm / 10.0;
        p.drawLine(QPointF(x, 0), QPointF(x, mm % 10 == 0 ? 0.4 : mm % 5 == 0 ? 0.25 : 0.15));
    }
    for (int mm = 0; mm <= int(cadre.height() * 10); ++mm) {
        const double y = mm / 10.0;
        p.drawLine(QPointF(0, y), QPointF(mm % 10 == 0 ? 0.4 : mm % 5 == 0 ? 0.25 : 0.15, y));
    }
}

} // namespace

QString imprimerPageEssaiEnveloppe()
{
    const int format = formatEnveloppeEnregistre().value_or(0);
    const PapierEnveloppe papier = *papierEnveloppe(format);
    const TexteEnveloppe premiere = disposerEnveloppe(format, QStringLiteral("X"), {}, {}, {}, {})->textes.front();

    TravailImpression travail(QStringLiteral("Page d'essai des enveloppes"));
    if (!travail.pret())
        return travail.raison();
    QPrinter& imprimante = travail.imprimante();
    const ReglageEnveloppe reglage = lireReglageEnveloppe(nomImprimanteReglage(imprimante));
    preparerPapier(imprimante, papier, reglage);
    if (!travail.commencer())
        return travail.raison();
    QPainter& p = travail.peintre();
    const double pointsParCm = imprimante.resolution() / kCentimetresParPouce;
    // Lines are drawn in the layout's centimetres; text in device units.
    const QTransform echelle = QTransform::fromScale(pointsParCm, pointsParCm);
    const QTransform cadreEnveloppe = QTransform::fromTranslate(0, papier.decalageHautCm);
    p.setTransform(cadreEnveloppe * versPapier(papier, reglage) * echelle);
    QPen trait(Qt::black, 0.02);
    p.setPen(trait);
    const QSizeF cadre = papier.cadreCm;
    p.drawRect(QRectF(kCadreCm, kCadreCm, cadre.width() - 2 * kCadreCm, cadre.height() - 2 * kCadreCm));
    dessinerRegles(p, cadre);
    const QPointF croix(premiere.x, premiere.y - papier.decalageHautCm);
    p.drawLine(croix - QPointF(kBrasCroixCm, 0), croix + QPointF(kBrasCroixCm, 0));
    p.drawLine(croix - QPointF(0, kBrasCroixCm), croix + QPointF(0, kBrasCroixCm));

    p.setTransform(echelle.inverted() * cadreEnveloppe * versPapier(papier, reglage) * echelle);
    QFont police(QStringLiteral("Liberation Sans"));
    police.setPointSizeF(9);
    p.setFont(police);
    const QRectF zone(1.0 * pointsParCm, (cadre.height() - 2.2) * pointsParCm, (cadre.width() - 2.0) * pointsParCm,
                      1.6 * pointsParCm);
    p.drawText(zone, Qt::TextWordWrap,
               QStringLiteral("Mesurez l'écart entre la croix et le coin de l'enveloppe : la croix devrait être à "
                              "%1 mm du bord gauche et %2 mm du bord haut. Corrigez les décalages de la différence "
                              "dans les options.")
                   .arg(QLocale(QLocale::French).toString(premiere.x * 10.0, 'f', 0),
                        QLocale(QLocale::French).toString((premiere.y - papier.decalageHautCm) * 10.0, 'f', 0)));
    if (!travail.terminer())
        return travail.raison();
    return {};
}
