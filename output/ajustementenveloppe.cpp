#include "output/ajustementenveloppe.h"

namespace {

constexpr double kPas = 0.5; // points

// `texte` cut at the space that leaves the longest first line that fits in
// `place`, both lines fitting at 10 points; none when no space does it.
std::optional<std::pair<QString, QString>> couperEnDeux(const QString& texte, double place,
                                                        const MesureLargeur& largeur)
{
    for (qsizetype espace = texte.lastIndexOf(QLatin1Char(' ')); espace > 0;
         espace = texte.lastIndexOf(QLatin1Char(' '), espace - 1)) {
        const QString premiere = texte.left(espace).trimmed();
        if (premiere.isEmpty() || largeur(premiere, kTailleEnveloppeMinimale) > place)
            continue;
        const QString seconde = texte.mid(espace + 1).trimmed();
        if (largeur(seconde, kTailleEnveloppeMinimale) > place)
            return std::nullopt;
        return std::make_pair(premiere, seconde);
    }
    return std::nullopt;
}

} // namespace

EnveloppeAjustee ajusterEnveloppe(const DispositionEnveloppe& disposition, double largeurImprimable, double interligne,
                                  const MesureLargeur& largeur)
{
    EnveloppeAjustee resultat{{{}}, {}};
    auto& textes = resultat.disposition.textes;
    for (const TexteEnveloppe& t : disposition.textes) {
        const double place = largeurImprimable - t.x;
        double taille = t.taille;
        while (taille > kTailleEnveloppeMinimale && largeur(t.texte, taille) > place)
            taille = std::max(kTailleEnveloppeMinimale, taille - kPas);
        if (largeur(t.texte, taille) <= place) {
            textes.push_back({t.x, t.y, t.texte, taille});
            continue;
        }
        const auto lignes = couperEnDeux(t.texte, place, largeur);
        if (!lignes) {
            resultat.ligneTropLongue = t.texte;
            return resultat;
        }
        textes.push_back({t.x, t.y, lignes->first, kTailleEnveloppeMinimale});
        textes.push_back({t.x, t.y + float(interligne), lignes->second, kTailleEnveloppeMinimale});
    }
    return resultat;
}
