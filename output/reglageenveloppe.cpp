#include "output/reglageenveloppe.h"

#include "platform/emplacements.h"

#include <algorithm>
#include <cmath>

namespace {

QString section(const QString& imprimante)
{
    return QStringLiteral("Enveloppe ") + imprimante;
}

double lireDecalage(const QString& imprimante, const QString& cle)
{
    bool nombre = false;
    const double valeur = mdGeneral::LireIni(section(imprimante), cle, QString()).trimmed().toDouble(&nombre);
    if (!nombre || !std::isfinite(valeur))
        return 0;
    const double borne = std::clamp(valeur, -kDecalageMaxMm, kDecalageMaxMm);
    return std::round(borne / kPasDecalageMm) * kPasDecalageMm;
}

int tourComplet(int degres)
{
    return ((degres % 360) + 360) % 360;
}

} // namespace

std::optional<PapierEnveloppe> papierEnveloppe(int format)
{
    const QPageSize c6(QPageSize::EnvelopeC6);
    const QPageSize dl(QPageSize::EnvelopeDL);
    switch (format) {
    case 0:
    case 2: return PapierEnveloppe{c6, {16.2, 11.4}, 0, 0};
    case 1:
    case 3: return PapierEnveloppe{dl, {22.0, 11.0}, 0, 0};
    case 4:
    case 5: return PapierEnveloppe{dl, {22.0, 11.0}, 270, 10.0};
    default: return std::nullopt;
    }
}

QString nomImprimanteReglage(const QPrinter& imprimante)
{
    const QString nom = imprimante.printerName().trimmed();
    return nom.isEmpty() ? QStringLiteral("PDF") : nom;
}

ReglageEnveloppe lireReglageEnveloppe(const QString& imprimante)
{
    ReglageEnveloppe r;
    r.decalageXMm = lireDecalage(imprimante, QStringLiteral("DecalageX"));
    r.decalageYMm = lireDecalage(imprimante, QStringLiteral("DecalageY"));
    const int rotation = mdGeneral::LireIni(section(imprimante), QStringLiteral("Rotation"), QString()).toInt();
    r.rotation = rotation % 90 == 0 ? tourComplet(rotation) : 0;
    return r;
}

Reussite enregistrerReglageEnveloppe(const QString& imprimante, const ReglageEnveloppe& reglage)
{
    const QString s = section(imprimante);
    Reussite ecrit = mdGeneral::EcrireIni(s, QStringLiteral("DecalageX"), QString::number(reglage.decalageXMm),
                                          QString());
    if (ecrit)
        ecrit = mdGeneral::EcrireIni(s, QStringLiteral("DecalageY"), QString::number(reglage.decalageYMm), QString());
    if (ecrit)
        ecrit = mdGeneral::EcrireIni(s, QStringLiteral("Rotation"), QString::number(reglage.rotation), QString());
    return ecrit;
}

QPageLayout miseEnPageEnveloppe(const PapierEnveloppe& papier, const ReglageEnveloppe& reglage)
{
    const int rotation = tourComplet(papier.rotationBase + reglage.rotation);
    const bool couchee = rotation == 0 || rotation == 180;
    return QPageLayout(papier.taille, couchee ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

QTransform versPapier(const PapierEnveloppe& papier, const ReglageEnveloppe& reglage)
{
    const double l = papier.cadreCm.width();
    const double h = papier.cadreCm.height();
    // Each turn keeps the frame on the page: (x, y) -> (h - y, x) for a
    // quarter turn clockwise, and so on.
    QTransform tour;
    switch (tourComplet(papier.rotationBase + reglage.rotation)) {
    case 90: tour = QTransform(0, 1, -1, 0, h, 0); break;
    case 180: tour = QTransform(-1, 0, 0, -1, l, h); break;
    case 270: tour = QTransform(0, -1, 1, 0, 0, l); break;
    default: break;
    }
    return QTransform::fromTranslate(0, -papier.decalageHautCm) * tour
        * QTransform::fromTranslate(reglage.decalageXMm / 10.0, reglage.decalageYMm / 10.0);
}
