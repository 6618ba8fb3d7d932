#include "store/personnes.h"

#include <limits>

QString libellePersonne(RecordId id, const QString& titre, const QString& nom, const QString& prenom)
{
    return QString::number(id) + QStringLiteral("- ") + nomComplet(titre, nom, prenom);
}

QString nomComplet(const QString& titre, const QString& nom, const QString& prenom)
{
    return titre + QLatin1Char(' ') + nom + QLatin1Char(' ') + prenom;
}

RecordId numeroEnTete(const QString& texte)
{
    qint64 valeur = 0;
    qsizetype i = 0;
    for (; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        valeur = valeur * 10 + (c.unicode() - u'0');
        if (valeur > std::numeric_limits<RecordId>::max())
            return kAucunEnregistrement;
    }
    return i == 0 ? kAucunEnregistrement : static_cast<RecordId>(valeur);
}
