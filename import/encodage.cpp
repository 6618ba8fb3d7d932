#include "import/encodage.h"

#include "platform/windows1252.h"

#include <QStringDecoder>

QString decoderTexte(const QByteArray& octets)
{
    if (octets.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(octets.mid(3));
    if (octets.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(QByteArrayView(octets).sliced(2));
    if (octets.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(QByteArrayView(octets).sliced(2));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texte = utf8.decode(octets);
    if (!utf8.hasError())
        return texte;
    return depuisWindows1252(octets);
}

QString decoderJeu(const QByteArray& octets, const QString& jeu)
{
    const QString cle = jeu.toLower();
    if (cle == QLatin1String("windows-1252") || cle == QLatin1String("cp1252") || cle == QLatin1String("iso-8859-1")
        || cle == QLatin1String("latin1"))
        return depuisWindows1252(octets);
    QStringDecoder decodeur(jeu.toLatin1().constData());
    if (!decodeur.isValid())
        return QString::fromUtf8(octets);
    return decodeur.decode(octets);
}

bool sembleBinaire(const QString& texte)
{
    // Tab, line feed and carriage return are the only controls of a text.
    const qsizetype limite = qMin<qsizetype>(texte.size(), 65536);
    for (qsizetype i = 0; i < limite; ++i) {
        const char16_t u = texte.at(i).unicode();
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != 0x0C)
            return true;
    }
    return false;
}
