#include "output/etiquettes.h"

#include "platform/imprimante.h"

#include <QFont>
#include <QFontMetricsF>

#include <algorithm>

namespace {

constexpr double kPas = 0.5; // points
constexpr double kMmParPouce = 25.4;
constexpr double kLargeurA4Mm = 210.0;
constexpr double kHauteurA4Mm = 297.0;

const QString kPolice = QStringLiteral("Liberation Sans");

QFont policeEtiquette(double taille)
{
    QFont police(kPolice);
    police.setPointSizeF(taille);
    return police;
}

bool tient(const QStringList& lignes, const FormatEtiquettes& f, double taille, const MesureTexte& m)
{
    if (lignes.size() * m.interligneMm(taille) > f.hauteurMm - 2 * kMargeEtiquetteYMm)
        return false;
    return std::all_of(lignes.cbegin(), lignes.cend(), [&](const QString& l) {
        return m.largeurMm(l, taille) <= f.largeurMm - 2 * kMargeEtiquetteXMm;
    });
}

} // namespace

std::optional<FormatEtiquettes> formatEtiquettes(const QString& nom)
{
    if (nom == QLatin1String("2x7"))
        return FormatEtiquettes{2, 7, 99.1, 38.1, 15.15, 4.65, 101.6, 38.1};
    if (nom == QLatin1String("3x7"))
        return FormatEtiquettes{3, 7, 63.5, 38.1, 15.15, 7.25, 66.04, 38.1};
    if (nom == QLatin1String("3x8"))
        return FormatEtiquettes{3, 8, 70.0, 37.0, 0.5, 0.0, 70.0, 37.0};
    if (nom == QLatin1String("2x8"))
        return FormatEtiquettes{2, 8, 105.0, 37.0, 0.5, 0.0, 105.0, 37.0};
    if (nom == QLatin1String("3x11"))
        return FormatEtiquettes{3, 11, 64.0, 24.3, 14.85, 7.0, 66.0, 24.3};
    return std::nullopt;
}

QStringList nomsFormatsEtiquettes()
{
    return {QStringLiteral("2x7"), QStringLiteral("3x7"), QStringLiteral("3x8"), QStringLiteral("2x8"),
            QStringLiteral("3x11")};
}

QString verifierFormatEtiquettes(const FormatEtiquettes& f)
{
    if (f.colonnes < 1 || f.rangees < 1 || f.largeurMm <= 0 || f.hauteurMm <= 0)
        return QStringLiteral("Le format d'étiquettes doit avoir au moins une colonne, une rangée, "
                              "et des étiquettes de largeur et de hauteur non nulles.");
    if (f.margeGaucheMm < 0 || f.margeHautMm < 0 || f.pasHorizontalMm < f.largeurMm || f.pasVerticalMm < f.hauteurMm)
        return QStringLiteral("Les marges ne peuvent être négatives, ni les étiquettes se chevaucher "
                              "(le pas doit valoir au moins la taille de l'étiquette).");
    const double droite = f.margeGaucheMm + (f.colonnes - 1) * f.pasHorizontalMm + f.largeurMm;
    const double bas = f.margeHautMm + (f.rangees - 1) * f.pasVerticalMm + f.hauteurMm;
    if (droite > kLargeurA4Mm + 0.01 || bas > kHauteurA4Mm + 0.01)
        return QStringLiteral("Les étiquettes dépassent de la feuille A4 (%1 x %2 mm pour 210 x 297).")
            .arg(droite, 0, 'f', 1)
            .arg(bas, 0, 'f', 1);
    return {};
}

QStringList lignesEtiquette(const AdresseEnveloppe& a)
{
    QStringList lignes{a.nom.simplified()};
    for (const QString& l : {a.adresse1, a.adresse2}) {
        if (!l.trimmed().isEmpty())
            lignes << l.trimmed();
    }
    lignes << (a.codePostal.trimmed() + QLatin1Char(' ') + a.ville.trimmed()).trimmed().toUpper();
    return lignes;
}

PlanchesEtiquettes disposerEtiquettes(const FormatEtiquettes& f, int debut,
                                      const std::vector<AdresseEnveloppe>& adresses, const MesureTexte& mesure)
{
    PlanchesEtiquettes resultat;
    std::vector<QStringList> toutes;
    for (const AdresseEnveloppe& a : adresses) {
        toutes.push_back(lignesEtiquette(a));
        if (!tient(toutes.back(), f, kTailleEtiquetteMin, mesure))
            resultat.tropLongues << a.qui;
    }
    if (!resultat.tropLongues.isEmpty())
        return resultat;
    while (resultat.taille > kTailleEtiquetteMin
           && !std::all_of(toutes.cbegin(), toutes.cend(),
                           [&](const QStringList& l) { return tient(l, f, resultat.taille, mesure); }))
        resultat.taille -= kPas;
    int rang = std::clamp(debut, 1, f.parPlanche()) - 1;
    for (const QStringList& lignes : toutes) {
        const int dansPlanche = rang % f.parPlanche();
        const double x = f.margeGaucheMm + (dansPlanche % f.colonnes) * f.pasHorizontalMm;
        const double y = f.margeHautMm + (dansPlanche / f.colonnes) * f.pasVerticalMm;
        resultat.etiquettes.push_back({rang / f.parPlanche(), QRectF(x, y, f.largeurMm, f.hauteurMm), lignes});
        ++rang;
    }
    return resultat;
}

QString imprimerEtiquettes(const FormatEtiquettes& format, int debut, const std::vector<AdresseEnveloppe>& adresses)
{
    const QString invalide = verifierFormatEtiquettes(format);
    if (!invalide.isEmpty())
        return invalide;
    TravailImpression travail(QStringLiteral("Étiquettes"));
    if (!travail.pret())
        return travail.raison();
    QPrinter& imprimante = travail.imprimante();
    imprimante.setFullPage(true);
    imprimante.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    const double pointsParMm = imprimante.resolution() / kMmParPouce;
    const MesureTexte mesure{[&imprimante, pointsParMm](const QString& texte, double taille) {
                                 return QFontMetricsF(policeEtiquette(taille), &imprimante).horizontalAdvance(texte)
                                     / pointsParMm;
                             },
                             [&imprimante, pointsParMm](double taille) {
                                 return QFontMetricsF(policeEtiquette(taille), &imprimante).lineSpacing() / pointsParMm;
                             }};
    const PlanchesEtiquettes planches = disposerEtiquettes(format, debut, adresses, mesure);
    if (!planches.tropLongues.isEmpty())
        return QStringLiteral("Ces adresses ne tiennent pas sur une étiquette, même en %1 points : %2.\n"
                              "Aucune étiquette n'a été imprimée.")
            .arg(kTailleEtiquetteMin)
            .arg(planches.tropLongues.join(QStringLiteral(", ")));
    if (!travail.commencer())
        return travail.raison();
    QPainter& p = travail.peintre();
    const QFont police = policeEtiquette(planches.taille);
    p.setFont(police);
    const QFontMetricsF metriques(police, &imprimante);
    int page = 0;
    for (const EtiquettePlacee& e : planches.etiquettes) {
        for (; page < e.page; ++page) {
            if (!travail.nouvellePage())
                return travail.raison();
        }
        double y = (e.cadreMm.top() + kMargeEtiquetteYMm) * pointsParMm + metriques.ascent();
        for (const QString& ligne : e.lignes) {
            p.drawText(QPointF((e.cadreMm.left() + kMargeEtiquetteXMm) * pointsParMm, y), ligne);
            y += metriques.lineSpacing();
        }
    }
    if (!travail.terminer())
        return travail.raison();
    return {};
}
