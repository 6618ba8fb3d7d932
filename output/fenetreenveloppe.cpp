#include "output/fenetreenveloppe.h"

#include "platform/emplacements.h"

#include <cmath>

namespace {

const QString kSection = QStringLiteral("FenetreEnveloppe");

// The A4 sheet (210 x 297 mm) folded in three makes a 210 x 99 mm packet.
constexpr double kLargeurA4Mm = 210;
constexpr double kPliMm = 297.0 / 3;

// In a DL envelope the packet has 10 mm to spare across and 11 mm up and
// down. It is taken as centred across (5 mm each side) and resting on the
// envelope's bottom fold (11 mm spare above it), the way it settles when
// the envelope stands in a sorting machine. Its top third is the letter's
// top third, right way up and facing the window, so a point of the window
// x mm from the envelope's left edge and y mm from its top edge lies on
// the letter at (x - 5, y - 11).
constexpr double kJeuGaucheMm = (kLargeurDlMm - kLargeurA4Mm) / 2;
constexpr double kJeuHautMm = kHauteurDlMm - kPliMm;

double lire(const QString& cle, double parDefaut)
{
    bool nombre = false;
    const double valeur = mdGeneral::LireIni(kSection, cle, QString()).trimmed().toDouble(&nombre);
    return nombre && std::isfinite(valeur) && valeur >= 0 ? valeur : parDefaut;
}

bool surLEnveloppe(const FenetreEnveloppe& f)
{
    return f.largeurMm > 0 && f.hauteurMm > 0 && f.largeurMm + f.droiteMm <= kLargeurDlMm
        && f.hauteurMm + f.basMm <= kHauteurDlMm;
}

} // namespace

QRectF fenetreSurLaLettre(const FenetreEnveloppe& f)
{
    const double gauche = kLargeurDlMm - f.droiteMm - f.largeurMm - kJeuGaucheMm;
    const double haut = kHauteurDlMm - f.basMm - f.hauteurMm - kJeuHautMm;
    return QRectF(gauche, haut, f.largeurMm, f.hauteurMm).intersected(QRectF(0, 0, kLargeurA4Mm, kPliMm));
}

FenetreEnveloppe lireFenetreEnveloppe()
{
    const FenetreEnveloppe parDefaut;
    const FenetreEnveloppe f{lire(QStringLiteral("Largeur"), parDefaut.largeurMm),
                             lire(QStringLiteral("Hauteur"), parDefaut.hauteurMm),
                             lire(QStringLiteral("Droite"), parDefaut.droiteMm),
                             lire(QStringLiteral("Bas"), parDefaut.basMm)};
    return surLEnveloppe(f) ? f : parDefaut;
}

Reussite ecrireFenetreEnveloppe(const FenetreEnveloppe& f)
{
    if (!surLEnveloppe(f))
        return Reussite::echec(QStringLiteral("La fenêtre d'enveloppe dépasserait de l'enveloppe (220 x 110 mm) : "
                                              "réduisez sa taille ou sa distance aux bords."));
    const std::pair<QString, double> valeurs[] = {{QStringLiteral("Largeur"), f.largeurMm},
                                                  {QStringLiteral("Hauteur"), f.hauteurMm},
                                                  {QStringLiteral("Droite"), f.droiteMm},
                                                  {QStringLiteral("Bas"), f.basMm}};
    for (const auto& [cle, valeur] : valeurs) {
        if (Reussite ecrite = mdGeneral::EcrireIni(kSection, cle, QString::number(valeur), QString()); !ecrite)
            return ecrite;
    }
    return {};
}
