#include "support/serveuressai.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <pwd.h>
#include <unistd.h>

namespace {

QString dossierProgrammes()
{
    const QString choisi = qEnvironmentVariable("TILVO_PG_BIN");
    return choisi.isEmpty() ? QStringLiteral("/usr/lib/postgresql/15/bin") : choisi;
}

// Runs one of the server's programs, as "postgres" when we are root (the
// server refuses to run as root); "" when it succeeded, else what it said.
QString lancer(const QString& programme, const QStringList& arguments)
{
    QProcess p;
    const QString chemin = dossierProgrammes() + QLatin1Char('/') + programme;
    if (geteuid() == 0)
        p.start(QStringLiteral("runuser"),
                QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), chemin}
                    + arguments);
    else
        p.start(chemin, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("%1 a échoué : %2%3")
            .arg(programme, QString::fromLocal8Bit(p.readAllStandardError()),
                 QString::fromLocal8Bit(p.readAllStandardOutput()));
    return QString();
}

struct Installation {
    std::unique_ptr<QTemporaryDir> dossier;
    std::unique_ptr<ServeurEssai> serveur;
    QString raison;

    ~Installation()
    {
        if (serveur)
            lancer(QStringLiteral("pg_ctl"),
                   {QStringLiteral("-D"), dossier->filePath(QStringLiteral("donnees")), QStringLiteral("-m"),
                    QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
    }
};

} // namespace

ServeurEssai* ServeurEssai::instance(QString* raison)
{
    static Installation installation;
    static const bool demarre = [](Installation& i) {
        if (!QFileInfo(dossierProgrammes() + QStringLiteral("/initdb")).isExecutable()) {
            i.raison = QStringLiteral("PostgreSQL 15 n'est pas installé (%1/initdb introuvable) : "
                                      "les essais sur serveur sont sautés.")
                           .arg(dossierProgrammes());
            return false;
        }
        i.dossier = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tilvo-pg-XXXXXX"));
        const QString d = i.dossier->path();
        if (geteuid() == 0) {
            const passwd* compte = getpwnam("postgres");
            if (!compte || chown(QFile::encodeName(d).constData(), compte->pw_uid, compte->pw_gid) != 0) {
                i.raison = QStringLiteral("Le compte « postgres » manque : le serveur d'essai ne peut pas démarrer.");
                return false;
            }
        }
        const QString donnees = d + QStringLiteral("/donnees");
        i.raison = lancer(QStringLiteral("initdb"),
                          {QStringLiteral("-D"), donnees, QStringLiteral("-U"), QStringLiteral("tilvo"),
                           QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                           QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")});
        // One user must give a password; every other one is trusted.
        if (i.raison.isEmpty()) {
            QFile acces(donnees + QStringLiteral("/pg_hba.conf"));
            QByteArray regles;
            if (acces.open(QIODevice::ReadOnly))
                regles = acces.readAll();
            acces.close();
            if (!acces.open(QIODevice::WriteOnly | QIODevice::Truncate)
                || acces.write("local all protege scram-sha-256\n" + regles) < 0)
                i.raison = QStringLiteral("pg_hba.conf n'a pas pu être écrit.");
        }
        if (i.raison.isEmpty())
            i.raison = lancer(
                QStringLiteral("pg_ctl"),
                {QStringLiteral("-D"), donnees, QStringLiteral("-l"), d + QStringLiteral("/serveur.log"),
                 QStringLiteral("-w"), QStringLiteral("-o"),
                 QStringLiteral("-k %1 -c listen_addresses='' -c fsync=off -c full_page_writes=off").arg(d),
                 QStringLiteral("start")});
        if (i.raison.isEmpty())
            i.serveur.reset(new ServeurEssai(d));
        return i.raison.isEmpty();
    }(installation);
    Q_UNUSED(demarre);
    if (raison)
        *raison = installation.raison;
    return installation.serveur.get();
}

ParametresServeur ServeurEssai::nouvelleBase()
{
    return creerBase(QStringLiteral("tilvo"));
}

ParametresServeur ServeurEssai::nouvelleBaseProtegee()
{
    return creerBase(QStringLiteral("protege"));
}

ParametresServeur ServeurEssai::creerBase(const QString& proprietaire)
{
    const QString nom = QStringLiteral("essai_%1").arg(++m_bases);
    {
        QSqlDatabase b = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("essai-administration"));
        b.setHostName(m_dossier);
        b.setUserName(QStringLiteral("tilvo"));
        b.setDatabaseName(QStringLiteral("postgres"));
        QSqlQuery q(b);
        const bool ok = b.open()
            && (proprietaire == QLatin1String("tilvo") || m_roleProtege
                || (m_roleProtege = q.exec(
                        QStringLiteral("CREATE ROLE protege LOGIN PASSWORD '%1'")
                            .arg(QString::fromUtf8(kMotDePasse).replace(QStringLiteral("'"), QStringLiteral("''"))))))
            && q.exec(QStringLiteral("CREATE DATABASE %1 OWNER %2").arg(nom, proprietaire));
        if (!ok)
            qFatal("Base d'essai non créée : %s", qPrintable(q.lastError().text() + b.lastError().text()));
        b.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("essai-administration"));
    ParametresServeur p;
    p.hote = m_dossier;
    p.base = nom;
    p.utilisateur = proprietaire;
    return p;
}
