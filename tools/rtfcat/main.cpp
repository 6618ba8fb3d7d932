// rtfcat COMMAND FILE: reads an RTF file as the program does and prints
// what comes of it. Errors go to stderr, with a non-zero exit status.
#include "commandes.h"
#include "pdf.h"
#include "rtf.h"

#include <QApplication>
#include <QFile>
#include <QTextDocument>

#include <cstdio>
#include <cstring>

namespace {

void ecrireErreur(const QString& message)
{
    const QByteArray m = (QStringLiteral("rtfcat : ") + message + u'\n').toLocal8Bit();
    std::fwrite(m.constData(), 1, std::size_t(m.size()), stderr);
}

int usage()
{
    QString m = QStringLiteral(
        "usage : rtfcat COMMANDE FICHIER\n       rtfcat pdf FICHIER SORTIE.pdf : imprime la lettre en PDF\n");
    for (const CommandeRtfcat& c : commandesRtfcat())
        m += QStringLiteral("  %1 : %2\n").arg(QLatin1String(c.nom), QString::fromUtf8(c.aide));
    const QByteArray b = m.toLocal8Bit();
    std::fwrite(b.constData(), 1, std::size_t(b.size()), stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "pdf") == 0) {
        QFile rtf(QString::fromLocal8Bit(argv[2]));
        QString erreur;
        if (!rtf.open(QIODevice::ReadOnly))
            erreur = QStringLiteral("impossible de lire « %1 » : %2").arg(rtf.fileName(), rtf.errorString());
        else if (imprimerRtfEnPdf(rtf::decoderFichier(rtf.readAll()), QString::fromLocal8Bit(argv[3]), erreur))
            return 0;
        ecrireErreur(erreur);
        return 1;
    }
    if (argc != 3)
        return usage();
    const CommandeRtfcat* commande = nullptr;
    for (const CommandeRtfcat& c : commandesRtfcat()) {
        if (std::strcmp(c.nom, argv[1]) == 0)
            commande = &c;
    }
    if (!commande)
        return usage();

    const QString chemin = QString::fromLocal8Bit(argv[2]);
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) {
        ecrireErreur(QStringLiteral("impossible de lire « %1 » : %2").arg(chemin, fichier.errorString()));
        return 1;
    }
    const QByteArray octets = fichier.readAll();
    QTextDocument document;
    QString erreur;
    const bool estRtf = rtf::lireRtf(rtf::decoderFichier(octets), document, &erreur);
    QByteArray sortie;
    if (!commande->executer(document, sortie, erreur)) {
        ecrireErreur(erreur);
        return 1;
    }
    std::fwrite(sortie.constData(), 1, std::size_t(sortie.size()), stdout);
    if (!estRtf) {
        ecrireErreur(QStringLiteral("« %1 » : %2").arg(chemin, erreur));
        return 1;
    }
    return 0;
}
