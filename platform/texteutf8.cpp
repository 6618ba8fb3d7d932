#include "platform/texteutf8.h"

#include <QStringDecoder>

QByteArray versUtf8(const QString& texte, bool sansNul)
{
    QString copie;
    const auto remplacer = [&](qsizetype i) {
        if (copie.isNull())
            copie = texte;
        copie[i] = QChar::ReplacementCharacter;
    };
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (sansNul && c.isNull()) {
            remplacer(i);
            continue;
        }
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && i + 1 < texte.size() && texte.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        remplacer(i);
    }
    return (copie.isNull() ? texte : copie).toUtf8();
}

QString depuisUtf8(const char* octets, qsizetype longueur)
{
    QStringDecoder decodeur(QStringDecoder::Utf8,
                            QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    return decodeur.decode(QByteArrayView(octets, longueur));
}
