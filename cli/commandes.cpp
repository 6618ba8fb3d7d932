#include "cli/commandes.h"

#include "platform/connexion.h"
#include "platform/erreurbase.h"
#include "store/schemabase.h"

#include <cstdio>

const std::vector<Commande>& commandes()
{
    static const std::vector<Commande> liste{
        {QStringLiteral("importer"),
         QStringLiteral("--base FICHIER.mdb [--expediteurs] [--doublons ignorer|importer] FICHIER.vcf|FICHIER.csv"),
         QStringLiteral("ajoute au carnet les contacts d'un fichier vCard ou CSV"), commandeImporter},
        {QStringLiteral("exporter"),
         QStringLiteral("--base FICHIER.mdb [--expediteurs] --format vcard|csv --sortie FICHIER"),
         QStringLiteral("écrit le carnet des destinataires (ou des expéditeurs) en vCard ou en CSV"), commandeExporter},
        {QStringLiteral("pdf"),
         QStringLiteral("--base FICHIER.mdb --modele ID --expediteur ID --destinataires ID[,ID...] [--date TEXTE] "
                        "[--lieu TEXTE] [--objet TEXTE] [--pieces TEXTE] [--politesse TEXTE] [--un-fichier] [--pdfa] "
                        "--sortie CHEMIN"),
         QStringLiteral("enregistre en PDF la lettre de chaque destinataire (un fichier, un dossier d'un fichier par "
                        "destinataire, ou avec --un-fichier toutes les lettres dans un fichier)"),
         commandePdf},
        {QStringLiteral("enveloppes"),
         QStringLiteral(
             "--base FICHIER.mdb --format 0..5 --destinataires ID[,ID...] [--imprimante NOM] --sortie FICHIER.pdf"),
         QStringLiteral("écrit les enveloppes des destinataires en PDF, une par page"), commandeEnveloppes},
        {QStringLiteral("etiquettes"),
         QStringLiteral("--base FICHIER.mdb --planche 2x7|3x7|3x8|2x8|3x11 [--debut N] --destinataires ID[,ID...] "
                        "--sortie FICHIER.pdf"),
         QStringLiteral("écrit les adresses des destinataires sur des planches d'étiquettes A4 en PDF"),
         commandeEtiquettes},
    };
    return liste;
}

void afficher(const QString& texte)
{
    std::fputs((texte + QLatin1Char('\n')).toUtf8().constData(), stdout);
}

void signalerErreur(const QString& texte)
{
    std::fputs((texte + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

QString lireOptions(const QStringList& arguments, const QStringList& avecValeur, const QStringList& drapeaux,
                    Options& options)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(QLatin1String("--"))) {
            options.positionnels << argument;
        } else if (drapeaux.contains(argument)) {
            options.drapeaux << argument;
        } else if (avecValeur.contains(argument)) {
            if (i + 1 >= arguments.size())
                return QStringLiteral("L'option %1 attend une valeur.").arg(argument);
            options.valeurs.insert(argument, arguments.at(++i));
        } else {
            return QStringLiteral("Option inconnue : %1").arg(argument);
        }
    }
    return {};
}

QString ouvrirBaseDe(const QString& chemin)
{
    if (chemin.isEmpty())
        return QStringLiteral("Indiquez la base de données avec --base FICHIER.mdb.");
    try {
        cnLettre().ouvrir(chemin);
    } catch (const ErreurBase& e) {
        return e.raison();
    }
    const QStringList manques = manquesDuSchema(cnLettre());
    if (!manques.isEmpty())
        return QStringLiteral("La base « %1 » n'est pas une base de Tilvo - Lettres : il lui manque %2.")
            .arg(chemin, manques.join(QStringLiteral(", ")));
    return {};
}

namespace {

// The ids of --destinataires; "" or why they cannot be read.
QString lireDestinataires(const Options& options, QList<RecordId>& ids)
{
    const QStringList textes = options.valeurs.value(QStringLiteral("--destinataires"))
                                   .split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (textes.isEmpty())
        return QStringLiteral("Indiquez les destinataires avec --destinataires ID[,ID...].");
    ids.clear();
    for (const QString& texte : textes) {
        bool nombre = false;
        ids << texte.trimmed().toLongLong(&nombre);
        if (!nombre)
            return QStringLiteral("« %1 » n'est pas un numéro de destinataire.").arg(texte.trimmed());
    }
    return {};
}

// --sortie given and no stray argument; "" or what is wrong.
QString verifierSortie(const Options& options)
{
    if (options.valeurs.value(QStringLiteral("--sortie")).isEmpty())
        return QStringLiteral("Indiquez le fichier à écrire avec --sortie FICHIER.pdf.");
    if (!options.positionnels.isEmpty())
        return QStringLiteral("Argument inattendu : %1").arg(options.positionnels.first());
    return {};
}

} // namespace

QString lireAdresses(const Options& options, std::vector<AdresseEnveloppe>& adresses)
{
    QList<RecordId> ids;
    QString erreur = lireDestinataires(options, ids);
    if (erreur.isEmpty())
        erreur = verifierSortie(options);
    if (erreur.isEmpty())
        erreur = ouvrirBaseDe(options.valeurs.value(QStringLiteral("--base")));
    if (!erreur.isEmpty())
        return erreur;
    try {
        adresses = adressesDesDestinataires(ids);
    } catch (const ErreurBase& e) {
        return e.raison();
    }
    return {};
}
