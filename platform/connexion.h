#pragma once

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

// One connection to a letter database file (SQLite). The program keeps one
// for its whole run, `cnLettre()`; tools and tests may open others.
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
    void fermer();
    bool estOuverte() const;
    // When the last opening failed (a file locked by another program, say)
    // and a new try was allowed, tries it again: true when the connection
    // has just been opened, false when it was open already. Throws
    // ErreurBase when it stays closed.
    bool retablir();
    // After a failed opening: the next retablir() tries the same file again.
    void prevoirNouvelEssai();
    // Opened, but the engine can only read the file (write-protected file
    // or folder).
    bool estEnLectureSeule() const;
    const QString& chemin() const { return m_chemin; }

    QSqlDatabase base() const;
    // The engine's own handle, for reading large results without the cost
    // of Qt's generic result cache; nullptr when closed.
    sqlite3* poignee() const;
    // Rows written through the connection since it was opened: what was read
    // earlier is still current while this count stays the same.
    qint64 modifications() const;

private:
    void fermerConnexion();

    QString m_nom;
    QString m_chemin;
    Acces m_acces = Acces::LectureEcriture;
    bool m_nouvelEssai = false;
};

// The process-wide connection on Save/Lettre.mdb.
Connexion& cnLettre();
