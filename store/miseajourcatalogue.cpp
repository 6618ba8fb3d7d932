#include "store/miseajourcatalogue.h"

#include "platform/collationfrancaise.h"
#include "platform/connexion.h"
#include "platform/erreurbase.h"
#include "platform/recordset.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QVersionNumber>
#include <memory>
#include <sqlite3.h>

namespace {

// One statement on a raw connection: the catalogue upgrade needs many
// writes in a single transaction, which the record layer (one transaction a
// write) does not offer.
class Instruction {
public:
    Instruction(sqlite3* base, const char* sql) : m_base(base)
    {
        if (sqlite3_prepare_v2(base, sql, -1, &m_q, nullptr) != SQLITE_OK)
            echouer();
    }
    ~Instruction() { sqlite3_finalize(m_q); }
    Instruction(const Instruction&) = delete;
    Instruction& operator=(const Instruction&) = delete;

    Instruction& lier(int i, const QString& texte)
    {
        const QByteArray octets = texte.toUtf8();
        sqlite3_bind_text(m_q, i, octets.constData(), int(octets.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Instruction& lier(int i, qint64 nombre)
    {
        sqlite3_bind_int64(m_q, i, nombre);
        return *this;
    }
    bool ligne()
    {
        const int rc = sqlite3_step(m_q);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            echouer();
        return false;
    }
    // Runs a write and makes the statement ready for the next one.
    void executer()
    {
        while (ligne()) {
        }
        sqlite3_reset(m_q);
        sqlite3_clear_bindings(m_q);
    }
    QString texte(int i) const
    {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_q, i)),
                                 sqlite3_column_bytes(m_q, i));
    }
    qint64 entier(int i) const { return sqlite3_column_int64(m_q, i); }

private:
    [[noreturn]] void echouer() const { throw ErreurBase(QString::fromUtf8(sqlite3_errmsg(m_base))); }
    sqlite3* m_base;
    sqlite3_stmt* m_q = nullptr;
};

void executer(sqlite3* base, const char* sql)
{
    if (sqlite3_exec(base, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw ErreurBase(QString::fromUtf8(sqlite3_errmsg(base)));
}

void creerTableReception(sqlite3* base)
{
    executer(base, "CREATE TABLE IF NOT EXISTS Catalogue_Recu (Cle TEXT PRIMARY KEY, Numero INTEGER, Empreinte TEXT)");
}

bool tableReceptionPresente(sqlite3* base)
{
    Instruction q(base, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'Catalogue_Recu'");
    return q.ligne() && q.entier(0) > 0;
}

struct Recu {
    qint64 numero = 0;
    QString empreinte;
};

QHash<QString, Recu> lireReception(sqlite3* base)
{
    QHash<QString, Recu> recus;
    if (!tableReceptionPresente(base))
        return recus;
    Instruction q(base, "SELECT Cle, Numero, Empreinte FROM Catalogue_Recu");
    while (q.ligne())
        recus.insert(q.texte(0), {q.entier(1), q.texte(2)});
    return recus;
}

void noter(sqlite3* base, const QString& cle, qint64 numero, const QString& empreinte)
{
    Instruction q(base, "INSERT OR REPLACE INTO Catalogue_Recu (Cle, Numero, Empreinte) VALUES (?, ?, ?)");
    q.lier(1, cle).lier(2, numero).lier(3, empreinte).executer();
}

struct FermerBase {
    void operator()(sqlite3* b) const { sqlite3_close(b); }
};
using BaseLivree = std::unique_ptr<sqlite3, FermerBase>;

BaseLivree ouvrirLivree(const QString& chemin)
{
    sqlite3* b = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(chemin).constData(), &b, SQLITE_OPEN_READONLY, nullptr);
    BaseLivree base(b);
    if (rc != SQLITE_OK)
        throw ErreurBase(
            QStringLiteral("%1 : %2").arg(chemin, QString::fromUtf8(b ? sqlite3_errmsg(b) : sqlite3_errstr(rc))));
    enregistrerCollationFrancaise(b);
    return base;
}

// The delivered catalogue, in the order of its manifest.
struct Livre {
    struct Categorie {
        QString cle, libelle;
    };
    struct SousCategorie {
        QString cle, cleCategorie, libelle;
    };
    struct Modele {
        QString cle, cleSousCategorie, libelle, corps, lien, fiche, empreinte;
    };
    QList<Categorie> categories;
    QList<SousCategorie> sousCategories;
    QList<Modele> modeles;
    QString contenu, version;
};

Livre lireLivre(sqlite3* base)
{
    Livre livre;
    const QHash<QString, Recu> recus = lireReception(base);
    livre.contenu = recus.value(QStringLiteral("contenu")).empreinte;
    livre.version = recus.value(QStringLiteral("version")).empreinte;
    QHash<qint64, QString> clesModeles;
    for (auto it = recus.cbegin(); it != recus.cend(); ++it) {
        if (it.key().startsWith(QLatin1String("M:")))
            clesModeles.insert(it.value().numero, it.key());
    }
    {
        Instruction q(base,
                      "SELECT Numero_Cat_Modele, Libelle_Cat_Modele FROM Categorie_Modele ORDER BY Numero_Cat_Modele");
        while (q.ligne())
            livre.categories.append({QStringLiteral("C:%1").arg(q.entier(0)), q.texte(1)});
    }
    {
        Instruction q(
            base,
            "SELECT Numero_Sous_Cat_Modele, Numero_Cat_Modele, Libelle_Sous_Cat_Modele FROM Sous_Categorie_Modele "
            "ORDER BY Numero_Sous_Cat_Modele");
        while (q.ligne())
            livre.sousCategories.append(
                {QStringLiteral("S:%1").arg(q.entier(0)), QStringLiteral("C:%1").arg(q.entier(1)), q.texte(2)});
    }
    Instruction q(base,
                  "SELECT Numero_Modele, Numero_Sous_Cat_Modele, Libelle_Modele, Corps_Modele, Lien_Modele, "
                  "Lien_Fiche_Modele FROM Modele ORDER BY Numero_Modele");
    while (q.ligne()) {
        const QString cle = clesModeles.value(q.entier(0));
        if (cle.isEmpty())
            continue;
        livre.modeles.append({cle, QStringLiteral("S:%1").arg(q.entier(1)), q.texte(2), q.texte(3), q.texte(4),
                              q.texte(5), recus.value(cle).empreinte});
    }
    return livre;
}

bool ligneExiste(sqlite3* base, const char* sql, qint64 numero)
{
    Instruction q(base, sql);
    q.lier(1, numero);
    return q.ligne();
}

// The id of a row matching a label (and a parent), or 0.
qint64 chercher(sqlite3* base, const char* sql, const QString& libelle, qint64 parent)
{
    Instruction q(base, sql);
    q.lier(1, libelle);
    if (parent)
        q.lier(2, parent);
    return q.ligne() ? q.entier(0) : 0;
}

class MiseAJour {
public:
    MiseAJour(sqlite3* base, const Livre& livre) : m_base(base), m_livre(livre) {}

    void executer()
    {
        creerTableReception(m_base);
        m_recus = lireReception(m_base);
        categories();
        sousCategories();
        modeles();
        noter(m_base, QStringLiteral("contenu"), 0, m_livre.contenu);
        noter(m_base, QStringLiteral("version"), 0, m_livre.version);
    }

private:
    // The user's row for a delivered element: 0 when the user deleted it,
    // -1 when it was never received.
    qint64 ligneRecue(const QString& cle, const char* existe)
    {
        const auto it = m_recus.constFind(cle);
        if (it == m_recus.cend())
            return -1;
        return ligneExiste(m_base, existe, it->numero) ? it->numero : 0;
    }

    void categories()
    {
        for (const Livre::Categorie& c : m_livre.categories) {
            qint64 n = ligneRecue(c.cle, "SELECT 1 FROM Categorie_Modele WHERE Numero_Cat_Modele = ?");
            if (n < 0) {
                n = chercher(m_base, "SELECT Numero_Cat_Modele FROM Categorie_Modele WHERE Libelle_Cat_Modele = ?",
                             c.libelle, 0);
                if (!n) {
                    Instruction q(m_base, "INSERT INTO Categorie_Modele (Libelle_Cat_Modele) VALUES (?)");
                    q.lier(1, c.libelle).executer();
                    n = sqlite3_last_insert_rowid(m_base);
                }
                noter(m_base, c.cle, n, QString());
            }
            m_lignes.insert(c.cle, n);
        }
    }

    void sousCategories()
    {
        for (const Livre::SousCategorie& s : m_livre.sousCategories) {
            qint64 n = ligneRecue(s.cle, "SELECT 1 FROM Sous_Categorie_Modele WHERE Numero_Sous_Cat_Modele = ?");
            const qint64 parent = m_lignes.value(s.cleCategorie);
            if (n < 0 && parent > 0) {
                n = chercher(m_base,
                             "SELECT Numero_Sous_Cat_Modele FROM Sous_Categorie_Modele "
                             "WHERE Libelle_Sous_Cat_Modele = ? AND Numero_Cat_Modele = ?",
                             s.libelle, parent);
                if (!n) {
                    Instruction q(
                        m_base,
                        "INSERT INTO Sous_Categorie_Modele (Numero_Cat_Modele, Libelle_Sous_Cat_Modele) VALUES (?, ?)");
                    q.lier(1, parent).lier(2, s.libelle).executer();
                    n = sqlite3_last_insert_rowid(m_base);
                }
                noter(m_base, s.cle, n, QString());
            }
            m_lignes.insert(s.cle, n);
        }
    }

    void modeles()
    {
        for (const Livre::Modele& m : m_livre.modeles) {
            const qint64 n = ligneRecue(m.cle, "SELECT 1 FROM Modele WHERE Numero_Modele = ?");
            if (n == 0)
                continue; // deleted by the user
            if (n > 0) {
                actualiser(m, n);
                continue;
            }
            const qint64 sousCategorie = m_lignes.value(m.cleSousCategorie);
            if (sousCategorie <= 0)
                continue; // its sub-category was deleted by the user
            const qint64 existant = chercher(m_base,
                                             "SELECT Numero_Modele FROM Modele "
                                             "WHERE Libelle_Modele = ? AND Numero_Sous_Cat_Modele = ?",
                                             m.libelle, sousCategorie);
            if (existant) {
                // Received before its receipt was recorded: the same body
                // counts as never edited, any other as the user's.
                noter(m_base, m.cle, existant, corps(existant) == m.corps ? m.empreinte : QString());
                continue;
            }
            Instruction q(m_base,
                          "INSERT INTO Modele (Numero_Sous_Cat_Modele, Libelle_Modele, Corps_Modele, Lien_Modele, "
                          "Lien_Fiche_Modele) VALUES (?, ?, ?, ?, ?)");
            q.lier(1, sousCategorie).lier(2, m.libelle).lier(3, m.corps).lier(4, m.lien).lier(5, m.fiche).executer();
            noter(m_base, m.cle, sqlite3_last_insert_rowid(m_base), m.empreinte);
        }
    }

    QString corps(qint64 numero)
    {
        Instruction q(m_base, "SELECT Corps_Modele FROM Modele WHERE Numero_Modele = ?");
        q.lier(1, numero);
        return q.ligne() ? q.texte(0) : QString();
    }

    // A body still as delivered takes the new one; links the user left empty
    // take the delivered ones.
    void actualiser(const Livre::Modele& m, qint64 numero)
    {
        const QString recue = m_recus.value(m.cle).empreinte;
        if (recue.isEmpty() || recue == m.empreinte || empreinteTexte(corps(numero)) != recue)
            return;
        Instruction q(
            m_base,
            "UPDATE Modele SET Corps_Modele = ?, "
            "Lien_Modele = CASE WHEN coalesce(Lien_Modele, '') = '' THEN ? ELSE Lien_Modele END, "
            "Lien_Fiche_Modele = CASE WHEN coalesce(Lien_Fiche_Modele, '') = '' THEN ? ELSE Lien_Fiche_Modele END "
            "WHERE Numero_Modele = ?");
        q.lier(1, m.corps).lier(2, m.lien).lier(3, m.fiche).lier(4, numero).executer();
        noter(m_base, m.cle, numero, m.empreinte);
    }

    sqlite3* m_base;
    const Livre& m_livre;
    QHash<QString, Recu> m_recus;
    QHash<QString, qint64> m_lignes; // delivered key -> user's row (0: deleted)
};

} // namespace

QString empreinteTexte(const QString& texte)
{
    return QString::fromLatin1(QCryptographicHash::hash(texte.toUtf8(), QCryptographicHash::Sha1).toHex());
}

void noterCatalogueRecu(Connexion& connexion, const QList<ElementRecu>& elements, const QString& empreinteContenu,
                        const QString& version)
{
    sqlite3* base = connexion.poignee();
    Transaction transaction(connexion);
    creerTableReception(base);
    for (const ElementRecu& e : elements)
        noter(base, e.cle, e.numero, e.empreinte);
    noter(base, QStringLiteral("contenu"), 0, empreinteContenu);
    noter(base, QStringLiteral("version"), 0, version);
    transaction.valider();
}

bool miseAJourNecessaire(sqlite3* utilisateur, const QString& cheminLivre)
{
    if (!utilisateur || !QFile::exists(cheminLivre))
        return false;
    try {
        const BaseLivree livree = ouvrirLivree(cheminLivre);
        const QHash<QString, Recu> livre = lireReception(livree.get());
        const QString contenu = livre.value(QStringLiteral("contenu")).empreinte;
        if (contenu.isEmpty())
            return false;
        const QHash<QString, Recu> recu = lireReception(utilisateur);
        if (recu.value(QStringLiteral("contenu")).empreinte == contenu)
            return false;
        // An older program's catalogue never replaces a newer one.
        const QString versionRecue = recu.value(QStringLiteral("version")).empreinte;
        return versionRecue.isEmpty()
            || QVersionNumber::fromString(livre.value(QStringLiteral("version")).empreinte)
            >= QVersionNumber::fromString(versionRecue);
    } catch (const ErreurBase&) {
        // An unreadable delivered file is reported when the upgrade runs.
        return true;
    }
}

QString mettreAJourCatalogue(sqlite3* utilisateur, const QString& cheminLivre)
{
    try {
        const BaseLivree livree = ouvrirLivree(cheminLivre);
        const Livre livre = lireLivre(livree.get());
        Transaction transaction(utilisateur);
        MiseAJour(utilisateur, livre).executer();
        transaction.valider();
    } catch (const ErreurBase& e) {
        return QStringLiteral("Les nouveaux modèles de lettres livrés avec cette version n'ont pas pu être ajoutés "
                              "à votre catalogue ; vos données n'ont pas été modifiées.\n\n%1")
            .arg(e.raison());
    }
    return QString();
}
