#include "store/personnes.h"

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
    // Ids are the database's rowids: any 64-bit value, negative ones too.
    qsizetype fin = texte.startsWith(QLatin1Char('-')) ? 1 : 0;
    const qsizetype debutChiffres = fin;
    while (fin < texte.size() && texte.at(fin) >= QLatin1Char('0') && texte.at(fin) <= QLatin1Char('9'))
        ++fin;
    if (fin == debutChiffres)
        return kAucunEnregistrement;
    bool ok = false;
    const RecordId valeur = texte.left(fin).toLongLong(&ok);
    return ok ? valeur : kAucunEnregistrement;
}
