#include "codepages.h"
#include "rtf.h"

#include <QByteArrayView>

namespace rtf {

namespace {

bool estLettre(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool estChiffre(char c)
{
    return c >= '0' && c <= '9';
}

// Code page that the document declares in its first control words.
int pageCodeDeclaree(QByteArrayView octets)
{
    const QByteArrayView debut = octets.first(qMin<qsizetype>(octets.size(), 4096));
    const qsizetype i = debut.indexOf("\\ansicpg");
    if (i >= 0) {
        qint64 n = 0;
        for (qsizetype k = i + 8; k < debut.size() && estChiffre(debut[k]) && n < 100000; ++k)
            n = n * 10 + (debut[k] - '0');
        if (n > 0)
            return int(n);
    }
    if (debut.indexOf("\\mac") >= 0)
        return 10000;
    if (debut.indexOf("\\pca") >= 0)
        return 850;
    if (debut.indexOf("\\pc") >= 0)
        return 437;
    return 1252;
}

} // namespace

QString decoderFichier(const QByteArray& fichier)
{
    // Some editors save RTF with a UTF-8 byte-order mark: it is not text.
    const QByteArray octets = fichier.startsWith("\xEF\xBB\xBF") ? fichier.sliced(3) : fichier;
    DecodeurPageCode decodeur(pageCodeDeclaree(octets));
    QString texte;
    texte.reserve(octets.size());
    const qsizetype n = octets.size();
    qsizetype debut = 0; // start of the bytes not yet decoded
    qsizetype i = 0;
    while (i < n) {
        if (octets[i] != '\\') {
            ++i;
            continue;
        }
        if (i + 1 < n && !estLettre(octets[i + 1])) {
            i += 2; // control symbol, \\ included
            continue;
        }
        qsizetype k = i + 1;
        while (k < n && estLettre(octets[k]))
            ++k;
        const bool bin = QByteArrayView(octets).sliced(i + 1, k - i - 1) == "bin";
        if (!bin) {
            i = k;
            continue;
        }
        // \binN: N bytes of data follow, to keep exactly as they are.
        const bool negatif = k < n && octets[k] == '-';
        if (negatif)
            ++k;
        qint64 longueur = 0;
        while (k < n && estChiffre(octets[k])) {
            if (longueur < n)
                longueur = longueur * 10 + (octets[k] - '0');
            ++k;
        }
        if (k < n && octets[k] == ' ')
            ++k;
        if (negatif)
            longueur = 0;
        longueur = qMin<qint64>(longueur, n - k);
        decodeur.decoder(QByteArrayView(octets).sliced(debut, k - debut), texte);
        for (qsizetype b = k; b < k + longueur; ++b)
            texte.append(QChar(char16_t(static_cast<unsigned char>(octets[b]))));
        i = debut = k + longueur;
    }
    decodeur.decoder(QByteArrayView(octets).sliced(debut), texte);
    return texte;
}

} // namespace rtf
