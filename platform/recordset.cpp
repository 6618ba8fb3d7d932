#include "platform/recordset.h"

#include "platform/erreurbase.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <sqlite3.h>

namespace {

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
    static const QRegularExpression motif(QStringLiteral("^\\s*SELECT\\s+\\*\\s+From\\s+(\\w+)"),
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

// One value of the current result row, as the Qt driver would give it.
QVariant valeurColonne(sqlite3_stmt* instruction, int i)
{
    switch (sqlite3_column_type(instruction, i)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(instruction, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(instruction, i));
    case SQLITE_BLOB: {
        const auto* octets = static_cast<const char*>(sqlite3_column_blob(instruction, i));
        return QVariant(QByteArray(octets, sqlite3_column_bytes(instruction, i)));
    }
    default: {
        // Texts are stored in UTF-8: Qt's decoder is much faster than
        // SQLite's conversion to UTF-16.
        const auto* texte = reinterpret_cast<const char*>(sqlite3_column_text(instruction, i));
        const int longueur = sqlite3_column_bytes(instruction, i);
        return longueur == 0 ? QVariant(QStringLiteral("")) : QVariant(QString::fromUtf8(texte, longueur));
    }
    }
}

QString raisonMoteur(const QSqlError& e)
{
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

} // namespace

Recordset::Recordset(Connexion& connexion) : m_connexion(&connexion) {}

void Recordset::lireLignes(const QString& requete)
{
    sqlite3* base = m_connexion->poignee();
    const auto echec = [&] {
        return ErreurBase(QStringLiteral("Lecture impossible dans la base de données : %1")
                              .arg(QString::fromUtf8(sqlite3_errmsg(base))));
    };
    sqlite3_stmt* instruction = nullptr;
    const QByteArray sql = requete.toUtf8();
    if (sqlite3_prepare_v2(base, sql.constData(), int(sql.size()), &instruction, nullptr) != SQLITE_OK) {
        sqlite3_finalize(instruction);
        throw echec();
    }
    const int nombre = sqlite3_column_count(instruction);
    for (int i = 0; i < nombre; ++i)
    {
        m_colonnes << QString::fromUtf8(sqlite3_column_name(instruction, i));
        m_indices.insert(m_colonnes.last(), i);
    }
    int etat = SQLITE_ROW;
    while ((etat = sqlite3_step(instruction)) == SQLITE_ROW) {
        QVariantList ligne;
        ligne.reserve(nombre);
        for (int i = 0; i < nombre; ++i)
            ligne << valeurColonne(instruction, i);
        m_lignes.push_back(std::move(ligne));
    }
    sqlite3_finalize(instruction);
    if (etat != SQLITE_DONE)
        throw echec();
}

void Recordset::open(const QString& requete)
{
    close();
    m_requete = requete;
    m_table = tableDe(requete);
    if (m_table.isEmpty())
        throw ErreurBase(QStringLiteral("Requête non prise en charge : %1").arg(requete));
    m_colonneId = colonneIdDe(m_table);
    if (!m_connexion->estOuverte())
        throw ErreurBase(QStringLiteral("La base de données n'est pas ouverte."));

    lireLignes(requete);
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
    const int i = m_indices.value(colonne, -1);
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
        executerEcriture(sql, valeurs, false);
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
        valeurs << m_lignes[m_position].at(iId);
        executerEcriture(QStringLiteral("UPDATE %1 SET %2 WHERE %3=?").arg(m_table, affectations.join(QLatin1Char(',')), m_colonneId),
                         valeurs, true);
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
    executerEcriture(QStringLiteral("DELETE FROM %1 WHERE %2=?").arg(m_table, m_colonneId), {id}, true);
    m_lignes.erase(m_lignes.begin() + static_cast<std::ptrdiff_t>(m_position));
    m_edition = Edition::Aucune;
}

void Recordset::executerEcriture(const QString& sql, const QVariantList& valeurs, bool uneLigneExigee)
{
    QSqlDatabase base = m_connexion->base();
    QSqlQuery q(base);
    const auto echec = [&](const QString& raison) {
        QSqlQuery(base).exec(QStringLiteral("ROLLBACK"));
        throw ErreurBase(QStringLiteral("Enregistrement impossible dans la base de données : %1").arg(raison));
    };
    // IMMEDIATE takes the write lock at once, waiting for readers within the
    // busy timeout, instead of failing at the first write.
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        throw ErreurBase(QStringLiteral("Enregistrement impossible dans la base de données : %1").arg(raisonMoteur(q.lastError())));
    if (!q.prepare(sql))
        echec(raisonMoteur(q.lastError()));
    for (const QVariant& v : valeurs)
        q.addBindValue(v);
    if (!q.exec())
        echec(raisonMoteur(q.lastError()));
    if (uneLigneExigee && q.numRowsAffected() != 1)
        echec(QStringLiteral("l'enregistrement n'existe plus."));
    const QVariant nouvelId = q.lastInsertId();
    if (!q.exec(QStringLiteral("COMMIT")))
        echec(raisonMoteur(q.lastError()));
    if (m_edition == Edition::Ajout)
        m_tampon[indiceColonne(m_colonneId)] = QVariant(static_cast<RecordId>(nouvelId.toLongLong()));
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
