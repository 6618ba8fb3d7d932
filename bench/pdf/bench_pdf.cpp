// Letters to PDF: 1,000 personalised one-page letters written one file per
// recipient (every core), then all in one file, through the same path as
// the window and the command line. Prints letters per second and seconds;
// when LibreOffice is installed, times its headless conversion of the same
// letters (RTF files) and prints how many times faster ours is.
#include "output/composition.h"
#include "output/lotpdf.h"
#include "support/lettreessai.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <optional>
#include <sys/resource.h>

namespace {

constexpr int kLettres = 1000;

QList<FicheDestinataire> destinataires()
{
    QList<FicheDestinataire> fiches;
    for (int i = 1; i <= kLettres; ++i) {
        FicheDestinataire f;
        f.titre = QStringLiteral("Madame");
        f.nom = QStringLiteral("Nom%1").arg(i);
        f.prenom = QStringLiteral("Prénom%1").arg(i);
        f.adresse1 = QStringLiteral("%1 rue des Lilas").arg(i);
        f.cp = QStringLiteral("75%1").arg(i % 1000, 3, 10, QLatin1Char('0'));
        f.ville = QStringLiteral("Paris");
        fiches << f;
    }
    return fiches;
}

LotPdf lot()
{
    SaisieLettre s = saisieComplete();
    s.objetLettre = QStringLiteral("Invitation");
    s.formuleLettre = QStringLiteral("Je vous prie d'agréer, <TitreDest>, mes salutations distinguées.");
    const QString corps = QStringLiteral(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs22 Nous avons le plaisir de vous "
        "inviter à notre réunion annuelle, qui se tiendra le 15 janvier à 18 heures "
        "dans la grande salle de la mairie.\\par}");
    return {TexteLettreEnNombre(s, corps),
            {s.objetLettre, QStringLiteral("Jean Martin"), false},
            QStringLiteral("2026-12-08"),
            s.objetLettre};
}

// LibreOffice's headless conversion of the same letters, in seconds; none
// when it is not installed or fails. A run of soffice here stops, without
// an error, after some 250 files: it is started again on the files left.
std::optional<double> secondesLibreOffice(const LotPdf& lot, const QList<FicheDestinataire>& fiches)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        return std::nullopt;
    QTemporaryDir dossier;
    const QString sorties = dossier.filePath(QStringLiteral("pdf"));
    QStringList restantes;
    for (qsizetype i = 0; i < fiches.size(); ++i) {
        restantes << dossier.filePath(QStringLiteral("lettre%1.rtf").arg(i));
        QFile fichier(restantes.last());
        if (!fichier.open(QIODevice::WriteOnly)
            || fichier.write(lettrePour(lot.lettreEnNombre, fiches[i]).toUtf8()) < 0)
            return std::nullopt;
    }
    QElapsedTimer chrono;
    chrono.start();
    while (!restantes.isEmpty()) {
        QProcess libreOffice;
        libreOffice.start(soffice,
                          QStringList{QStringLiteral("-env:UserInstallation=file://")
                                          + dossier.filePath(QStringLiteral("profil")),
                                      QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                      QStringLiteral("pdf"), QStringLiteral("--outdir"), sorties}
                              + restantes);
        if (!libreOffice.waitForFinished(30 * 60 * 1000) || libreOffice.exitCode() != 0) {
            std::fprintf(stderr, "LibreOffice : %s\n", libreOffice.readAllStandardError().right(2000).constData());
            return std::nullopt;
        }
        const qsizetype avant = restantes.size();
        restantes.removeIf([&](const QString& rtf) {
            return QFileInfo::exists(
                QDir(sorties).filePath(QFileInfo(rtf).completeBaseName() + QStringLiteral(".pdf")));
        });
        if (restantes.size() == avant)
            return std::nullopt;
    }
    return chrono.nsecsElapsed() / 1e9;
}

// Processor time used by the whole process so far, every thread counted.
double secondesProcesseur()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QList<FicheDestinataire> fiches = destinataires();
    const LotPdf lettres = lot();
    const auto toujours = [](int) { return true; };

    QTemporaryDir dossier;
    QElapsedTimer chrono;
    chrono.start();
    double processeur = secondesProcesseur();
    const ResultatLot unParUn = ecrireUnParDestinataire(lettres, fiches, dossier.path(), toujours);
    const double secondesUnParUn = chrono.nsecsElapsed() / 1e9;
    const double processeurUnParUn = secondesProcesseur() - processeur;
    chrono.restart();
    processeur = secondesProcesseur();
    const ResultatLot tous = ecrireTousEnUn(lettres, fiches, dossier.filePath(QStringLiteral("tous.pdf")), toujours);
    const double secondesTous = chrono.nsecsElapsed() / 1e9;
    const double processeurTous = secondesProcesseur() - processeur;
    if (!unParUn.erreur.isEmpty() || !tous.erreur.isEmpty() || unParUn.fichiers.size() != kLettres) {
        std::fprintf(stderr, "échec : %s%s\n", qPrintable(unParUn.erreur), qPrintable(tous.erreur));
        return 1;
    }
    if (qEnvironmentVariableIsSet("BENCH_GARDER"))
        QFile::copy(unParUn.fichiers.first(), qEnvironmentVariable("BENCH_GARDER"));
    // The processor time tells what the machine can do when other programs
    // share it: the letters of a second of every core.
    std::printf("Un PDF par destinataire : %d lettres en %.2f s, %.0f lettres/s (%d cœurs) ; "
                "%.2f ms de processeur par lettre\n",
                kLettres, secondesUnParUn, kLettres / secondesUnParUn, QThread::idealThreadCount(),
                processeurUnParUn * 1000 / kLettres);
    std::printf("Un seul PDF de %d lettres : %.2f s ; %.2f s de processeur\n", kLettres, secondesTous, processeurTous);
    if (qEnvironmentVariableIsSet("BENCH_SANS_LIBREOFFICE"))
        return 0;
    if (const auto libreOffice = secondesLibreOffice(lettres, fiches))
        std::printf("LibreOffice (soffice --headless --convert-to pdf) : %d lettres en %.1f s, %.1f lettres/s ; "
                    "un PDF par destinataire %.1f fois plus rapide\n",
                    kLettres, *libreOffice, kLettres / *libreOffice, *libreOffice / secondesUnParUn);
    else
        std::printf("LibreOffice absent (ou en échec) : pas de comparaison\n");
    return 0;
}
