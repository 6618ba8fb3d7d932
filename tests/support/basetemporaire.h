#pragma once

#include <QString>
#include <QTemporaryDir>

// A throw-away application folder holding Save/Lettre.mdb made from the
// program's schema (no catalogue rows), with the program pointed at it and
// cnLettre opened on it; the user's own settings and files are put out of
// reach (Qt's test locations). Everything is removed when the object goes.
class BaseTemporaire {
public:
    BaseTemporaire();
    ~BaseTemporaire();
    QString dossier() const { return m_dossier.path(); }
    QString cheminBase() const;
    // Runs SQL directly on the file (test set-up only).
    void executer(const QString& sql) const;
    // The first value of a query on the open database, as an integer.
    static int entier(const QString& sql);

private:
    QTemporaryDir m_dossier;
};

// Creates a database file from the program's schema at the given path.
void creerBaseVide(const QString& chemin);

// Runs SQL statements on a database file, creating it when missing (test
// set-up only: another program's database, say).
void executerSurFichier(const QString& chemin, const QString& sql);
