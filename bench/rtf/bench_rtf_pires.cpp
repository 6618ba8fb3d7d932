// bench_rtf_pires: the hardest RTF documents for their size (see
// pirescas.h), each measured in a process of its own so that peak memory is
// the case's own:
//   lecture : read into a document, as rtfcat text does;
//   zone    : loaded into a shown letter area (RichTextBox) until it is
//             painted, then until the whole text is laid out;
//   pdf     : read then printed to PDF through ImprimerRTF.
// Without arguments every case is measured in every way. Arguments:
//   bench_rtf_pires MANIERE CAS    one measure;
//   bench_rtf_pires ecrire CAS F   the case's document written to F.
#include "pirescas.h"

#include "output/impressionlettre.h"
#include "output/impressionrtf.h"
#include "platform/dialoguesqt.h"
#include "platform/imprimante.h"
#include "richtext/richtextbox.h"
#include "rtf.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>

#include <sys/resource.h>

#include <cstdio>

namespace {

double picMo()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss / 1024.0;
}

// Processor time of the process so far, in seconds: what other programs
// running at the same time do not change.
double processeur()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

// Prints "seconds processor-seconds peak-MB [more]" on one line for the
// parent to collect.
int mesurer(const QString& maniere, const QString& cas)
{
    const QString rtf = pirescas::generer(cas);
    if (rtf.isEmpty())
        return 2;
    // The file as the program gets it: bytes, then decoded.
    const QByteArray octets = rtf.toLatin1();
    QElapsedTimer chrono;
    if (maniere == u"lecture") {
        QTextDocument document;
        chrono.start();
        const double cpu = processeur();
        rtf::lireRtf(rtf::decoderFichier(octets), document);
        std::printf("%.2f %.2f %.0f %d\n", chrono.nsecsElapsed() / 1e9, processeur() - cpu, picMo(),
                    document.blockCount());
        return 0;
    }
    if (maniere == u"zone") {
        RichTextBox zone;
        zone.resize(700, 500);
        zone.show();
        QApplication::processEvents();
        chrono.start();
        const double cpu = processeur();
        zone.setTextRTF(rtf::decoderFichier(octets));
        QApplication::processEvents();
        zone.viewport()->repaint();
        const double affiche = chrono.nsecsElapsed() / 1e9;
        const double afficheCpu = processeur() - cpu;
        (void)zone.document()->documentLayout()->documentSize();
        std::printf("%.2f %.2f %.0f tout_disposé_%.2fs\n", affiche, afficheCpu, picMo(), chrono.nsecsElapsed() / 1e9);
        return 0;
    }
    if (maniere == u"pdf") {
        QTemporaryDir dossier;
        installerImprimantes(new ImprimantePdf(dossier.path()));
        installerDialogues(new DialoguesQt);
        chrono.start();
        const double cpu = processeur();
        RichTextBox zone;
        zone.setTextRTF(rtf::decoderFichier(octets));
        const Reussite imprime = ImprimerRTF(*zone.document(), kMargeGaucheLettre, kMargeHautLettre, kMargeDroiteLettre,
                                             kMargeBasLettre);
        const bool ok = imprime.ok();
        QString raison = imprime.raison();
        std::printf("%.2f %.2f %.0f %s\n", chrono.nsecsElapsed() / 1e9, processeur() - cpu, picMo(),
                    ok ? "ok" : qPrintable(raison.replace(u' ', u'_')));
        return 0;
    }
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == u"ecrire") {
        QFile f(args[2]);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write(pirescas::generer(args[1]).toLatin1());
        return 0;
    }
    if (args.size() == 2)
        return mesurer(args[0], args[1]);

    std::printf("Pires cas de RTF (une mesure par processus) : temps mural, temps processeur, pic mémoire\n");
    std::printf("%-14s %-8s %8s %8s %8s  %s\n", "cas", "manière", "s", "s proc.", "Mo", "détail");
    for (const QString& maniere : {QStringLiteral("lecture"), QStringLiteral("zone"), QStringLiteral("pdf")}) {
        for (const QString& cas : pirescas::noms()) {
            QProcess p;
            p.start(app.applicationFilePath(), {maniere, cas});
            p.waitForFinished(-1);
            const QStringList mesure = QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed().split(u' ');
            std::printf("%-14s %-8s %8s %8s %8s  %s\n", qPrintable(cas), qPrintable(maniere),
                        qPrintable(mesure.value(0)), qPrintable(mesure.value(1)), qPrintable(mesure.value(2)),
                        qPrintable(mesure.value(3)));
            std::fflush(stdout);
        }
    }
    return 0;
}
