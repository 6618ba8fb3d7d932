#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

struct sqlite3;

// Backups of the letters database in the Sauvegardes folder of the data
// folder, one file a day, Lettre-AAAA-MM-JJ.mdb (a second one the same day
// gets -2, -3...). Copies are made with SQLite's online backup from a
// connection of their own, so a live database is copied consistently. Only
// the last kSauvegardesGardees are kept.

inline constexpr int kSauvegardesGardees = 10;

struct Sauvegarde {
    QString chemin;
    QDate date;
    int rang = 1; // 1 for the day's first backup, 2 for the second...
};

// The backups in `dossier`, newest first.
QList<Sauvegarde> listerSauvegardes(const QString& dossier);

// Copies the database at cheminBase into `dossier` as a backup of `jour`,
// then removes the oldest backups beyond the kept number. Returns "" or why
// it failed, in French.
QString sauvegarderBase(const QString& cheminBase, const QString& dossier, const QDate& jour);

// What a backup holds; `probleme` is "" for a sound letters database, else
// why it cannot be restored (integrity check failed, not a letters database).
struct ContenuSauvegarde {
    int expediteurs = 0;
    int destinataires = 0;
    int modeles = 0;
    QString probleme;
};
ContenuSauvegarde examinerSauvegarde(const QString& chemin);

// Replaces the content of the database open on `destination` with the backup
// at `chemin`, in one step; a backup that fails its check is refused. Returns
// "" or why not.
QString restaurerSauvegarde(sqlite3* destination, const QString& chemin);

// From now on, the first write of each day through `poignee` is preceded by
// a backup of cheminBase into `dossier`, unless that day already has one. A
// failed backup never stops the write: `signalerEchec` is told once.
void armerSauvegardeQuotidienne(sqlite3* poignee, const QString& cheminBase, const QString& dossier,
                                std::function<void(const QString&)> signalerEchec);
