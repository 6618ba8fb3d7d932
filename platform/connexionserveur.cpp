// The connection's server side: the office's letter database on PostgreSQL,
// through Qt's QPSQL driver, with libpq itself for what the driver does not
// say (why a connection failed, whether it was lost).
#include "platform/connexion.h"
#include "platform/erreurbase.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>
#include <libpq-fe.h>

#include <utility>
#include <vector>

namespace {

// Every desktop listens on it; each write names its table in the payload.
const QString kCanal = QStringLiteral("tilvo_lettres");

// Collations that ignore case and accents came with PostgreSQL 12.
constexpr int kVersionMinimale = 120000;

std::vector<std::pair<QByteArray, QByteArray>> motsCles(const ParametresServeur& p, const QString& motDePasse)
{
    std::vector<std::pair<QByteArray, QByteArray>> mots{{"connect_timeout", "5"},
                                                        {"application_name", "tilvo-lettres"}};
    const auto ajouter = [&mots](const char* cle, const QString& valeur) {
        if (!valeur.isEmpty())
            mots.emplace_back(cle, valeur.toUtf8());
    };
    ajouter("service", p.service);
    ajouter("host", p.hote);
    ajouter("port", p.port > 0 ? QString::number(p.port) : QString());
    ajouter("dbname", p.base);
    ajouter("user", p.utilisateur);
    ajouter("password", motDePasse);
    ajouter("sslmode", p.modeSsl);
    return mots;
}

// Why libpq could not connect, told by libpq itself with the same
// parameters: a ping first (a server out of reach is not waited for twice),
// then, for a server that answers, a connection of its own.
[[noreturn]] void echecOuverture(const ParametresServeur& p, const QString& motDePasse, const QString& motsQt)
{
    const auto mots = motsCles(p, motDePasse);
    std::vector<const char*> cles, valeurs;
    for (const auto& [cle, valeur] : mots) {
        cles.push_back(cle.constData());
        valeurs.push_back(valeur.constData());
    }
    cles.push_back(nullptr);
    valeurs.push_back(nullptr);
    const QString contexte = QStringLiteral("Impossible de se connecter à la base de données « %1 »")
                                 .arg(p.designation());
    const auto echec = [&](const QString& phrase, const QString& details) {
        return contexte + QStringLiteral(" : ") + phrase + QStringLiteral("\nDétail technique : ")
            + (details.isEmpty() ? motsQt : details);
    };
    switch (PQpingParams(cles.data(), valeurs.data(), 0)) {
    case PQPING_NO_RESPONSE:
        throw ErreurBase(
            echec(QStringLiteral("le serveur ne répond pas (il est arrêté, ou l'hôte ou le port est incorrect)."),
                  QString()));
    case PQPING_REJECT:
        throw ErreurBase(echec(
            QStringLiteral("le serveur refuse les connexions pour le moment (il démarre ou s'arrête)."), QString()));
    case PQPING_NO_ATTEMPT:
        throw ErreurBase(echec(QStringLiteral("les paramètres de connexion sont incorrects."), QString()));
    default: break;
    }
    PGconn* essai = PQconnectdbParams(cles.data(), valeurs.data(), 0);
    const QString details = QString::fromUtf8(PQerrorMessage(essai)).trimmed();
    const bool demandeMotDePasse = PQconnectionNeedsPassword(essai);
    const bool motDePasseRefuse = !motDePasse.isEmpty() && PQconnectionUsedPassword(essai)
        && PQstatus(essai) != CONNECTION_OK && details.contains(QLatin1String("password"));
    PQfinish(essai);
    if (demandeMotDePasse)
        throw ErreurMotDePasse(echec(QStringLiteral("le serveur demande un mot de passe."), details));
    if (motDePasseRefuse)
        throw ErreurMotDePasse(echec(QStringLiteral("le mot de passe a été refusé."), details));
    throw ErreurBase(echec(QStringLiteral("le serveur a refusé la connexion (base inconnue, utilisateur inconnu ou "
                                          "accès non autorisé)."),
                           details));
}

PGconn* connexionLibpq(const QSqlDatabase& base)
{
    if (!base.isValid() || !base.driver())
        return nullptr;
    const QVariant v = base.driver()->handle();
    if (!v.isValid() || (qstrcmp(v.typeName(), "PGconn*") != 0 && qstrcmp(v.typeName(), "pg_conn*") != 0))
        return nullptr;
    return *static_cast<PGconn* const*>(v.constData());
}

} // namespace

