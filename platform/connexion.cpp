#include "platform/connexion.h"

#include "platform/collationfrancaise.h"
#include "platform/erreurbase.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
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

QString messageOuverture(const QString& chemin, const QString& raison)
{
    return QStringLiteral("Impossible d'ouvrir la base de données « %1 » : %2").arg(chemin, raison);
}

} // namespace

Connexion::Connexion(QString nom) : m_nom(std::move(nom)) {}

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
    sqlite3* p = poignee();
    return p ? sqlite3_total_changes64(p) : 0;
}

bool Connexion::estOuverte() const
{
    return QSqlDatabase::contains(m_nom) && base().isOpen();
}

void Connexion::fermer()
{
    if (!QSqlDatabase::contains(m_nom))
        return;
    {
        QSqlDatabase b = base();
        b.close();
    }
    QSqlDatabase::removeDatabase(m_nom);
}

void Connexion::ouvrir(const QString& chemin, Acces acces)
{
    fermer();
    m_chemin = chemin;
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
            const QString raison = b.lastError().driverText() + QStringLiteral(" (") + b.lastError().databaseText() + QStringLiteral(")");
            fermer();
            throw ErreurBase(messageOuverture(chemin, raison));
        }
    }

    QString raison;
    {
        QSqlDatabase b = base();
        sqlite3* poignee = poigneeSqlite(b);
        QSqlQuery q(b);
        if (!poignee || !enregistrerCollationFrancaise(poignee)) {
            raison = QStringLiteral("le moteur SQLite n'a pas accepté l'ordre de tri français.");
        } else if (!q.exec(QStringLiteral("PRAGMA quick_check"))) {
            const QString moteur = q.lastError().databaseText();
            if (moteur.contains(QLatin1String("not a database")))
                raison = QStringLiteral("ce fichier n'est pas une base de données SQLite (une base Access d'un autre ordinateur ne peut pas être ouverte telle quelle).");
            else
                raison = moteur;
        } else {
            QStringList problemes;
            while (q.next())
                problemes << q.value(0).toString();
            if (problemes != QStringList{QStringLiteral("ok")})
                raison = QStringLiteral("le fichier est endommagé (%1).").arg(problemes.join(QStringLiteral("; ")));
            else if (!q.exec(QStringLiteral("PRAGMA synchronous=FULL")))
                raison = q.lastError().databaseText();
        }
    }
    if (!raison.isEmpty()) {
        fermer();
        throw ErreurBase(messageOuverture(chemin, raison));
    }
}

Connexion& cnLettre()
{
    // Lives until the process ends, past the destruction of Qt's own
    // connection registry, so it is never destroyed.
    static Connexion* connexion = new Connexion(QStringLiteral("cnLettre"));
    return *connexion;
}
