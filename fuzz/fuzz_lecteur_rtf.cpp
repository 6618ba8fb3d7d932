// libFuzzer target: any bytes, read as an RTF file, must load into a
// document, lay out and be written back without crashing or hanging, and
// what the writer gives must read and write again to the same text.
#include "rtf.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nom[] = "fuzz_lecteur_rtf";
    static char* argv[] = {nom, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray octets(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    rtf::lireRtf(rtf::decoderFichier(octets), document);
    document.setTextWidth(600);
    (void)document.size();

    const QString premier = rtf::ecrireRtf(document);
    QTextDocument relu;
    if (!rtf::lireRtf(premier, relu))
        std::abort();
    const QString second = rtf::ecrireRtf(relu);
    if (premier != second) {
        std::fprintf(stderr, "écriture instable\n--- première\n%s\n--- seconde\n%s\n", qPrintable(premier),
                     qPrintable(second));
        std::abort();
    }
    return 0;
}
