#include "cli/commandes.h"

#include "import/contacts.h"
#include "platform/erreurbase.h"

int commandeImporter(const QStringList& arguments)
{
    Options options;
    QString erreur = lireOptions(arguments, {QStringLiteral("--base"), QStringLiteral("--doublons")},
                                 {QStringLiteral("--expediteurs")}, options);
    const QString doublons = options.valeurs.value(QStringLiteral("--doublons"), QStringLiteral("ignorer"));
    if (erreur.isEmpty() && doublons != QLatin1String("ignorer") && doublons != QLatin1String("importer"))
        erreur = QStringLiteral("--doublons vaut « ignorer » ou « importer ».");
    if (erreur.isEmpty() && options.positionnels.size() != 1)
        erreur = QStringLiteral("Indiquez un seul fichier à importer (.vcf ou .csv).");
    if (!erreur.isEmpty()) {
        signalerErreur(erreur);
        return kEntreeInvalide;
    }
    erreur = ouvrirBaseDe(options.valeurs.value(QStringLiteral("--base")));
    if (!erreur.isEmpty()) {
        signalerErreur(erreur);
        return kEchecEcriture;
    }
    const Carnet carnet = options.drapeaux.contains(QLatin1String("--expediteurs")) ? Carnet::Expediteurs
                                                                                    : Carnet::Destinataires;

    FichierContacts fichier;
    erreur = lireFichierContacts(options.positionnels.first(), fichier);
    if (!erreur.isEmpty()) {
        signalerErreur(erreur);
        return kEntreeInvalide;
    }
    BilanContacts bilan;
    std::vector<Contact> aAjouter;
    try {
        const std::vector<bool> presents = dejaPresents(fichier.contacts, carnet);
        for (std::size_t i = 0; i < fichier.contacts.size(); ++i) {
            const ContactLu& lu = fichier.contacts[i];
            if (!lu.erreur.isEmpty())
                bilan.lignesIllisibles << lu.ligne;
            else if (presents[i] && doublons == QLatin1String("ignorer"))
                ++bilan.doublons;
            else
                aAjouter.push_back(lu.contact);
        }
        if (aAjouter.empty() && bilan.doublons == 0) {
            signalerErreur(QStringLiteral("Aucun contact lisible dans ce fichier : rien n'a été importé.\n")
                           + texteBilan(bilan));
            return kEntreeInvalide;
        }
        ajouterAuCarnet(aAjouter, carnet);
    } catch (const ErreurBase& e) {
        signalerErreur(QStringLiteral("L'importation a échoué, le carnet est resté tel qu'il était.\n") + e.raison());
        return kEchecEcriture;
    }
    bilan.importes = int(aAjouter.size());
    afficher(texteBilan(bilan));
    return kSucces;
}
