#pragma once

#include "platform/recordset.h"
#include "support/serveuressai.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

// A throw-away application folder holding Save/Lettre.mdb made from the
// program's schema, empty or with the delivered catalogue loaded, with the
// program pointed at it and cnLettre opened on it; the user's own settings
// and files are put out of reach (Qt's test locations). Everything is
// removed when the object goes. On the test server, that file is copied into
// a new database of the server, which the settings then name.
class BaseTemporaire {
public:
    enum class Contenu { Vide, Catalogue };
    enum class Moteur { Fichier, Serveur };
    explicit BaseTemporaire(Contenu contenu = Contenu::Vide, Moteur moteur = Moteur::Fichier);
    ~BaseTemporaire();
    QString dossier() const { return m_dossier.path(); }
    QString cheminBase() const;
    // Runs SQL directly on the file, or on the server: statements separated
    // by ";" (test set-up only).
    void executer(const QString& sql) const;

private:
    QTemporaryDir m_dossier;
    Moteur m_moteur;
};

// Test programs whose cases run on both: a global data row per engine
// ("fichier", "serveur"), for initTestCase_data().
void lignesDesDeuxMoteurs();
// In a test function of such a program: the engine of the current row; the
// server row is skipped (or fails under CI) when there is no test server.
#define MOTEUR_ESSAI(variable)               \
    QFETCH_GLOBAL(bool, serveur);            \
    if (serveur) {                           \
        EXIGER_SERVEUR_ESSAI(serveurEssai_); \
    }                                        \
    const BaseTemporaire::Moteur variable = serveur ? BaseTemporaire::Moteur::Serveur : BaseTemporaire::Moteur::Fichier
// A case about the server alone: runs once, on the server row.
#define SERVEUR_SEULEMENT()                              \
    MOTEUR_ESSAI(moteurEssai_);                          \
    if (moteurEssai_ == BaseTemporaire::Moteur::Fichier) \
    QSKIP("Propre au serveur.")
// A case about the file alone.
#define FICHIER_SEULEMENT()       \
    QFETCH_GLOBAL(bool, serveur); \
    if (serveur)                  \
    QSKIP("Propre au fichier SQLite.")

// Reading the open database back. A query that fails or finds no row fails
// the running test (and gives -1, or no values).
int entier(const QString& sql);
// The rows of `table`, all of them or those meeting `condition`.
int compter(const QString& table, const QString& condition = QString());
// One column of a query's rows, read through the program's recordset.
QStringList colonne(const QString& requete, const QString& nom);

// What another desktop does, on a connection of its own to the same
// database (file or server).
void surUnAutrePoste(const std::function<void(Connexion&)>& action);
// Another desktop sets a recipient's town.
void villeChangeeAilleurs(RecordId id, const QString& ville);

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
