// bench_rtf [MB]: generates a letter-like RTF document (a bold, italic or
// coloured run every 3 to 6 words, accents as \'hh, a paragraph every ~80
// characters), reads it into a QTextDocument and writes it back, and prints
// speeds, peak memory and how reading time grows with size (1, 10, 20 MB).
#include "rtf.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTextDocument>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

namespace {

QString lettre(qsizetype octets)
{
    static const char* const mots[] = {
        "Madame", "Monsieur", "nous", "avons", "l'honneur", "de", "vous", "informer", "que",
        "votre", "demande", "a", "\\'e9t\\'e9", "re\\'e7ue", "et", "sera", "trait\\'e9e",
        "dans", "les", "meilleurs", "d\\'e9lais", "veuillez", "agr\\'e9er", "nos",
        "salutations", "distingu\\'e9es", "pi\\'e8ce", "jointe", "r\\'e9ponse", "\\'e0",
    };
    const char* const styles[] = {"\\b ", "\\i ", "\\cf1 ", "\\ul "};
    QRandomGenerator alea(42);
    QString s = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
        "{\\f1\\froman\\fcharset0 Times New Roman;}}{\\colortbl ;\\red0\\green0\\blue200;}\n"
        "\\viewkind4\\uc1\\pard\\f0\\fs22 ");
    s.reserve(octets + 1024);
    int avantStyle = 4;
    int ligne = 0;
    while (s.size() < octets) {
        const char* mot = mots[alea.bounded(int(std::size(mots)))];
        if (--avantStyle == 0) {
            s += u'{';
            s += QLatin1String(styles[alea.bounded(4)]);
            s += QLatin1String(mot);
            s += u'}';
            avantStyle = 3 + alea.bounded(4);
        } else {
            s += QLatin1String(mot);
        }
        s += u' ';
        ligne += int(qstrlen(mot)) + 1;
        if (ligne > 80) {
            s += QStringLiteral("\\par\n");
            ligne = 0;
        }
    }
    s += u'}';
    return s;
}

long picMemoireKo()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss;
}

// Reading into a new document, as the letter area does when it is filled.
double lire(const QString& rtf, std::unique_ptr<QTextDocument>& document)
{
    document = std::make_unique<QTextDocument>();
    QElapsedTimer t;
    t.start();
    rtf::lireRtf(rtf, *document);
    return t.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const double mo = argc > 1 ? QByteArray(argv[1]).toDouble() : 10.0;
    constexpr double M = 1024.0 * 1024.0;

    const QString texte = lettre(qsizetype(mo * M));
    const double taille = texte.size() / M;
    std::printf("Document généré : %.1f Mo, %lld paragraphes\n", taille,
                static_cast<long long>(texte.count(QStringLiteral("\\par"))));
    const long avant = picMemoireKo();

    std::unique_ptr<QTextDocument> document;
    double meilleureLecture = 1e9;
    for (int i = 0; i < 3; ++i)
        meilleureLecture = std::min(meilleureLecture, lire(texte, document));
    const long apresLecture = picMemoireKo();
    QString ecrit;
    QElapsedTimer t;
    double meilleureEcriture = 1e9;
    for (int i = 0; i < 3; ++i) {
        t.start();
        ecrit = rtf::ecrireRtf(*document);
        meilleureEcriture = std::min(meilleureEcriture, t.nsecsElapsed() / 1e9);
    }
    std::printf("Lecture  : %.2f s, %.1f Mo/s (meilleur de 3)\n", meilleureLecture, taille / meilleureLecture);
    std::printf("Écriture : %.2f s, %.1f Mo/s du RTF lu ; %.1f Mo écrits\n", meilleureEcriture,
                taille / meilleureEcriture, ecrit.size() / M);
    std::printf("Mémoire  : pic %ld Mo (dont %ld Mo pour le document et ses copies)\n",
                picMemoireKo() / 1024, (apresLecture - avant) / 1024);

    std::printf("Croissance de la lecture :\n");
    double parMoDe1 = 0;
    for (const double n : {1.0, 10.0, 20.0}) {
        const QString rtf = lettre(qsizetype(n * M));
        std::unique_ptr<QTextDocument> d;
        double meilleur = 1e9;
        for (int i = 0; i < 2; ++i)
            meilleur = std::min(meilleur, lire(rtf, d));
        const double parMo = meilleur / (rtf.size() / M);
        if (parMoDe1 == 0)
            parMoDe1 = parMo;
        std::printf("  %4.0f Mo : %.3f s, %.1f ms par Mo (x%.2f du cas 1 Mo)\n", n, meilleur, parMo * 1000,
                    parMo / parMoDe1);
    }
    return 0;
}
