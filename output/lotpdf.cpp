#include "output/lotpdf.h"

#include "output/composition.h"

#include <QDir>
#include <QHash>
#include <QTextDocument>
#include <QThread>

#include <algorithm>
#include <future>
#include <vector>

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

// One letter in a file of its own; "" or why it failed.
QString ecrireLettre(const QString& rtf, const QString& chemin, const ProprietesPdf& proprietes)
{
    QString raison;
    const auto document = documentLettre(rtf, raison);
    if (!document)
        return raison;
    DocumentPdf fichier(chemin, proprietes);
    fichier.ajouterLettre(*document);
    fichier.terminer(raison);
    return raison;
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
    return TextePersonnalise(lettreEnNombre, f);
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
    // Each letter is its own document and file: one per processor core at
    // a time, the progress and the stop asked for between two rounds.
    const qsizetype parTour = std::max(1, QThread::idealThreadCount());
    for (qsizetype debut = 0; debut < fiches.size(); debut += parTour) {
        if (!suite(int(debut))) {
            resultat.interrompu = true;
            break;
        }
        const qsizetype fin = std::min(fiches.size(), debut + parTour);
        std::vector<std::future<QString>> travaux;
        for (qsizetype i = debut; i < fin; ++i)
            travaux.push_back(std::async(std::launch::async, [&, i] {
                return ecrireLettre(lettrePour(lot.lettreEnNombre, fiches[i]), QDir(dossier).filePath(noms[i]),
                                    lot.proprietes);
            }));
        for (qsizetype i = debut; i < fin; ++i) {
            const QString raison = travaux[std::size_t(i - debut)].get();
            if (!raison.isEmpty() && resultat.erreur.isEmpty())
                resultat.erreur = echecPour(fiches[i], raison);
            else if (raison.isEmpty())
                resultat.fichiers << QDir(dossier).filePath(noms[i]);
        }
        if (!resultat.erreur.isEmpty())
            break;
    }
    return resultat;
}

ResultatLot ecrireTousEnUn(const LotPdf& lot, const QList<FicheDestinataire>& fiches, const QString& chemin,
                           const SuitePdf& suite)
{
    ResultatLot resultat;
    DocumentPdf fichier(chemin, lot.proprietes);
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
