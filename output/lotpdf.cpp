#include "output/lotpdf.h"

#include "output/composition.h"
#include "output/impressionrtf_pages.h"

#include <QDir>
#include <QHash>
#include <QTextDocument>
#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
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
QString ecrireLettre(const QString& rtf, const QString& chemin, const ProprietesPdf& proprietes, int& pages)
{
    QString raison;
    const auto document = documentLettre(rtf, raison);
    if (!document)
        return raison;
    DocumentPdf fichier(chemin, proprietes);
    pages = fichier.ajouterLettre(*document);
    fichier.terminer(raison);
    return raison;
}

// A letter of the run, once a worker is done with it.
struct LettreFaite {
    bool faite = false;
    QString rtf;
    int pages = 0;
    QString raison;                       // "" when it was made
    std::unique_ptr<MiseEnPage> disposee; // laid out, for a file of all the letters
};

// The letters of a run made by worker threads, each taking the next letter
// as it is free; the calling thread waits, takes them in list order, and
// asks whether to go on. Workers run at most `avance` letters ahead of it.
// The fonts of a text laid out in a thread belong to that thread's font
// cache, which goes with the thread: a worker lives until arreter() has
// let go of the letters laid out.
class Atelier {
public:
    Atelier(qsizetype nombre, int fils, qsizetype avance, std::function<LettreFaite(qsizetype)> faire)
        : m_lettres(std::size_t(nombre)), m_avance(avance), m_faire(std::move(faire))
    {
        for (qsizetype i = 0; i < std::min<qsizetype>(fils, nombre); ++i)
            m_fils.emplace_back([this] { travailler(); });
    }
    ~Atelier() { arreter(); }

    // Waits for letter `rang` and gives it; the letters before it are done
    // with.
    LettreFaite& attendre(qsizetype rang)
    {
        std::unique_lock verrou(m_verrou);
        m_prises = rang;
        m_signal.notify_all();
        m_signal.wait(verrou, [&] { return m_lettres[std::size_t(rang)].faite; });
        return m_lettres[std::size_t(rang)];
    }
    // No letter is started any more; those under way are finished. Returns
    // how many letters were started.
    qsizetype arreter()
    {
        if (!m_fils.empty()) {
            {
                std::unique_lock verrou(m_verrou);
                m_arret = true;
                m_signal.notify_all();
                m_signal.wait(verrou, [&] { return m_enCours == 0; });
            }
            for (LettreFaite& lettre : m_lettres)
                lettre.disposee.reset();
            {
                std::lock_guard verrou(m_verrou);
                m_fin = true;
            }
            m_signal.notify_all();
            for (std::thread& fil : m_fils)
                fil.join();
            m_fils.clear();
        }
        return m_prochain;
    }

private:
    void travailler()
    {
        for (;;) {
            qsizetype rang = 0;
            {
                std::unique_lock verrou(m_verrou);
                m_signal.wait(verrou, [&] {
                    return m_fin
                        || (!m_arret && m_prochain < m_prises + m_avance && m_prochain < qsizetype(m_lettres.size()));
                });
                if (m_fin)
                    return;
                rang = m_prochain++;
                ++m_enCours;
            }
            LettreFaite faite = m_faire(rang);
            {
                std::lock_guard verrou(m_verrou);
                m_lettres[std::size_t(rang)] = std::move(faite);
                m_lettres[std::size_t(rang)].faite = true;
                --m_enCours;
            }
            m_signal.notify_all();
        }
    }

    std::vector<LettreFaite> m_lettres;
    qsizetype m_avance;
    std::function<LettreFaite(qsizetype)> m_faire;
    std::vector<std::thread> m_fils;
    std::mutex m_verrou;
    std::condition_variable m_signal;
    qsizetype m_prochain = 0; // the next letter to start
    qsizetype m_prises = 0;   // the letters the calling thread took
    int m_enCours = 0;        // letters being made
    bool m_arret = false;     // start no more letters
    bool m_fin = false;       // the workers may go
};

