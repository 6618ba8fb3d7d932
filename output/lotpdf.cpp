#include "output/lotpdf.h"

#include "output/composition.h"

#include <QDir>
#include <QHash>
#include <QTextDocument>

namespace {

QString nomDe(const FicheDestinataire& f)
{
    const QString nom = QStringList{f.nom.trimmed(), f.prenom.trimmed()}.join(QLatin1Char(' ')).trimmed();
    return nom.isEmpty() ? QStringLiteral("sans nom") : nom;
}

QString echecPour(const FicheDestinataire& fiche, const QString& raison)
{
    return QStringLiteral("La lettre de %1 n'a pas pu être enregistrée : %2").arg(nomDe(fiche), raison);
}

} // namespace

QList<FicheDestinataire> fichesDe(const QList<RecordId>& ids)
{
    QList<FicheDestinataire> fiches;
    for (const RecordId id : ids)
        fiches << lireDestinataire(id);
    return fiches;
}

QString lettrePour(const QString& lettreEnNombre, const FicheDestinataire& f)
{
    return TextePersonnalise(lettreEnNombre,
                             ValeursDestinataire{f.titre, f.nom, f.prenom, f.adresse1, f.adresse2, f.cp, f.ville, f.fonction});
}

QStringList nomsDesFichiers(const QList<FicheDestinataire>& fiches, const QString& dateIso, const QString& objet)
{
    QStringList noms;
    QHash<QString, int> vus;   // case-folded name -> times used
    for (const FicheDestinataire& f : fiches) {
        const QString nom = nomFichierLettre(dateIso, f.nom, f.prenom, objet);
        const int fois = ++vus[nom.toCaseFolded()];
        noms << (fois == 1 ? nom : nom.chopped(4) + QStringLiteral(" (%1).pdf").arg(fois));
    }
    return noms;
}

ResultatLot ecrireUnParDestinataire(const LotPdf& lot, const QList<FicheDestinataire>& fiches, const QString& dossier,
                                    const SuitePdf& suite)
{
    ResultatLot resultat;
    const QStringList noms = nomsDesFichiers(fiches, lot.dateIso, lot.objet);
    for (qsizetype i = 0; i < fiches.size(); ++i) {
        if (!suite(int(i))) {
            resultat.interrompu = true;
            break;
        }
        QString raison;
        const auto document = documentLettre(lettrePour(lot.lettreEnNombre, fiches[i]), raison);
        const QString chemin = QDir(dossier).filePath(noms[i]);
        if (document) {
            FichierPdf fichier(chemin, lot.proprietes);
            fichier.ajouterLettre(*document);
            if (fichier.terminer(raison)) {
                resultat.fichiers << chemin;
                continue;
            }
        }
        resultat.erreur = echecPour(fiches[i], raison);
        break;
    }
    return resultat;
}

ResultatLot ecrireTousEnUn(const LotPdf& lot, const QList<FicheDestinataire>& fiches, const QString& chemin,
                           const SuitePdf& suite)
{
    ResultatLot resultat;
    FichierPdf fichier(chemin, lot.proprietes);
    for (qsizetype i = 0; i < fiches.size(); ++i) {
        if (!suite(int(i))) {
            resultat.interrompu = true;
            return resultat;
        }
        QString raison;
        const auto document = documentLettre(lettrePour(lot.lettreEnNombre, fiches[i]), raison);
        if (!document) {
            resultat.erreur = echecPour(fiches[i], raison);
            return resultat;
        }
        fichier.ajouterLettre(*document);
    }
    QString raison;
    if (fichier.terminer(raison))
        resultat.fichiers << chemin;
    else
        resultat.erreur = QStringLiteral("Le fichier « %1 » n'a pas pu être enregistré : %2").arg(chemin, raison);
    return resultat;
}
