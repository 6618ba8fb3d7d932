#include "support/basetemporaire.h"

#include "platform/emplacements.h"
#include "platform/collationfrancaise.h"
#include "platform/connexion.h"
#include "store/journal.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QtTest>
#include <sqlite3.h>

namespace {

void executerSur(const QString& chemin, const QByteArray& sql)
{
    sqlite3* base = nullptr;
    QVERIFY2(sqlite3_open(QFile::encodeName(chemin).constData(), &base) == SQLITE_OK, sqlite3_errmsg(base));
    enregistrerCollationFrancaise(base);
    char* erreur = nullptr;
    const int rc = sqlite3_exec(base, sql.constData(), nullptr, nullptr, &erreur);
    const QByteArray message = erreur ? QByteArray(erreur) : QByteArray();
    sqlite3_free(erreur);
    sqlite3_close(base);
    QVERIFY2(rc == SQLITE_OK, message.constData());
}

} // namespace

void creerBaseVide(const QString& chemin)
{
    QFile schema(QStringLiteral(TILVO_SOURCE_DIR "/store/schema.sql"));
    QVERIFY(schema.open(QIODevice::ReadOnly));
    executerSur(chemin, schema.readAll());
}

BaseTemporaire::BaseTemporaire()
{
    QStandardPaths::setTestModeEnabled(true);
    QDir(m_dossier.path()).mkdir(QStringLiteral("Save"));
    creerBaseVide(cheminBase());
    mdGeneral::DefinirDossierApplication(m_dossier.path());
    mdGeneral::OuvrirBase();
    // As at the program's start-up.
    preparerJournal();
}

BaseTemporaire::~BaseTemporaire()
{
    cnLettre().fermer();
    mdGeneral::DefinirDossierApplication(QString());
}

QString BaseTemporaire::cheminBase() const
{
    return m_dossier.path() + QStringLiteral("/Save/Lettre.mdb");
}

void executerSurFichier(const QString& chemin, const QString& sql)
{
    executerSur(chemin, sql.toUtf8());
}

void BaseTemporaire::executer(const QString& sql) const
{
    cnLettre().fermer();
    executerSur(cheminBase(), sql.toUtf8());
    mdGeneral::OuvrirBase();
}

int BaseTemporaire::entier(const QString& sql)
{
    QSqlQuery q(cnLettre().base());
    if (!q.exec(sql) || !q.next())
        qFatal("requête sans résultat : %s", qPrintable(sql));
    return q.value(0).toInt();
}
