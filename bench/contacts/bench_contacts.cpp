// 32,767 contacts from one vCard file and from one CSV file, through the
// import window: the time to read and preview the file (duplicates looked
// up in the book included, on an empty book and on one that already holds
// them all), the time to import every contact, and the
// process's peak resident memory. Each file is measured in a child process
// of its own, so that making the files does not count in its memory.
#include "import/contacts.h"
#include "import/csv.h"
#include "import/frmcontacts.h"
#include "import/modeleapercu.h"
#include "import/vcard.h"
#include "platform/dialogues.h"
#include "store/destinataires.h"
#include "support/basetemporaire.h"
#include "support/dialoguesscriptes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>

namespace {

constexpr int kContacts = 32767;

const QStringList kNoms{"Martin", "Bernard",  "Lefèvre",   "Müller", "d'Estienne",
                        "Guérin", "François", "Chevalier", "Roux",   "Dupont"};
const QStringList kPrenoms{"Émilie", "Jean-Paul", "Anaïs", "Zoé", "Luc", "Hélène", "Noël", "Chloé", "Marc", "Inès"};

std::vector<Contact> contacts()
{
    std::vector<Contact> liste;
    liste.reserve(kContacts);
    for (int i = 0; i < kContacts; ++i) {
        Contact c;
        c.titre = i % 2 ? QStringLiteral("Madame") : QStringLiteral("Monsieur");
        c.nom = kNoms.at(i % kNoms.size()) + QString::number(i);
        c.prenom = kPrenoms.at((i / 10) % kPrenoms.size());
        c.adresse1 = QStringLiteral("%1, rue de l'Église").arg(i % 200);
        c.adresse2 = i % 3 ? QString() : QStringLiteral("Bâtiment B; escalier \"C\"");
        c.cp = QStringLiteral("%1").arg(10000 + i % 85000, 5, 10, QLatin1Char('0'));
        c.ville = QStringLiteral("Saint-Étienne");
        c.fonction = QStringLiteral("Trésorier");
        c.mail = QStringLiteral("contact%1@exemple.fr").arg(i);
        liste.push_back(c);
    }
    return liste;
}

long memoireMaximaleKo()
{
    QFile f(QStringLiteral("/proc/self/status"));
    f.open(QIODevice::ReadOnly);
    for (const QByteArray& ligne : f.readAll().split('\n')) {
        if (ligne.startsWith("VmHWM:"))
            return ligne.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

int mesurer(const QString& chemin)
{
    BaseTemporaire base;
    installerDialoguesScriptes();
    FrmContacts fenetre;
    fenetre.show();
    QElapsedTimer minuteur;
    minuteur.start();
    fenetre.chargerFichier(chemin);
    QApplication::processEvents();
    const qint64 apercu = minuteur.elapsed();
    const int lignes = fenetre.findChild<QTreeView*>(QStringLiteral("lsvApercu"))->model()->rowCount();
    minuteur.restart();
    fenetre.findChild<QPushButton*>(QStringLiteral("cmdImporter"))->click();
    QApplication::processEvents();
    const qint64 import = minuteur.elapsed();
    // The same file again: every contact is now looked up among as many.
    minuteur.restart();
    fenetre.chargerFichier(chemin);
    QApplication::processEvents();
    const qint64 apercuPlein = minuteur.elapsed();
    std::printf(
        "%s: %d contacts lus, %zu importés; lecture et aperçu %lld ms (%lld ms sur le carnet plein), importation %lld ms, "
        "mémoire maximale %ld Mo\n",
        qPrintable(chemin.section(QLatin1Char('.'), -1)), lignes, tousLesDestinataires().size(), apercu, apercuPlein,
        import, memoireMaximaleKo() / 1024);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--mesurer")
        return mesurer(QString::fromLocal8Bit(argv[2]));

    QTemporaryDir dossier;
    const std::vector<Contact> liste = contacts();
    const std::vector<std::pair<QString, QByteArray>> fichiers{
        {dossier.filePath(QStringLiteral("contacts.vcf")), ecrireVCards(liste)},
        {dossier.filePath(QStringLiteral("contacts.csv")), ecrireCsv(liste, champsDuCarnet(Carnet::Destinataires))},
    };
    for (const auto& [chemin, octets] : fichiers) {
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size())
            return 1;
        f.close();
        std::printf("%s: %.1f Mo\n", qPrintable(QFileInfo(chemin).fileName()), double(octets.size()) / (1024 * 1024));
        std::fflush(stdout);
        QProcess enfant;
        enfant.setProcessChannelMode(QProcess::ForwardedChannels);
        enfant.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--mesurer"), chemin});
        enfant.waitForFinished(-1);
    }
    return 0;
}
