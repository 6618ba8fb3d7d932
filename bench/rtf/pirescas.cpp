#include "pirescas.h"

namespace pirescas {

namespace {

const QString kEntete = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\pard\\fs22 ");

// 20,000 fonts in the table, each used by one run.
QString polices()
{
    constexpr int n = 20000;
    QString s = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl");
    for (int i = 0; i < n; ++i)
        s += QStringLiteral("{\\f%1\\fnil Police %1;}").arg(i);
    s += u'}';
    for (int i = 0; i < n; ++i) {
        s += QStringLiteral("{\\f%1 mot%1 }").arg(i);
        if (i % 8 == 7)
            s += QStringLiteral("\\par\n");
    }
    return s + u'}';
}

// 200,000 runs, each in a colour of its own.
QString couleurs()
{
    constexpr int n = 200000;
    QString s = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl ;");
    for (int i = 0; i < n; ++i)
        s += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(i & 0xFF).arg((i >> 8) & 0xFF).arg(i >> 16);
    s += u'}';
    for (int i = 1; i <= n; ++i) {
        s += QStringLiteral("{\\cf%1 mot} ").arg(i);
        if (i % 10 == 0)
            s += QStringLiteral("\\par\n");
    }
    return s + u'}';
}

// A million bold on/off pairs with text, in paragraphs of 50 pairs: 10 MB.
QString bascules()
{
    QString s = kEntete;
    s.reserve(11 * 1000 * 1000);
    for (int i = 1; i <= 1000000; ++i) {
        s += QStringLiteral("\\b a\\b0 b ");
        if (i % 50 == 0)
            s += QStringLiteral("\\par\n");
    }
    return s + u'}';
}

// The same million pairs in one paragraph.
QString basculesUnParagraphe()
{
    QString s = kEntete;
    s.reserve(11 * 1000 * 1000);
    for (int i = 0; i < 1000000; ++i)
        s += QStringLiteral("\\b a\\b0 b ");
    return s + u'}';
}

// A million empty paragraphs: 5 MB.
QString paragraphes()
{
    QString s = kEntete;
    s.reserve(5 * 1000 * 1000 + 100);
    for (int i = 0; i < 1000000; ++i)
        s += QStringLiteral("\\par\n");
    return s + u'}';
}

// 40,000 rows of 10 cells, every other cell empty: 10 MB.
QString cellules()
{
    QString ligne = QStringLiteral("\\trowd");
    for (int c = 1; c <= 10; ++c)
        ligne += QStringLiteral("\\cellx%1").arg(c * 900);
    for (int c = 0; c < 10; ++c)
        ligne += c % 2 ? QStringLiteral("\\intbl\\cell ") : QStringLiteral("\\intbl x\\cell ");
    ligne += QStringLiteral("\\row\n");
    QString s = kEntete;
    s.reserve(ligne.size() * 40000 + 100);
    for (int i = 0; i < 40000; ++i)
        s += ligne;
    return s + u'}';
}

// An ordinary letter of 10 MB: paragraphs of some 400 characters, a word
// in bold or italics here and there.
QString lettre()
{
    const QString phrase = QStringLiteral(
        "Nous avons l'honneur de vous informer que votre demande a \\'e9t\\'e9 re\\'e7ue et sera "
        "{\\b trait\\'e9e} dans les meilleurs d\\'e9lais. ");
    const QString paragraphe = phrase.repeated(3) + QStringLiteral("{\\i Veuillez agr\\'e9er} nos salutations.\\par\n");
    QString s = kEntete;
    s.reserve(10 * 1000 * 1000 + paragraphe.size());
    while (s.size() < 10 * 1000 * 1000)
        s += paragraphe;
    return s + u'}';
}

} // namespace

QStringList noms()
{
    return {QStringLiteral("lettre"),   QStringLiteral("polices"),       QStringLiteral("couleurs"),
            QStringLiteral("bascules"), QStringLiteral("bascules-1par"), QStringLiteral("paragraphes"),
            QStringLiteral("cellules")};
}

QString generer(const QString& nom)
{
    if (nom == u"lettre")
        return lettre();
    if (nom == u"polices")
        return polices();
    if (nom == u"couleurs")
        return couleurs();
    if (nom == u"bascules")
        return bascules();
    if (nom == u"bascules-1par")
        return basculesUnParagraphe();
    if (nom == u"paragraphes")
        return paragraphes();
    if (nom == u"cellules")
        return cellules();
    return QString();
}

} // namespace pirescas
