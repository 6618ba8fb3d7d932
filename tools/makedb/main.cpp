// Builds the delivered letter database from its text sources:
//   makedb SCHEMA.sql MANIFEST DOSSIER_CORPS SORTIE.mdb
// The file is built beside the output and renamed over it at the end, so an
// interrupted build never leaves a half-filled database behind. A database
// that already holds the user's senders or recipients is left alone.

#include "platform/collationfrancaise.h"
#include "platform/connexion.h"
#include "store/chargementcatalogue.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <sqlite3.h>

namespace {

int echec(const QString& message)
{
    QTextStream(stderr) << "makedb : " << message << Qt::endl;
    return 1;
}

QString creerSchema(const QString& cheminSchema, const QString& cheminBase)
{
    QFile schema(cheminSchema);
    if (!schema.open(QIODevice::ReadOnly))
        return QStringLiteral("lecture de %1 impossible : %2").arg(cheminSchema, schema.errorString());
    const QByteArray sql = schema.readAll();

    sqlite3* base = nullptr;
    const QByteArray chemin = QFile::encodeName(cheminBase);
    QString probleme;
    if (sqlite3_open_v2(chemin.constData(), &base, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        probleme = QString::fromUtf8(sqlite3_errmsg(base));
    else if (!enregistrerCollationFrancaise(base))
        probleme = QStringLiteral("ordre de tri français refusé");
    else if (sqlite3_exec(base, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        probleme = QString::fromUtf8(sqlite3_errmsg(base));
    sqlite3_close(base);
    return probleme;
}

} // namespace

// Rows the user typed (senders, recipients) in an existing database; such a
// database is never replaced by the build.
int lignesUtilisateur(const QString& chemin)
{
    if (!QFile::exists(chemin))
        return 0;
    sqlite3* base = nullptr;
    int total = 0;
    if (sqlite3_open_v2(QFile::encodeName(chemin).constData(), &base, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* requete = nullptr;
        if (sqlite3_prepare_v2(base, "SELECT (SELECT count(*) FROM Expediteur) + (SELECT count(*) FROM Destinataire)", -1, &requete, nullptr) == SQLITE_OK
            && sqlite3_step(requete) == SQLITE_ROW)
            total = sqlite3_column_int(requete, 0);
        sqlite3_finalize(requete);
    }
    sqlite3_close(base);
    return total;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return echec(QStringLiteral("usage : makedb SCHEMA.sql MANIFESTE DOSSIER_CORPS SORTIE.mdb"));
    const QString sortie = args[4];
    const QString provisoire = sortie + QStringLiteral(".provisoire");
    QFile::remove(provisoire);

    if (const QString p = creerSchema(args[1], provisoire); !p.isEmpty())
        return echec(p);
    {
        Connexion connexion(QStringLiteral("makedb"));
        try {
            connexion.ouvrir(provisoire);
        } catch (const std::exception& e) {
            return echec(QString::fromStdString(e.what()));
        }
        if (const QString p = chargerCatalogue(connexion, args[2], args[3]); !p.isEmpty())
            return echec(p);
    }
    if (const int n = lignesUtilisateur(sortie); n > 0) {
        QFile::remove(provisoire);
        QTextStream(stderr) << "makedb : " << sortie << " contient " << n
                            << " expéditeurs et destinataires saisis ; elle est conservée telle quelle." << Qt::endl;
        return 0;
    }
    QFile::remove(sortie);
    if (!QFile::rename(provisoire, sortie))
        return echec(QStringLiteral("impossible de créer %1").arg(sortie));
    return 0;
}