void Connexion::ouvrirServeur(const ParametresServeur& parametres, const QString& motDePasse)
{
    fermerConnexion();
    m_nouvelEssai = false;
    m_serveur = true;
    m_parametres = parametres;
    m_motDePasse = motDePasse;
    m_chemin = parametres.designation();
    m_acces = Acces::LectureEcriture;
    m_transactionServeur = false;
    bool ouverte = false;
    QString motsQt;
    {
        QSqlDatabase b = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_nom);
        QStringList options;
        for (const auto& [cle, valeur] : motsCles(parametres, motDePasse)) {
            if (cle != "host" && cle != "port" && cle != "dbname" && cle != "user" && cle != "password")
                options << QString::fromUtf8(cle) + QLatin1Char('=') + QString::fromUtf8(valeur);
        }
        b.setHostName(parametres.hote);
        if (parametres.port > 0)
            b.setPort(parametres.port);
        b.setDatabaseName(parametres.base);
        b.setUserName(parametres.utilisateur);
        b.setPassword(motDePasse);
        b.setConnectOptions(options.join(QLatin1Char(';')));
        ouverte = b.open();
        motsQt = b.lastError().databaseText();
    }
    if (!ouverte) {
        fermerConnexion();
        echecOuverture(parametres, motDePasse, motsQt);
    }
    if (PQserverVersion(connexionLibpq(base())) < kVersionMinimale) {
        const QString version = versionServeur();
        fermerConnexion();
        throw ErreurBase(QStringLiteral("Impossible d'utiliser la base de données « %1 » : le serveur (%2) est trop "
                                        "ancien ; il faut PostgreSQL 12 ou plus récent.")
                             .arg(parametres.designation(), version));
    }
    // The address book is read sorted whole: in memory (a few megabytes)
    // rather than through temporary files.
    PQclear(PQexec(connexionLibpq(base()), "SET work_mem = '32MB'"));
    abonnerNotifications();
}

pg_conn* Connexion::poigneeServeur() const
{
    return m_serveur && estOuverte() ? connexionLibpq(base()) : nullptr;
}

QString Connexion::versionServeur() const
{
    PGconn* c = m_serveur && estOuverte() ? connexionLibpq(base()) : nullptr;
    if (!c)
        return QString();
    const int v = PQserverVersion(c);
    return QStringLiteral("PostgreSQL %1.%2").arg(v / 10000).arg(v % 100);
}

void Connexion::abonnerNotifications()
{
    QSqlDriver* pilote = base().driver();
    pilote->subscribeToNotification(kCanal);
    QObject::connect(pilote, &QSqlDriver::notification, pilote,
                     [this](const QString&, QSqlDriver::NotificationSource source, const QVariant& table) {
                         if (source != QSqlDriver::OtherSource)
                             return;
                         ++m_ecritures;
                         std::erase_if(m_abonnes, [](const auto& a) { return a.first.isNull(); });
                         const auto abonnes = m_abonnes;
                         for (const auto& [contexte, abonne] : abonnes)
                             abonne(table.toString());
                     });
}

void Connexion::surModificationAilleurs(QObject* contexte, std::function<void(const QString&)> abonne)
{
    m_abonnes.emplace_back(contexte, std::move(abonne));
}

bool Connexion::verifierPerte(bool perdue)
{
    // The driver says closed as soon as libpq has seen the connection go.
    if (!m_serveur || !QSqlDatabase::contains(m_nom))
        return false;
    PGconn* c = connexionLibpq(base());
    if (!perdue && c && PQstatus(c) == CONNECTION_OK)
        return false;
    fermerConnexion();
    m_nouvelEssai = true;
    return true;
}

QString canalDesModifications()
{
    return kCanal;
}

Resultat<QString> testerServeur(const ParametresServeur& parametres, const QString& motDePasse, bool* motDePasseDemande)
{
    Connexion essai(QStringLiteral("tilvo-essai-serveur"));
    if (motDePasseDemande)
        *motDePasseDemande = false;
    try {
        essai.ouvrirServeur(parametres, motDePasse);
    } catch (const ErreurMotDePasse& e) {
        if (motDePasseDemande)
            *motDePasseDemande = true;
        return Resultat<QString>::echec(e.raison());
    } catch (const ErreurBase& e) {
        return Resultat<QString>::echec(e.raison());
    }
    return essai.versionServeur();
}
