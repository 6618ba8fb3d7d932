// Builds the delivered letter database from its text sources:
//   makedb SCHEMA.sql MANIFEST DOSSIER_CORPS SORTIE.mdb
// Only a missing SORTIE is created: an existing database may hold the user's
// work (edited or added models), and a build never replaces it. The file is
// built beside the output and renamed at the end, so an interrupted build
// never leaves a half-filled database behind.

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

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return echec(QStringLiteral("usage : makedb SCHEMA.sql MANIFESTE DOSSIER_CORPS SORTIE.mdb"));
    const QString sortie = args[4];
    if (QFile::exists(sortie))
        return 0;
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
    if (!QFile::rename(provisoire, sortie))
        return echec(QStringLiteral("impossible de créer %1").arg(sortie));
    return 0;
}
