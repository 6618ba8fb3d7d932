#include "platform/recordset.h"

#include "platform/erreurbase.h"
#include "platform/requeteserveur.h"
#include "platform/texteutf8.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace {

const QString kLecture = QStringLiteral("Lecture impossible dans la base de données");
const QString kEcriture = QStringLiteral("Enregistrement impossible dans la base de données");

// Id column of each table of the letter database.
QString colonneIdDe(const QString& table)
{
    if (table == QLatin1String("Categorie_Modele"))
        return QStringLiteral("Numero_Cat_Modele");
    if (table == QLatin1String("Sous_Categorie_Modele"))
        return QStringLiteral("Numero_Sous_Cat_Modele");
    return QStringLiteral("Numero_") + table;
}

QString tableDe(const QString& requete)
{
    static const QRegularExpression motif(QStringLiteral("^\\s*SELECT\\s+.*?\\s+From\\s+(\\w+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto m = motif.match(requete);
    return m.hasMatch() ? m.captured(1) : QString();
}

// A text the user left empty is stored as "", never as an absent value.
QVariant pourStockage(const QVariant& valeur)
{
    if (valeur.typeId() == QMetaType::QString && valeur.toString().isNull())
        return QVariant(QStringLiteral(""));
    return valeur;
}

// One value of the current result row.
QVariant valeurColonne(sqlite3_stmt* instruction, int i)
{
    switch (sqlite3_column_type(instruction, i)) {
    case SQLITE_NULL: return QVariant();
    case SQLITE_INTEGER: return QVariant(static_cast<qlonglong>(sqlite3_column_int64(instruction, i)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(instruction, i));
    case SQLITE_BLOB: {
        const auto* octets = static_cast<const char*>(sqlite3_column_blob(instruction, i));
        return QVariant(QByteArray(octets, sqlite3_column_bytes(instruction, i)));
    }
    default: {
        const auto* texte = reinterpret_cast<const char*>(sqlite3_column_text(instruction, i));
        const int longueur = sqlite3_column_bytes(instruction, i);
        return longueur == 0 ? QVariant(QStringLiteral("")) : QVariant(depuisUtf8(texte, longueur));
    }
    }
}

// Binds the values to the statement's "?" in order; SQLITE_OK or the code.
int lier(sqlite3_stmt* instruction, const QVariantList& valeurs)
{
    int rc = SQLITE_OK;
    for (int i = 0; i < valeurs.size() && rc == SQLITE_OK; ++i) {
        const QVariant& v = valeurs.at(i);
        const int n = i + 1;
        if (v.isNull()) {
            rc = sqlite3_bind_null(instruction, n);
        } else if (v.typeId() == QMetaType::QByteArray) {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob64(instruction, n, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
        } else if (v.typeId() == QMetaType::Double) {
            rc = sqlite3_bind_double(instruction, n, v.toDouble());
        } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::UInt
                   || v.typeId() == QMetaType::Bool) {
            rc = sqlite3_bind_int64(instruction, n, v.toLongLong());
        } else {
            const QByteArray t = versUtf8(v.toString());
            rc = sqlite3_bind_text64(instruction, n, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
        }
    }
    return rc;
}

// A prepared statement, finalized when it goes.
class Instruction {
public:
    Instruction(sqlite3* base, const QString& sql)
    {
        const QByteArray texte = sql.toUtf8();
        m_rc = sqlite3_prepare_v2(base, texte.constData(), int(texte.size()), &m_instruction, nullptr);
    }
    ~Instruction() { sqlite3_finalize(m_instruction); }
    Instruction(const Instruction&) = delete;
    Instruction& operator=(const Instruction&) = delete;
    int preparation() const { return m_rc; }
    sqlite3_stmt* get() const { return m_instruction; }

private:
    sqlite3_stmt* m_instruction = nullptr;
    int m_rc = SQLITE_OK;
};

ErreurBase echecMoteur(const QString& contexte, sqlite3* base)
{
    return erreurMoteur(contexte, sqlite3_extended_errcode(base), QString::fromUtf8(sqlite3_errmsg(base)));
}

} // namespace

Recordset::Recordset(Connexion& connexion) : m_connexion(&connexion)
{
}

void Recordset::lireLignes(const QString& requete, const QVariantList& parametres)
{
    if (m_connexion->estServeur()) {
        serveur::lire(*m_connexion, requete, parametres, m_colonnes, m_lignes);
        for (int i = 0; i < m_colonnes.size(); ++i)
            m_indices.insert(m_colonnes.at(i), i);
        return;
    }
    sqlite3* base = m_connexion->poignee();
    Instruction instruction(base, requete);
    if (instruction.preparation() != SQLITE_OK || lier(instruction.get(), parametres) != SQLITE_OK)
        throw echecMoteur(kLecture, base);
    const int nombre = sqlite3_column_count(instruction.get());
    for (int i = 0; i < nombre; ++i) {
        m_colonnes << QString::fromUtf8(sqlite3_column_name(instruction.get(), i));
        m_indices.insert(m_colonnes.last(), i);
    }
    int etat = SQLITE_ROW;
    while ((etat = sqlite3_step(instruction.get())) == SQLITE_ROW) {
        QVariantList ligne;
        ligne.reserve(nombre);
        for (int i = 0; i < nombre; ++i)
            ligne << valeurColonne(instruction.get(), i);
        m_lignes.push_back(std::move(ligne));
    }
    if (etat != SQLITE_DONE)
        throw echecMoteur(kLecture, base);
}

void Recordset::open(const QString& requete, const QVariantList& parametres)
{
    close();
    m_requete = requete;
    m_table = tableDe(requete);
    if (m_table.isEmpty())
        throw ErreurBase(QStringLiteral("Requête non prise en charge : %1").arg(requete));
    m_colonneId = colonneIdDe(m_table);
    if (!m_connexion->estOuverte())
        throw ErreurBase(QStringLiteral("La base de données n'est pas ouverte."));
    lireLignes(requete, parametres);
    m_ouvert = true;
}

bool Recordset::eof() const
{
    return m_position >= m_lignes.size();
}

void Recordset::moveNext()
{
    exigerLigneCourante(QStringLiteral("passer à la ligne suivante"));
    ++m_position;
    m_edition = Edition::Aucune;
}

int Recordset::indiceColonne(const QString& colonne) const
{
    int i = m_indices.value(colonne, -1);
    // A server gives the names in lower case: the name as asked is then
    // remembered, for the next rows.
    if (i < 0 && m_connexion->estServeur()) {
        i = m_indices.value(colonne.toLower(), -1);
        if (i >= 0)
            m_indices.insert(colonne, i);
    }
    if (i < 0)
        throw ErreurBase(QStringLiteral("La colonne « %1 » n'existe pas dans la table %2.").arg(colonne, m_table));
    return i;
}

void Recordset::exigerLigneCourante(const QString& operation) const
{
    if (!m_ouvert)
        throw ErreurBase(QStringLiteral("Impossible de %1 : aucune requête n'est ouverte.").arg(operation));
    if (m_edition != Edition::Ajout && eof())
        throw ErreurBase(QStringLiteral("Impossible de %1 : aucun enregistrement ne correspond.").arg(operation));
}

QVariant Recordset::value(const QString& colonne) const
{
    exigerLigneCourante(QStringLiteral("lire la colonne %1").arg(colonne));
    const int i = indiceColonne(colonne);
    if (m_edition != Edition::Aucune)
        return m_tampon.at(i);
    return m_lignes[m_position].at(i);
}

QString Recordset::text(const QString& colonne) const
{
    const QVariant v = value(colonne);
    return v.isNull() ? QStringLiteral("") : v.toString();
}

void Recordset::addNew()
{
    if (!m_ouvert)
        throw ErreurBase(QStringLiteral("Impossible d'ajouter un enregistrement : aucune requête n'est ouverte."));
    m_edition = Edition::Ajout;
    m_tampon = QVariantList(m_colonnes.size());
    m_modifiees = QList<bool>(m_colonnes.size(), false);
}

void Recordset::setValue(const QString& colonne, const QVariant& valeur)
{
    exigerLigneCourante(QStringLiteral("modifier la colonne %1").arg(colonne));
    const int i = indiceColonne(colonne);
    if (m_edition == Edition::Aucune) {
        m_edition = Edition::Modification;
        m_tampon = m_lignes[m_position];
        m_modifiees = QList<bool>(m_colonnes.size(), false);
    }
    m_tampon[i] = pourStockage(valeur);
    m_modifiees[i] = true;
}

void Recordset::update()
{
    if (m_edition == Edition::Aucune)
        return;
    QStringList noms;
    QVariantList valeurs;
    for (int i = 0; i < m_colonnes.size(); ++i) {
        if (m_modifiees[i]) {
            noms << m_colonnes[i];
            valeurs << m_tampon[i];
        }
    }
    const int iId = indiceColonne(m_colonneId);
    if (m_edition == Edition::Ajout) {
        const QString sql = noms.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_table)
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(m_table, noms.join(QLatin1Char(',')),
                       QStringList(noms.size(), QStringLiteral("?")).join(QLatin1Char(',')));
        m_tampon[iId] = QVariant(static_cast<qlonglong>(executerEcriture(sql, valeurs, SiAucuneLigne::Accepter)));
        m_lignes.push_back(m_tampon);
        m_position = m_lignes.size() - 1;
    } else {
        if (noms.isEmpty()) {
            m_edition = Edition::Aucune;
            return;
        }
        QStringList affectations;
        for (const QString& n : noms)
            affectations << n + QStringLiteral("=?");
        QStringList conditions{m_colonneId + QStringLiteral("=?")};
        valeurs << m_lignes[m_position].at(iId);
        // On a server, the row must still hold what was read: a change made
        // meanwhile on another desktop is not overwritten. (A file has one
        // user, and may hold bytes that read back changed.)
        for (int i = 0; m_connexion->estServeur() && i < m_colonnes.size(); ++i) {
            if (i == iId)
                continue;
            conditions << m_colonnes[i] + QStringLiteral(" IS NOT DISTINCT FROM ?");
            valeurs << m_lignes[m_position].at(i);
        }
        executerEcriture(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                             .arg(m_table, affectations.join(QLatin1Char(',')),
                                  conditions.join(QStringLiteral(" AND "))),
                         valeurs, SiAucuneLigne::Conflit);
        m_lignes[m_position] = m_tampon;
    }
    m_edition = Edition::Aucune;
}

void Recordset::deleteCurrent()
{
    exigerLigneCourante(QStringLiteral("supprimer l'enregistrement"));
    if (m_edition == Edition::Ajout) {
        m_edition = Edition::Aucune;
        return;
    }
    const QVariant id = m_lignes[m_position].at(indiceColonne(m_colonneId));
    executerEcriture(QStringLiteral("DELETE FROM %1 WHERE %2=?").arg(m_table, m_colonneId), {id},
                     SiAucuneLigne::Disparue);
    m_lignes.erase(m_lignes.begin() + static_cast<std::ptrdiff_t>(m_position));
    m_edition = Edition::Aucune;
}

RecordId Recordset::executerEcriture(const QString& sql, const QVariantList& valeurs, SiAucuneLigne siAucune)
{
    const auto aucuneLigne = [siAucune]() {
        if (siAucune == SiAucuneLigne::Conflit)
            throw ErreurConflit(
                kEcriture
                + QStringLiteral(" : l'enregistrement a été modifié ou supprimé ailleurs depuis qu'il a "
                                 "été lu."));
        throw ErreurBase(kEcriture + QStringLiteral(" : l'enregistrement n'existe plus."));
    };
    if (m_connexion->estServeur()) {
        const bool ajout = sql.startsWith(QLatin1String("INSERT"));
        const serveur::Ecriture faite = serveur::ecrire(*m_connexion, m_table, sql, valeurs,
                                                        ajout ? m_colonneId : QString());
        if (siAucune != SiAucuneLigne::Accepter && faite.lignes != 1)
            aucuneLigne();
        return faite.nouvelId;
    }
    sqlite3* base = m_connexion->poignee();
    // On its own, IMMEDIATE takes the write lock at once, waiting for readers
    // within the busy timeout, instead of failing at the first write. Inside a
    // Transaction the statement joins it: the engine undoes a failed statement
    // by itself, and the Transaction undoes the rest.
    const bool seule = sqlite3_get_autocommit(base) != 0;
    if (seule && sqlite3_exec(base, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw echecMoteur(kEcriture, base);
    const auto annuler = [base, seule](ErreurBase erreur) {
        if (seule)
            sqlite3_exec(base, "ROLLBACK", nullptr, nullptr, nullptr);
        return erreur;
    };
    {
        Instruction instruction(base, sql);
        if (instruction.preparation() != SQLITE_OK || lier(instruction.get(), valeurs) != SQLITE_OK
            || sqlite3_step(instruction.get()) != SQLITE_DONE)
            throw annuler(echecMoteur(kEcriture, base));
    }
    if (siAucune != SiAucuneLigne::Accepter && sqlite3_changes(base) != 1) {
        if (seule)
            sqlite3_exec(base, "ROLLBACK", nullptr, nullptr, nullptr);
        aucuneLigne();
    }
    const RecordId nouvelId = sqlite3_last_insert_rowid(base);
    if (seule && sqlite3_exec(base, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw annuler(echecMoteur(kEcriture, base));
    return nouvelId;
}

Transaction::Transaction(Connexion& connexion)
{
    if (!connexion.estOuverte())
        throw ErreurBase(QStringLiteral("La base de données n'est pas ouverte."));
    if (connexion.estServeur()) {
        serveur::commencer(connexion);
        m_serveur = &connexion;
        m_enCours = true;
        return;
    }
    m_base = connexion.poignee();
    commencer();
}

Transaction::Transaction(sqlite3* base) : m_base(base)
{
    commencer();
}

void Transaction::commencer()
{
    if (sqlite3_exec(m_base, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw echecMoteur(kEcriture, m_base);
    m_enCours = true;
}

Transaction::~Transaction()
{
    if (!m_enCours)
        return;
    if (m_serveur)
        serveur::annuler(*m_serveur);
    else
        sqlite3_exec(m_base, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::valider()
{
    if (m_serveur) {
        m_enCours = false;
        serveur::valider(*m_serveur);
        return;
    }
    if (sqlite3_exec(m_base, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const ErreurBase erreur = echecMoteur(kEcriture, m_base);
        sqlite3_exec(m_base, "ROLLBACK", nullptr, nullptr, nullptr);
        m_enCours = false;
        throw erreur;
    }
    m_enCours = false;
}

void Recordset::close()
{
    m_ouvert = false;
    m_requete.clear();
    m_table.clear();
    m_colonneId.clear();
    m_colonnes.clear();
    m_indices.clear();
    m_lignes.clear();
    m_position = 0;
    m_edition = Edition::Aucune;
    m_tampon.clear();
    m_modifiees.clear();
}
