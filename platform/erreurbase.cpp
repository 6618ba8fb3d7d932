#include "platform/erreurbase.h"

#include <sqlite3.h>

QString phraseErreurMoteur(int codeSqlite, const QString& motsMoteur)
{
    switch (codeSqlite & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("la base de données est occupée par un autre programme. Réessayez dans un moment.");
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral(
            "la base de données est en lecture seule : les modifications ne peuvent pas être enregistrées. "
            "Vérifiez les droits d'écriture sur le fichier et sur son dossier.");
    case SQLITE_CORRUPT: return QStringLiteral("le fichier de la base de données est endommagé.");
    case SQLITE_NOTADB:
        return QStringLiteral(
            "ce fichier n'est pas une base de données SQLite (une base Access d'un autre ordinateur ne peut pas être ouverte telle quelle).");
    case SQLITE_FULL: return QStringLiteral("le disque est plein. Libérez de la place, puis réessayez.");
    case SQLITE_CANTOPEN:
        return QStringLiteral("le fichier de la base de données ne peut pas être ouvert (absent, ou accès refusé).");
    case SQLITE_IOERR: return QStringLiteral("le disque n'a pas pu être lu ou écrit.");
    case SQLITE_TOOBIG: return QStringLiteral("une valeur est trop longue pour la base de données.");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("la base de données a refusé la valeur (règle de la base non respectée).");
    case SQLITE_SCHEMA:
        return QStringLiteral("la structure de la base de données a changé pendant l'opération. Réessayez.");
    default: break;
    }
    if (motsMoteur.contains(QLatin1String("no such table")) || motsMoteur.contains(QLatin1String("no such column")))
        return QStringLiteral(
            "la base de données ne contient pas une table ou une colonne dont le programme a besoin.");
    return QStringLiteral("la base de données a refusé l'opération.");
}

ErreurBase erreurMoteur(const QString& contexte, int codeSqlite, const QString& motsMoteur)
{
    return ErreurBase(contexte + QStringLiteral(" : ") + phraseErreurMoteur(codeSqlite, motsMoteur)
                      + QStringLiteral("\nDétail technique : ") + motsMoteur);
}

bool connexionPerdue(const QString& etatSql)
{
    return etatSql.isEmpty() || etatSql.startsWith(QLatin1String("08")) || etatSql == QLatin1String("57P01")
        || etatSql == QLatin1String("57P02") || etatSql == QLatin1String("57P03");
}

QString phraseErreurServeur(const QString& etatSql)
{
    const QString classe = etatSql.left(2);
    if (connexionPerdue(etatSql))
        return QStringLiteral("la connexion au serveur de la base de données a été perdue. "
                              "La prochaine commande essaiera de la rétablir.");
    if (etatSql == QLatin1String("42501") || classe == QLatin1String("28"))
        return QStringLiteral("le serveur n'accorde pas ce droit à votre utilisateur. "
                              "Demandez à la personne qui gère le serveur.");
    if (etatSql == QLatin1String("40001") || etatSql == QLatin1String("40P01") || etatSql == QLatin1String("55P03"))
        return QStringLiteral("un autre poste modifiait les mêmes données au même moment. Réessayez.");
    if (classe == QLatin1String("53"))
        return QStringLiteral("le serveur manque de place ou de ressources. Prévenez la personne qui le gère.");
    if (classe == QLatin1String("23") || classe == QLatin1String("22"))
        return QStringLiteral("la base de données a refusé la valeur (règle de la base non respectée).");
    if (etatSql == QLatin1String("42P01") || etatSql == QLatin1String("42703"))
        return QStringLiteral(
            "la base de données ne contient pas une table ou une colonne dont le programme a besoin.");
    if (etatSql == QLatin1String("25006"))
        return QStringLiteral("la base de données est en lecture seule : les modifications ne peuvent pas être "
                              "enregistrées.");
    return QStringLiteral("le serveur de la base de données a refusé l'opération.");
}

ErreurBase erreurServeur(const QString& contexte, const QString& etatSql, const QString& motsServeur)
{
    return ErreurBase(contexte + QStringLiteral(" : ") + phraseErreurServeur(etatSql)
                      + QStringLiteral("\nDétail technique : ") + motsServeur);
}
