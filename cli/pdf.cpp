#include "cli/commandes.h"

#include "output/composition.h"
#include "output/enregistrementpdf.h"
#include "output/lotpdf.h"
#include "platform/erreurbase.h"
#include "store/corpsmodele.h"
#include "store/expediteurs.h"

#include <QDate>
#include <QDir>
#include <QTextDocument>

namespace {

// A number that names an existing row, or why not.
QString verifierNumero(const QString& texte, const QString& quoi, RecordId (*existe)(const QString&), RecordId& id)
{
    bool nombre = false;
    id = texte.toLongLong(&nombre);
    if (!nombre)
        return QStringLiteral("« %1 » n'est pas un numéro de %2.").arg(texte, quoi);
    if (existe(texte) == kAucunEnregistrement)
        return QStringLiteral("Aucun %1 ne porte le numéro %2.").arg(quoi, texte);
    return {};
}

SaisieLettre saisieDe(const Options& options, const FicheExpediteur& e)
{
    SaisieLettre s;
    remplirExpediteur(s, e);
    s.dateLettre = options.valeurs.value(QStringLiteral("--date"));
    s.villeLettre = options.valeurs.value(QStringLiteral("--lieu"));
    s.objetLettre = options.valeurs.value(QStringLiteral("--objet"));
    s.pieceLettre = options.valeurs.value(QStringLiteral("--pieces"));
    s.formuleLettre = options.valeurs.value(QStringLiteral("--politesse"));
    return s;
}

QString lireArguments(const QStringList& arguments, Options& options)
{
    const QString erreur = lireOptions(arguments,
                                       {QStringLiteral("--base"), QStringLiteral("--modele"),
                                        QStringLiteral("--expediteur"), QStringLiteral("--destinataires"),
                                        QStringLiteral("--date"), QStringLiteral("--lieu"), QStringLiteral("--objet"),
                                        QStringLiteral("--pieces"), QStringLiteral("--politesse"),
                                        QStringLiteral("--sortie")},
                                       {QStringLiteral("--un-fichier"), QStringLiteral("--pdfa")}, options);
    if (!erreur.isEmpty())
        return erreur;
    if (!options.positionnels.isEmpty())
        return QStringLiteral("Argument inattendu : %1").arg(options.positionnels.first());
    for (const QString& requise : {QStringLiteral("--modele"), QStringLiteral("--expediteur"),
                                   QStringLiteral("--destinataires"), QStringLiteral("--sortie")}) {
        if (options.valeurs.value(requise).isEmpty())
            return QStringLiteral("L'option %1 est obligatoire.").arg(requise);
    }
    return {};
}

// The entries read from the database: the letter and its recipients.
struct Lettres {
    SaisieLettre saisie;
    QString corps;
    QList<FicheDestinataire> destinataires;
};

QString lireLettres(const Options& options, Lettres& l)
{
    RecordId idExpediteur = 0;
    QString erreur = verifierNumero(options.valeurs.value(QStringLiteral("--expediteur")), QStringLiteral("expéditeur"),
                                    numeroExpediteurDe, idExpediteur);
    if (!erreur.isEmpty())
        return erreur;
    QList<RecordId> ids;
    for (const QString& texte : options.valeurs.value(QStringLiteral("--destinataires")).split(QLatin1Char(','))) {
        RecordId id = 0;
        erreur = verifierNumero(texte.trimmed(), QStringLiteral("destinataire"), numeroDestinataireDe, id);
        if (!erreur.isEmpty())
            return erreur;
        ids << id;
    }
    l.saisie = saisieDe(options, lireExpediteur(idExpediteur));
    const QString modele = options.valeurs.value(QStringLiteral("--modele"));
    l.saisie.depuisModele = modele != QLatin1String("0");
    if (l.saisie.depuisModele)
        l.corps = LireCorpsModele(modele);
    l.destinataires = fichesDe(ids);
    return {};
}

int ecrire(const Options& options, const Lettres& l)
{
    const QString sortie = options.valeurs.value(QStringLiteral("--sortie"));
    const ProprietesPdf proprietes = proprietesPdf(l.saisie, options.drapeaux.contains(QLatin1String("--pdfa")));
    QString raison;
    if (l.destinataires.size() == 1) {
        SaisieLettre saisie = l.saisie;
        remplirDestinataire(saisie, l.destinataires.first());
        const auto document = documentLettre(TexteLettreIndividuelle(saisie, l.corps), raison);
        if (!document) {
            signalerErreur(QStringLiteral("La lettre n'a pas pu être composée : %1").arg(raison));
            return kEntreeInvalide;
        }
        DocumentPdf fichier(sortie, proprietes);
        fichier.ajouterLettre(*document);
        if (!fichier.terminer(raison)) {
            signalerErreur(QStringLiteral("Le fichier « %1 » n'a pas pu être enregistré : %2").arg(sortie, raison));
            return kEchecEcriture;
        }
        afficher(QStringLiteral("1 lettre enregistrée."));
        return kSucces;
    }
    const LotPdf lot{TexteLettreEnNombre(l.saisie, l.corps), proprietes, QDate::currentDate().toString(Qt::ISODate),
                     l.saisie.objetLettre};
    const auto toujours = [](int) { return true; };
    ResultatLot resultat;
    if (options.drapeaux.contains(QLatin1String("--un-fichier"))) {
        resultat = ecrireTousEnUn(lot, l.destinataires, sortie, toujours);
    } else if (!QDir().mkpath(sortie)) {
        signalerErreur(QStringLiteral("Le dossier « %1 » n'a pas pu être créé.").arg(sortie));
        return kEchecEcriture;
    } else {
        resultat = ecrireUnParDestinataire(lot, l.destinataires, sortie, toujours);
    }
    if (!resultat.erreur.isEmpty()) {
        signalerErreur(resultat.erreur);
        return kEchecEcriture;
    }
    afficher(QStringLiteral("%1 lettre(s) enregistrée(s).").arg(l.destinataires.size()));
    return kSucces;
}

} // namespace

int commandePdf(const QStringList& arguments)
{
    Options options;
    QString erreur = lireArguments(arguments, options);
    if (erreur.isEmpty())
        erreur = ouvrirBaseDe(options.valeurs.value(QStringLiteral("--base")));
    Lettres lettres;
    if (erreur.isEmpty()) {
        try {
            erreur = lireLettres(options, lettres);
        } catch (const ErreurBase& e) {
            erreur = e.raison();
        }
    }
    if (!erreur.isEmpty()) {
        signalerErreur(erreur);
        return kEntreeInvalide;
    }
    return ecrire(options, lettres);
}
