#include "platform/connexion.h"

#include "platform/collationfrancaise.h"
#include "platform/erreurbase.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <sqlite3.h>

namespace {

// How long a save waits for another program that holds the file.
constexpr int kAttenteVerrouMs = 5000;

sqlite3* poigneeSqlite(const QSqlDatabase& base)
{
    const QVariant v = base.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

QString contexteOuverture(const QString& chemin)
{
    return QStringLiteral("Impossible d'ouvrir la base de données « %1 »").arg(chemin);
}

QString messageOuverture(const QString& chemin, const QString& raison)
{
    return contexteOuverture(chemin) + QStringLiteral(" : ") + raison;
}

// Runs one statement, collecting the first column of its rows; returns the
// engine's result code.
int executer(sqlite3* base, const char* sql, QStringList* lignes = nullptr)
{
    const auto recevoir = [](void* cible, int, char** valeurs, char**) {
        if (cible)
            *static_cast<QStringList*>(cible) << QString::fromUtf8(valeurs[0] ? valeurs[0] : "");
        return 0;
    };
    return sqlite3_exec(base, sql, recevoir, lignes, nullptr);
}

// Commits append to a write-ahead log, one flush to disk each (the rollback
// journal costs three), and every commit is still on disk when it returns
// (synchronous=FULL). Between two runs the file is a single file again, the
// log folded back into it. A file that stays in rollback mode (busy, or on
// a file system without shared memory) works as before.
void journalisationRapide(sqlite3* base, bool active)
{
    sqlite3_busy_timeout(base, 0);
    executer(base, active ? "PRAGMA journal_mode=WAL" : "PRAGMA journal_mode=DELETE");
    sqlite3_busy_timeout(base, kAttenteVerrouMs);
}

} // namespace

Connexion::Connexion(QString nom) : m_nom(std::move(nom))
{
}

Connexion::~Connexion()
{
    fermer();
}

QSqlDatabase Connexion::base() const
{
    return QSqlDatabase::database(m_nom, false);
}

sqlite3* Connexion::poignee() const
{
    return estOuverte() ? poigneeSqlite(base()) : nullptr;
}

qint64 Connexion::modifications() const
{
    if (m_serveur)
        return m_ecritures;
    sqlite3* p = poignee();
    return p ? sqlite3_total_changes64(p) : 0;
}

bool Connexion::enTransaction() const
{
    if (m_serveur)
        return m_transactionServeur && estOuverte();
    sqlite3* p = poignee();
    return p && !sqlite3_get_autocommit(p);
}

bool Connexion::estOuverte() const
{
    return QSqlDatabase::contains(m_nom) && base().isOpen();
}

bool Connexion::estEnLectureSeule() const
{
    sqlite3* p = poignee();
    return p && sqlite3_db_readonly(p, "main") == 1;
}

bool Connexion::retablir()
{
    if (estOuverte())
        return false;
    // A server connection that went while idle is tried again too.
    if (m_serveur && QSqlDatabase::contains(m_nom))
        m_nouvelEssai = true;
    if (!m_nouvelEssai)
        throw ErreurBase(QStringLiteral("La base de données n'est pas ouverte."));
    try {
        if (m_serveur)
            ouvrirServeur(m_parametres, m_motDePasse);
        else
            ouvrir(m_chemin, m_acces);
    } catch (const ErreurBase&) {
        m_nouvelEssai = true;
        throw;
    }
    return true;
}

void Connexion::prevoirNouvelEssai()
{
    m_nouvelEssai = !estOuverte() && !m_chemin.isEmpty();
}

void Connexion::fermer()
{
    m_nouvelEssai = false;
    fermerConnexion();
}

void Connexion::fermerConnexion()
{
    if (!QSqlDatabase::contains(m_nom))
        return;
    if (sqlite3* p = poignee(); p && !sqlite3_db_readonly(p, "main"))
        journalisationRapide(p, false);
    {
        QSqlDatabase b = base();
        b.close();
    }
    QSqlDatabase::removeDatabase(m_nom);
    m_transactionServeur = false;
}

void Connexion::ouvrir(const QString& chemin, Acces acces)
{
    fermerConnexion();
    m_nouvelEssai = false;
    m_serveur = false;
    m_chemin = chemin;
    m_acces = acces;
    const QFileInfo info(chemin);
    if (!info.exists())
        throw ErreurBase(messageOuverture(chemin, QStringLiteral("le fichier n'existe pas.")));
    if (!info.isFile())
        throw ErreurBase(messageOuverture(chemin, QStringLiteral("ce n'est pas un fichier.")));

    {
        QSqlDatabase b = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nom);
        // mode=rw opens the file for reading and writing but never creates it.
        QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
        url.setQuery(acces == Acces::LectureSeule ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw"));
        b.setDatabaseName(url.toString(QUrl::FullyEncoded));
        b.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kAttenteVerrouMs));
        if (!b.open()) {
            const QSqlError e = b.lastError();
            fermerConnexion();
            throw erreurMoteur(contexteOuverture(chemin), e.nativeErrorCode().toInt(), e.databaseText());
        }
    }

    sqlite3* p = poigneeSqlite(base());
    QString raison;
    QStringList problemes;
    if (!p || !enregistrerCollationFrancaise(p)) {
        raison = QStringLiteral("le moteur SQLite n'a pas accepté l'ordre de tri français.");
    } else if (executer(p, "PRAGMA quick_check", &problemes) != SQLITE_OK
               || executer(p, "PRAGMA synchronous=FULL") != SQLITE_OK) {
        const ErreurBase e = erreurMoteur(contexteOuverture(chemin), sqlite3_extended_errcode(p),
                                          QString::fromUtf8(sqlite3_errmsg(p)));
        fermerConnexion();
        throw e;
    } else if (problemes != QStringList{QStringLiteral("ok")}) {
        raison = QStringLiteral("le fichier est endommagé (%1).").arg(problemes.join(QStringLiteral("; ")));
    }
    if (!raison.isEmpty()) {
        fermerConnexion();
        throw ErreurBase(messageOuverture(chemin, raison));
    }
    if (acces == Acces::LectureEcriture && !sqlite3_db_readonly(p, "main"))
        journalisationRapide(p, true);
}

Connexion& cnLettre()
{
    // Lives until the process ends, past the destruction of Qt's own
    // connection registry, so it is never destroyed.
    static Connexion* connexion = new Connexion(QStringLiteral("cnLettre"));
    return *connexion;
}
