#pragma once

#include "platform/parametresserveur.h"
#include "platform/resultat.h"

#include <QPointer>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <vector>

struct sqlite3;
struct pg_conn;

// One connection to a letter database: a file (SQLite), or the office's
// database on a PostgreSQL server. The program keeps one for its whole run,
// `cnLettre()`; tools and tests may open others.
class Connexion {
public:
    enum class Acces { LectureEcriture, LectureSeule };

    explicit Connexion(QString nom);
    ~Connexion();
    Connexion(const Connexion&) = delete;
    Connexion& operator=(const Connexion&) = delete;

    // Opens an existing database file for reading and writing. Never creates
    // the file. Throws ErreurBase, with the path and the reason in French,
    // when the file is missing, is not a SQLite database, or is damaged;
    // the connection is then closed. Opened for reading only, the file is
    // never written, and every write through the connection is refused.
    void ouvrir(const QString& chemin, Acces acces = Acces::LectureEcriture);
    // Opens the database on a PostgreSQL server. Throws ErreurMotDePasse when
    // the server asks for a password that libpq could not find (none given
    // here, or a wrong one), ErreurBase with the reason in French otherwise.
    void ouvrirServeur(const ParametresServeur& parametres, const QString& motDePasse = QString());
    bool estServeur() const { return m_serveur; }
    const ParametresServeur& parametresServeur() const { return m_parametres; }
    // "PostgreSQL 15.18", or "" for a file.
    QString versionServeur() const;
    void fermer();
    bool estOuverte() const;
    // When the last opening failed (a file locked by another program, a
    // server out of reach, say)
    // and a new try was allowed, tries it again: true when the connection
    // has just been opened, false when it was open already. Throws
    // ErreurBase when it stays closed.
    // A server connection lost during work is closed and tried again by the
    // next retablir().
    bool retablir();
    // After a failed opening: the next retablir() tries the same file again.
    void prevoirNouvelEssai();
    // Opened, but the engine can only read the file (write-protected file
    // or folder).
    bool estEnLectureSeule() const;
    // The file's path, or the server database's designation.
    const QString& chemin() const { return m_chemin; }

    QSqlDatabase base() const;
    // The engine's own handle, for reading large results without the cost
    // of Qt's generic result cache; nullptr when closed.
    sqlite3* poignee() const;
    // libpq's connection on a server, for the record layer; nullptr when
    // closed or on a file.
    pg_conn* poigneeServeur() const;
    // Rows written through the connection since it was opened: what was read
    // earlier is still current while this count stays the same.
    // Rows written through the connection since it was opened: what was read
    // earlier is still current while this count stays the same. On a server,
    // the changes other desktops announced count too.
    qint64 modifications() const;
    // Inside a Transaction: writes join it.
    bool enTransaction() const;

    // On a server: `abonne` is called with the table's name when another
    // desktop has added, changed or deleted rows of it (from the event loop),
    // for as long as `contexte` lives. Subscriptions outlive a lost
    // connection and its reopening.
    void surModificationAilleurs(QObject* contexte, std::function<void(const QString& table)> abonne);

    // Used by the record layer on a server.
    void noterEcriture() { ++m_ecritures; }
    void noterTransaction(bool enCours) { m_transactionServeur = enCours; }
    // A statement failed: when the server can no longer be reached (or
    // `perdue`, the server said so), the connection is closed and the next
    // retablir() opens it again. Returns true when it was lost.
    bool verifierPerte(bool perdue = false);

private:
    void fermerConnexion();
    void abonnerNotifications();

    QString m_nom;
    QString m_chemin;
    Acces m_acces = Acces::LectureEcriture;
    bool m_nouvelEssai = false;
    bool m_serveur = false;
    ParametresServeur m_parametres;
    QString m_motDePasse;
    qint64 m_ecritures = 0;
    bool m_transactionServeur = false;
    std::vector<std::pair<QPointer<QObject>, std::function<void(const QString&)>>> m_abonnes;
};

// The server's notification channel on which each write names its table.
QString canalDesModifications();

// Opens a connection to the server and closes it: the server's version
// ("PostgreSQL 15.18"), or the reason in French; `motDePasseDemande` says
// whether the server wants a password that was not given (or refused it).
Resultat<QString> testerServeur(const ParametresServeur& parametres, const QString& motDePasse = QString(),
                                bool* motDePasseDemande = nullptr);

// The process-wide connection on Save/Lettre.mdb.
Connexion& cnLettre();
