// Letters to PDF: 1,000 personalised one-page letters written one file per
// recipient (both cores), then all in one file, through the same path as
// the window and the command line. Prints letters per second and seconds.
#include "output/composition.h"
#include "output/lotpdf.h"
#include "support/lettreessai.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

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
    const QString corps = QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs22 Nous avons le plaisir de vous "
                                         "inviter à notre réunion annuelle, qui se tiendra le 15 janvier à 18 heures "
                                         "dans la grande salle de la mairie.\\par}");
    return {TexteLettreEnNombre(s, corps), {s.objetLettre, QStringLiteral("Jean Martin"), false}, QStringLiteral("2026-12-08"),
            s.objetLettre};
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
    const ResultatLot unParUn = ecrireUnParDestinataire(lettres, fiches, dossier.path(), toujours);
    const double secondesUnParUn = chrono.nsecsElapsed() / 1e9;
    chrono.restart();
    const ResultatLot tous = ecrireTousEnUn(lettres, fiches, dossier.filePath(QStringLiteral("tous.pdf")), toujours);
    const double secondesTous = chrono.nsecsElapsed() / 1e9;
    if (!unParUn.erreur.isEmpty() || !tous.erreur.isEmpty() || unParUn.fichiers.size() != kLettres) {
        std::fprintf(stderr, "échec : %s%s\n", qPrintable(unParUn.erreur), qPrintable(tous.erreur));
        return 1;
    }
    std::printf("Un PDF par destinataire : %d lettres en %.2f s, %.0f lettres/s (%d fils)\n", kLettres, secondesUnParUn,
                kLettres / secondesUnParUn, QThread::idealThreadCount());
    std::printf("Un seul PDF de %d lettres : %.2f s\n", kLettres, secondesTous);
    return 0;
}
