// bench_rtf [MB]: generates a letter-like RTF document (a bold, italic or
// coloured run every 3 to 6 words, accents as \'hh, a paragraph every ~80
// characters), reads it into a QTextDocument and writes it back, and prints
// speeds, peak memory and how reading time grows with size (1, 10, 20 MB).
#include "rtf.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <sys/resource.h>

#include <ctime>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

QString lettre(qsizetype octets)
{
    static const char* const mots[] = {
        "Madame",      "Monsieur",        "nous",       "avons",    "l'honneur",   "de",
        "vous",        "informer",        "que",        "votre",    "demande",     "a",
        "\\'e9t\\'e9", "re\\'e7ue",       "et",         "sera",     "trait\\'e9e", "dans",
        "les",         "meilleurs",       "d\\'e9lais", "veuillez", "agr\\'e9er",  "nos",
        "salutations", "distingu\\'e9es", "pi\\'e8ce",  "jointe",   "r\\'e9ponse", "\\'e0",
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

// Time in seconds, on the wall clock and as processor time of this thread
// (the second is what other programs running at the same time don't change).
struct Duree {
    double murale = 0;
    double processeur = 0;
};

class Chrono {
public:
    Chrono()
    {
        m_mur.start();
        m_cpu = cpu();
    }
    Duree ecoule() const { return {m_mur.nsecsElapsed() / 1e9, cpu() - m_cpu}; }

private:
    static double cpu()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + t.tv_nsec / 1e9;
    }
    QElapsedTimer m_mur;
    double m_cpu;
};

Duree meilleure(Duree a, Duree b)
{
    return {std::min(a.murale, b.murale), std::min(a.processeur, b.processeur)};
}

// The same runs and paragraphs put into a new document with QTextCursor and
// nothing else: what Qt's own document costs, whoever feeds it.
Duree plancherQt(const QTextDocument& source)
{
    struct Morceau {
        QString texte;
        QTextCharFormat format;
        bool nouveauBloc;
    };
    std::vector<Morceau> morceaux;
    for (QTextBlock b = source.begin(); b.isValid(); b = b.next()) {
        bool premier = b != source.begin();
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            morceaux.push_back({it.fragment().text(), it.fragment().charFormat(), premier});
            premier = false;
        }
        if (premier)
            morceaux.push_back({QString(), b.charFormat(), true});
    }
    QTextDocument d;
    d.setUndoRedoEnabled(false);
    const Chrono c;
    QTextCursor curseur(&d);
    curseur.beginEditBlock();
    for (const Morceau& m : morceaux) {
        if (m.nouveauBloc)
            curseur.insertBlock(QTextBlockFormat(), m.format);
        if (!m.texte.isEmpty())
            curseur.insertText(m.texte, m.format);
    }
    curseur.endEditBlock();
    return c.ecoule();
}

long picMemoireKo()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss;
}

// Reading into a new document, as the letter area does when it is filled.
Duree lire(const QString& rtf, std::unique_ptr<QTextDocument>& document)
{
    document = std::make_unique<QTextDocument>();
    const Chrono c;
    rtf::lireRtf(rtf, *document);
    return c.ecoule();
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
    Duree lecture{1e9, 1e9};
    for (int i = 0; i < 3; ++i)
        lecture = meilleure(lecture, lire(texte, document));
    const long apresLecture = picMemoireKo();
    QString ecrit;
    Duree ecriture{1e9, 1e9};
    for (int i = 0; i < 3; ++i) {
        const Chrono c;
        ecrit = rtf::ecrireRtf(*document);
        ecriture = meilleure(ecriture, c.ecoule());
    }
    std::printf("Meilleur de 3, en temps mural / en temps processeur :\n");
    std::printf("Lecture  : %.2f s / %.2f s, %.1f / %.1f Mo/s\n", lecture.murale, lecture.processeur,
                taille / lecture.murale, taille / lecture.processeur);
    std::printf("Écriture : %.2f s / %.2f s, %.1f / %.1f Mo/s du RTF lu ; %.1f Mo écrits\n", ecriture.murale,
                ecriture.processeur, taille / ecriture.murale, taille / ecriture.processeur, ecrit.size() / M);
    const Duree plancher = plancherQt(*document);
    std::printf("Dont QTextDocument seul (mêmes morceaux insérés par QTextCursor) : %.2f s / %.2f s\n", plancher.murale,
                plancher.processeur);
    std::printf("Mémoire  : pic %ld Mo (dont %ld Mo pour le document et ses copies)\n", picMemoireKo() / 1024,
                (apresLecture - avant) / 1024);

    std::printf("Croissance de la lecture (temps processeur) :\n");
    double parMoDe1 = 0;
    for (const double n : {1.0, 10.0, 20.0}) {
        const QString rtf = lettre(qsizetype(n * M));
        std::unique_ptr<QTextDocument> d;
        Duree m{1e9, 1e9};
        for (int i = 0; i < 2; ++i)
            m = meilleure(m, lire(rtf, d));
        const double meilleur = m.processeur;
        const double parMo = meilleur / (rtf.size() / M);
        if (parMoDe1 == 0)
            parMoDe1 = parMo;
        std::printf("  %4.0f Mo : %.3f s, %.1f ms par Mo (x%.2f du cas 1 Mo) ; QTextDocument seul %.3f s\n", n,
                    meilleur, parMo * 1000, parMo / parMoDe1, plancherQt(*d).processeur);
    }
    return 0;
}
