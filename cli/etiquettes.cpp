#include "cli/commandes.h"

#include "output/etiquettes.h"
#include "platform/imprimante.h"

int commandeEtiquettes(const QStringList& arguments)
{
    Options options;
    QString erreur = lireOptions(arguments,
                                 {QStringLiteral("--base"), QStringLiteral("--planche"), QStringLiteral("--debut"),
                                  QStringLiteral("--destinataires"), QStringLiteral("--sortie")},
                                 {}, options);
    const auto format = formatEtiquettes(options.valeurs.value(QStringLiteral("--planche")));
    if (erreur.isEmpty() && !format)
        erreur = QStringLiteral("--planche vaut %1.").arg(nomsFormatsEtiquettes().join(QLatin1Char('|')));
    bool nombre = true;
    const int debut = options.valeurs.value(QStringLiteral("--debut"), QStringLiteral("1")).toInt(&nombre);
    if (erreur.isEmpty() && (!nombre || debut < 1 || debut > format->parPlanche()))
        erreur = QStringLiteral("--debut vaut un numéro d'étiquette de 1 à %1.").arg(format->parPlanche());
    std::vector<AdresseEnveloppe> adresses;
    if (erreur.isEmpty())
        erreur = lireAdresses(options, adresses);
    if (!erreur.isEmpty()) {
        signalerErreur(erreur);
        return kEntreeInvalide;
    }
    installerImprimantes(new FichierPdf(options.valeurs.value(QStringLiteral("--sortie"))));
    erreur = imprimerEtiquettes(*format, debut, adresses);
    if (!erreur.isEmpty()) {
        signalerErreur(erreur);
        return kEchecEcriture;
    }
    afficher(QStringLiteral("%1 étiquette(s) écrite(s).").arg(adresses.size()));
    return kSucces;
}
