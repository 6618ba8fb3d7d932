#pragma once

#include "platform/connexion.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

#include <limits>

// Record id as carried through the program: the row's 64-bit rowid, any
// value the database holds (negative ones included). The smallest value
// means "no record": the engine gives it to no row of its own.
using RecordId = qint64;
inline constexpr RecordId kAucunEnregistrement = std::numeric_limits<RecordId>::min();

// The one way rows of the letter database are read and written: open on a
// query text, walk the rows, or add / change / delete a row and write it back.
// Every failure throws ErreurBase with the reason in French and the engine's
// own words; nothing is ever reported as done when it was not. On a server,
// a change writes back only onto the row as it was read: one changed or
// deleted meanwhile by another desktop throws ErreurConflit. Each write is
// one committed transaction, or part of the Transaction under way. Texts
// travel as UTF-8 both ways and come back exactly as stored (a leading
// byte-order mark included); a lone surrogate, which UTF-8 cannot carry, is
// stored as U+FFFD.
class Recordset {
public:
    explicit Recordset(Connexion& connexion = cnLettre());

    // Runs a "SELECT ... From <table> ..." query and stands on its first
    // row; each "?" of the query takes the next of `parametres`.
    void open(const QString& requete, const QVariantList& parametres = {});
    bool eof() const;
    void moveNext();

    // The current row's value, a null QVariant for an absent value.
    QVariant value(const QString& colonne) const;
    // The same, as text: an absent value reads as "".
    QString text(const QString& colonne) const;

    // Starts a new row; setValue fills it, update stores it, after which the
    // row's database-assigned id can be read like any other column.
    void addNew();
    void setValue(const QString& colonne, const QVariant& valeur);
    void update();
    // Removes the current row from the table at once.
    void deleteCurrent();
    void close();

    const QString& requete() const { return m_requete; }

private:
    enum class Edition { Aucune, Modification, Ajout };
    // What a write that touches no row means.
    enum class SiAucuneLigne { Accepter, Disparue, Conflit };

    void lireLignes(const QString& requete, const QVariantList& parametres);
    int indiceColonne(const QString& colonne) const;
    void exigerLigneCourante(const QString& operation) const;
    // Runs one statement in its own transaction, or in the one under way;
    // returns the id it inserted (for an insert).
    RecordId executerEcriture(const QString& sql, const QVariantList& valeurs, SiAucuneLigne siAucune);

    Connexion* m_connexion;
    QString m_requete;
    QString m_table;
    QString m_colonneId;
    QStringList m_colonnes;
    mutable QHash<QString, int> m_indices;
    std::vector<QVariantList> m_lignes;
    std::size_t m_position = 0;
    Edition m_edition = Edition::Aucune;
    QVariantList m_tampon;
    QList<bool> m_modifiees;
    bool m_ouvert = false;
};

// Makes the writes done while it lives one transaction: valider() commits
// them together; without it, leaving the scope (an exception, say) undoes
// every one of them. Throws ErreurBase when the database cannot start or
// commit it.
class Transaction {
public:
    explicit Transaction(Connexion& connexion = cnLettre());
    // On an open engine handle of a database the program does not keep.
    explicit Transaction(sqlite3* base);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void valider();

private:
    void commencer();

    sqlite3* m_base = nullptr;
    Connexion* m_serveur = nullptr;
    bool m_enCours = false;
};