// Each core makes letters; a file of its own is written and flushed to disk
// while another letter is made, so twice as many workers as cores.
int filsParFichier()
{
    return 2 * std::max(1, QThread::idealThreadCount());
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
    QHash<QString, int> vus; // case-folded name -> times used
    for (const FicheDestinataire& f : fiches) {
        const QString nom = nomFichierLettre(dateIso, f.nom, f.prenom, objet);
        const int fois = ++vus[nom.toCaseFolded()];
        noms << (fois == 1 ? nom : nom.chopped(4) + QStringLiteral(" (%1).pdf").arg(fois));
    }
    return noms;
}

ResultatLot ecrireUnParDestinataire(const LotPdf& lot, const QList<FicheDestinataire>& fiches, const QString& dossier,
                                    const SuitePdf& suite, const RemisePdf& remise)
{
    ResultatLot resultat;
    const qsizetype nombre = fiches.size();
    if (nombre == 0)
        return resultat;
    QStringList chemins;
    for (const QString& nom : nomsDesFichiers(fiches, lot.dateIso, lot.objet))
        chemins << QDir(dossier).filePath(nom);
    if (!suite(0)) {
        resultat.interrompu = true;
        return resultat;
    }
    Atelier atelier(nombre, filsParFichier(), nombre, [&](qsizetype rang) {
        LettreFaite faite;
        faite.rtf = lettrePour(lot.lettreEnNombre, fiches[rang]);
        faite.raison = ecrireLettre(faite.rtf, chemins[rang], lot.proprietes, faite.pages);
        return faite;
    });
    // Every letter whose file is written is handed over, those finished
    // after a stop or a failure included: the files are there.
    const auto rendre = [&](qsizetype rang, const LettreFaite& faite) {
        if (!faite.raison.isEmpty()) {
            if (resultat.erreur.isEmpty())
                resultat.erreur = echecPour(fiches[rang], faite.raison);
            return;
        }
        resultat.fichiers << chemins[rang];
        if (remise)
            remise(rang, faite.rtf, faite.pages);
    };
    qsizetype rang = 0;
    for (; rang < nombre; ++rang) {
        const LettreFaite& faite = atelier.attendre(rang);
        rendre(rang, faite);
        if (!resultat.erreur.isEmpty())
            break;
        if (rang + 1 < nombre && !suite(int(rang + 1))) {
            resultat.interrompu = true;
            break;
        }
    }
    const qsizetype commencees = atelier.arreter();
    for (++rang; rang < commencees; ++rang)
        rendre(rang, atelier.attendre(rang));
    return resultat;
}

ResultatLot ecrireTousEnUn(const LotPdf& lot, const QList<FicheDestinataire>& fiches, const QString& chemin,
                           const SuitePdf& suite, const RemisePdf& remise)
{
    ResultatLot resultat;
    // The other cores read and lay out the next letters while this thread
    // draws one into the file; a few letters ahead at most, for memory. The
    // file is made after the workers, so that it is closed before they go.
    const int fils = std::max(1, QThread::idealThreadCount() - 1);
    Atelier atelier(fiches.size(), fils, 4 * fils, [&](qsizetype rang) {
        LettreFaite faite;
        faite.rtf = lettrePour(lot.lettreEnNombre, fiches[rang]);
        if (const auto document = documentLettre(faite.rtf, faite.raison))
            faite.disposee = lettreDisposee(*document);
        return faite;
    });
    DocumentPdf fichier(chemin, lot.proprietes);
    QStringList textes;
    QList<int> pages;
    for (qsizetype i = 0; i < fiches.size(); ++i) {
        if (!suite(int(i))) {
            resultat.interrompu = true;
            return resultat;
        }
        LettreFaite& faite = atelier.attendre(i);
        if (!faite.disposee) {
            resultat.erreur = echecPour(fiches[i], faite.raison);
            return resultat;
        }
        textes << faite.rtf;
        pages << fichier.ajouterLettre(*faite.disposee);
        faite.disposee.reset();
    }
    QString raison;
    if (!fichier.terminer(raison)) {
        resultat.erreur = QStringLiteral("Le fichier « %1 » n'a pas pu être enregistré : %2").arg(chemin, raison);
        return resultat;
    }
    resultat.fichiers << chemin;
    for (qsizetype i = 0; remise && i < fiches.size(); ++i)
        remise(i, textes[i], pages[i]);
    return resultat;
}
