#pragma once

#include "platform/parametresserveur.h"

#include <QString>

// A throw-away PostgreSQL 15 server for the tests of this program: initdb
// into a temporary folder (as the unprivileged "postgres" user when the
// tests run as root), listening on a Unix socket in that folder only, and
// stopped when the test program ends.
class ServeurEssai {
public:
    // The server, started on first use; nullptr when PostgreSQL is not
    // installed or would not start, with the reason in `raison`.
    static ServeurEssai* instance(QString* raison);

    // A new, empty database on it, and how to reach it (no password).
    ParametresServeur nouvelleBase();
    // The same, owned by a user who must give kMotDePasse.
    ParametresServeur nouvelleBaseProtegee();
    static constexpr const char* kMotDePasse = "passe d'essai";
    const QString& dossier() const { return m_dossier; }

private:
    ParametresServeur creerBase(const QString& proprietaire);
    explicit ServeurEssai(QString dossier) : m_dossier(std::move(dossier)) {}
    QString m_dossier;
    int m_bases = 0;
    bool m_roleProtege = false;
};

// In a test function: the server, or the test skipped with the reason;
// under CI (the CI variable set) a missing server fails the test instead.
#define EXIGER_SERVEUR_ESSAI(variable)                                \
    QString raisonServeur_;                                           \
    ServeurEssai* variable = ServeurEssai::instance(&raisonServeur_); \
    if (!variable) {                                                  \
        if (qEnvironmentVariableIsSet("CI"))                          \
            QFAIL(qPrintable(raisonServeur_));                        \
        QSKIP(qPrintable(raisonServeur_));                            \
    }
