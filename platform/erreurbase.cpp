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
