#pragma once

#include "platform/connexion.h"
#include "platform/recordset.h"

#include <QStringList>
#include <QVariantList>
#include <vector>

// The record layer's statements on a PostgreSQL server (Recordset and
// Transaction choose them when the connection is a server's). Every failure
// throws ErreurBase with the server's reason; a lost connection is closed,
// for the next command to open again.
namespace serveur {

// The catalogue's query texts as PostgreSQL reads them: a text between
// double quotes, which SQLite takes as a literal, becomes a literal between
// single quotes, and each "?" outside a literal the next "$n".
QString dialecte(const QString& requete);

// Runs a query and collects its rows: absent values as null QVariants,
// integers as qlonglong, texts as QString ("" never null, exactly as
// stored), bytes as QByteArray. Column names come back in the server's lower
// case.
void lire(Connexion& connexion, const QString& requete, const QVariantList& parametres, QStringList& colonnes,
          std::vector<QVariantList>& lignes);

// Runs one INSERT, UPDATE or DELETE of `table`, in its own transaction
// unless one is under way, and announces a change to the other desktops.
// For an INSERT, `colonneId` names the column whose new value is returned.
struct Ecriture {
    RecordId nouvelId = kAucunEnregistrement;
    int lignes = 0; // rows the statement touched
};
Ecriture ecrire(Connexion& connexion, const QString& table, const QString& sql, const QVariantList& valeurs,
                const QString& colonneId = QString());

void commencer(Connexion& connexion);
void valider(Connexion& connexion);
void annuler(Connexion& connexion);

} // namespace serveur
