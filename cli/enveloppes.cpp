#include "cli/commandes.h"

#include "output/enveloppe.h"
#include "output/reglageenveloppe.h"
#include "platform/imprimante.h"

namespace {

// The job's pages: one envelope each.
QString imprimerDans(const std::vector<DispositionEnveloppe>& dispositions, const PapierEnveloppe& papier,
                     const ReglageEnveloppe& reglage)
{
    TravailImpression travail(QStringLiteral("Enveloppes"));
    if (!travail.pret())
        return travail.raison();
    preparerPapier(travail.imprimante(), papier, reglage);
    if (!travail.commencer())
        return travail.raison();
    for (std::size_t i = 0; i < dispositions.size(); ++i) {
        if (i > 0 && !travail.nouvellePage())
            return travail.raison();
        dessinerEnveloppe(travail.peintre(), travail.imprimante(), dispositions[i], papier, reglage);
    }
    return travail.terminer() ? QString() : travail.raison();
}

} // namespace

int commandeEnveloppes(const QStringList& arguments)
{
    Options options;
    QString erreur = lireOptions(arguments,
                                 {QStringLiteral("--base"), QStringLiteral("--format"),
                                  QStringLiteral("--destinataires"), QStringLiteral("--imprimante"),
                                  QStringLiteral("--sortie")},
                                 {}, options);
    bool nombre = false;
    const int format = options.valeurs.value(QStringLiteral("--format")).toInt(&nombre);
    if (erreur.isEmpty() && (!nombre || !papierEnveloppe(format)))
        erreur = QStringLiteral("--format vaut un code d'enveloppe de 0 à 5.");
    std::vector<AdresseEnveloppe> adresses;
    if (erreur.isEmpty())
        erreur = lireAdresses(options, adresses);
    std::vector<DispositionEnveloppe> dispositions;
    if (erreur.isEmpty()) {
        installerImprimantes(new FichierPdf(options.valeurs.value(QStringLiteral("--sortie"))));
        disposerToutes(format, adresses, dispositions, erreur);
    }
    if (!erreur.isEmpty()) {
        signalerErreur(erreur);
        return kEntreeInvalide;
    }
    const QString imprimante = options.valeurs.value(QStringLiteral("--imprimante"));
    const ReglageEnveloppe reglage = imprimante.isEmpty() ? ReglageEnveloppe{} : lireReglageEnveloppe(imprimante);
    erreur = imprimerDans(dispositions, *papierEnveloppe(format), reglage);
    if (!erreur.isEmpty()) {
        signalerErreur(erreur);
        return kEchecEcriture;
    }
    afficher(QStringLiteral("%1 enveloppe(s) écrite(s).").arg(dispositions.size()));
    return kSucces;
}
