#pragma once

#include "platform/recordset.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A throw-away application folder holding Save/Lettre.mdb made from the
// program's schema, empty or with the delivered catalogue loaded, with the
// program pointed at it and cnLettre opened on it; the user's own settings
// and files are put out of reach (Qt's test locations). Everything is
// removed when the object goes.
class BaseTemporaire {
public:
    enum class Contenu { Vide, Catalogue };
    explicit BaseTemporaire(Contenu contenu = Contenu::Vide);
    ~BaseTemporaire();
    QString dossier() const { return m_dossier.path(); }
    QString cheminBase() const;
    // Runs SQL directly on the file (test set-up only).
    void executer(const QString& sql) const;

private:
    QTemporaryDir m_dossier;
};

// Reading the open database back. A query that fails or finds no row fails
// the running test (and gives -1, or no values).
int entier(const QString& sql);
// The rows of `table`, all of them or those meeting `condition`.
int compter(const QString& table, const QString& condition = QString());
// One column of a query's rows, read through the program's recordset.
QStringList colonne(const QString& requete, const QString& nom);

// A recipient written through the program's recordset, as the windows
// write one; returns its id.
RecordId ajouterDestinataire(const QString& nom, const QVariant& prenom = QString());

// Two models of one sub-category "Logement / Préavis": model 1 "Premier" in
// "Courier New", model 2 "Second" plain.
void ajouterModelesEssai(const BaseTemporaire& base);

// Creates a database file from the program's schema at the given path.
void creerBaseVide(const QString& chemin);

// Runs SQL statements on a database file, creating it when missing (test
// set-up only: another program's database, say).
void executerSurFichier(const QString& chemin, const QString& sql);
