#include "cli/commandes.h"

#include "import/contacts.h"
#include "platform/erreurbase.h"

int commandeExporter(const QStringList& arguments)
{
    Options options;
    QString erreur = lireOptions(arguments,
                                 {QStringLiteral("--base"), QStringLiteral("--format"), QStringLiteral("--sortie")},
                                 {QStringLiteral("--expediteurs")}, options);
    const QString format = options.valeurs.value(QStringLiteral("--format"));
    if (erreur.isEmpty() && format != QLatin1String("vcard") && format != QLatin1String("csv"))
        erreur = QStringLiteral("--format vaut « vcard » ou « csv ».");
    if (erreur.isEmpty() && options.valeurs.value(QStringLiteral("--sortie")).isEmpty())
        erreur = QStringLiteral("Indiquez le fichier à écrire avec --sortie FICHIER.");
    if (erreur.isEmpty() && !options.positionnels.isEmpty())
        erreur = QStringLiteral("Argument inattendu : %1").arg(options.positionnels.first());
    if (!erreur.isEmpty()) {
        signalerErreur(erreur);
        return kEntreeInvalide;
    }
    erreur = ouvrirBaseDe(options.valeurs.value(QStringLiteral("--base")));
    if (!erreur.isEmpty()) {
        signalerErreur(erreur);
        return kEntreeInvalide;
    }
    const Carnet carnet = options.drapeaux.contains(QLatin1String("--expediteurs")) ? Carnet::Expediteurs
                                                                                    : Carnet::Destinataires;
    std::vector<Contact> contacts;
    try {
        contacts = contactsDuCarnet(carnet);
    } catch (const ErreurBase& e) {
        signalerErreur(e.raison());
        return kEntreeInvalide;
    }
    erreur = exporterContacts(contacts, carnet,
                              format == QLatin1String("vcard") ? FormatExport::VCard : FormatExport::Csv,
                              options.valeurs.value(QStringLiteral("--sortie")));
    if (!erreur.isEmpty()) {
        signalerErreur(erreur);
        return kEchecEcriture;
    }
    afficher(QStringLiteral("%1 contact(s) exporté(s).").arg(contacts.size()));
    return kSucces;
}
