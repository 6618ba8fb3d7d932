#pragma once

#include <QString>
#include <stdexcept>

// A database operation that could not be carried out. The reason is in
// French, prefixed with what we were doing, ready to be shown to the user;
// an engine failure adds the engine's own words on a second line, for
// whoever helps the user.
class ErreurBase : public std::runtime_error {
public:
    explicit ErreurBase(const QString& raison) : std::runtime_error(raison.toStdString()), m_raison(raison) {}
    const QString& raison() const { return m_raison; }

private:
    QString m_raison;
};

// What a SQLite result code means to the user, as one French sentence
// (busy or locked, read-only, damaged, disk full, cannot open, structure...).
QString phraseErreurMoteur(int codeSqlite, const QString& motsMoteur);

// "<contexte> : <phrase>\nDétail technique : <engine's words>".
ErreurBase erreurMoteur(const QString& contexte, int codeSqlite, const QString& motsMoteur);

// A server that asks for a password libpq could not find, or that refused
// the password given.
class ErreurMotDePasse : public ErreurBase {
public:
    using ErreurBase::ErreurBase;
};

// A row that another desktop changed or deleted after it was read: saving
// it would overwrite what was done there.
class ErreurConflit : public ErreurBase {
public:
    using ErreurBase::ErreurBase;
};

// What a PostgreSQL error (its SQLSTATE code) means to the user, as one
// French sentence.
// An empty code is a lost connection.
QString phraseErreurServeur(const QString& etatSql);
// The code says the connection is gone (closed, or ended by the server).
bool connexionPerdue(const QString& etatSql);
// "<contexte> : <phrase>\nDétail technique : <server's words>".
ErreurBase erreurServeur(const QString& contexte, const QString& etatSql, const QString& motsServeur);
