#pragma once

#include <QString>

// Where the office's letter database lives when it is kept on a PostgreSQL
// server: section "Base" of the settings file. The password is never kept
// there: libpq finds it in ~/.pgpass or a service file, or the user types it
// once per session.
struct ParametresServeur {
    QString hote;        // host name, address, or socket folder; "" = libpq's default
    int port = 0;        // 0 = libpq's default (5432)
    QString base;        // database name; "" = the user's name
    QString utilisateur; // "" = the system user's name
    QString modeSsl;     // libpq's sslmode; "" = libpq's default ("prefer")
    QString service;     // a service of pg_service.conf; "" = none

    // "lettres sur serveur:5432", for messages.
    QString designation() const;
    bool operator==(const ParametresServeur&) const = default;
};

// The database the program works on.
struct ChoixBase {
    enum class Type { SQLite, PostgreSQL };
    Type type = Type::SQLite;
    ParametresServeur serveur;
};
