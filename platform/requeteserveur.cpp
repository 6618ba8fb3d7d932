#include "platform/requeteserveur.h"

#include "platform/erreurbase.h"
#include "platform/texteutf8.h"

#include <libpq-fe.h>

#include <memory>

namespace serveur {

namespace {

const QString kLecture = QStringLiteral("Lecture impossible dans la base de données");
const QString kEcriture = QStringLiteral("Enregistrement impossible dans la base de données");

// Type ids of the server's built-in types (pg_type.h).
enum : Oid { kBool = 16, kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701 };

struct LibererResultat {
    void operator()(PGresult* r) const { PQclear(r); }
};
using ResultatPq = std::unique_ptr<PGresult, LibererResultat>;

// The statement's values as libpq takes them: texts in UTF-8, bytes as
// bytes, absent values as null pointers.
class Parametres {
public:
    explicit Parametres(const QVariantList& valeurs)
    {
        for (const QVariant& v : valeurs) {
            if (v.isNull()) {
                m_octets.emplace_back();
                m_formats.push_back(0);
            } else if (v.typeId() == QMetaType::QByteArray) {
                m_octets.push_back(v.toByteArray());
                m_formats.push_back(1);
            } else if (v.typeId() == QMetaType::Bool) {
                m_octets.push_back(v.toBool() ? "1" : "0");
                m_formats.push_back(0);
            } else {
                m_octets.push_back(versUtf8(v.toString(), true));
                m_formats.push_back(0);
            }
        }
        for (std::size_t i = 0; i < m_octets.size(); ++i) {
            m_valeurs.push_back(valeurs.at(qsizetype(i)).isNull() ? nullptr : m_octets[i].constData());
            m_longueurs.push_back(int(m_octets[i].size()));
        }
    }
    int nombre() const { return int(m_valeurs.size()); }
    const char* const* valeurs() const { return m_valeurs.data(); }
    const int* longueurs() const { return m_longueurs.data(); }
    const int* formats() const { return m_formats.data(); }

private:
    std::vector<QByteArray> m_octets;
    std::vector<const char*> m_valeurs;
    std::vector<int> m_longueurs;
    std::vector<int> m_formats;
};

// One value of a text-format result.
QVariant valeurLue(const PGresult* r, int ligne, int colonne, Oid type)
{
    if (PQgetisnull(r, ligne, colonne))
        return QVariant();
    const char* octets = PQgetvalue(r, ligne, colonne);
    const int longueur = PQgetlength(r, ligne, colonne);
    switch (type) {
    case kInt2:
    case kInt4:
    case kInt8: return QVariant(QByteArray::fromRawData(octets, longueur).toLongLong());
    case kFloat4:
    case kFloat8: return QVariant(QByteArray::fromRawData(octets, longueur).toDouble());
    case kBool: return QVariant(octets[0] == 't');
    case kBytea: {
        std::size_t taille = 0;
        unsigned char* brut = PQunescapeBytea(reinterpret_cast<const unsigned char*>(octets), &taille);
        const QByteArray valeur(reinterpret_cast<const char*>(brut), qsizetype(taille));
        PQfreemem(brut);
        return valeur;
    }
    default: return longueur == 0 ? QVariant(QStringLiteral("")) : QVariant(depuisUtf8(octets, longueur));
    }
}

PGconn* exigerOuverte(Connexion& connexion)
{
    PGconn* c = connexion.poigneeServeur();
    if (!c)
        throw ErreurBase(QStringLiteral("La base de données n'est pas ouverte."));
    return c;
}

// Runs one statement; its failure, after checking whether the connection is
// gone, throws with the server's reason.
ResultatPq executer(Connexion& connexion, const QString& contexte, const QString& sql, const QVariantList& valeurs = {})
{
    PGconn* c = exigerOuverte(connexion);
    const Parametres parametres(valeurs);
    ResultatPq r(PQexecParams(c, dialecte(sql).toUtf8().constData(), parametres.nombre(), nullptr, parametres.valeurs(),
                              parametres.longueurs(), parametres.formats(), 0));
    const ExecStatusType etat = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (etat == PGRES_COMMAND_OK || etat == PGRES_TUPLES_OK)
        return r;
    const QString etatSql = r ? QString::fromLatin1(PQresultErrorField(r.get(), PG_DIAG_SQLSTATE)) : QString();
    const QString mots = QString::fromUtf8(r ? PQresultErrorMessage(r.get()) : PQerrorMessage(c)).trimmed();
    const bool perdue = connexion.verifierPerte(connexionPerdue(etatSql));
    throw erreurServeur(contexte, perdue ? QString() : etatSql, mots);
}

} // namespace

QString dialecte(const QString& requete)
{
    QString sortie;
    sortie.reserve(requete.size() + 8);
    int parametre = 0;
    for (qsizetype i = 0; i < requete.size(); ++i) {
        const QChar c = requete.at(i);
        if (c == QLatin1Char('?')) {
            sortie += QLatin1Char('$') + QString::number(++parametre);
            continue;
        }
        if (c != QLatin1Char('\'') && c != QLatin1Char('"')) {
            sortie += c;
            continue;
        }
        // A literal up to its closing quote; a doubled quote stands for one.
        QString contenu;
        qsizetype j = i + 1;
        for (; j < requete.size(); ++j) {
            if (requete.at(j) == c) {
                if (j + 1 < requete.size() && requete.at(j + 1) == c) {
                    contenu += c;
                    ++j;
                    continue;
                }
                break;
            }
            contenu += requete.at(j);
        }
        contenu.replace(QLatin1Char('\''), QStringLiteral("''"));
        sortie += QLatin1Char('\'') + contenu + QLatin1Char('\'');
        i = j;
    }
    return sortie;
}

void lire(Connexion& connexion, const QString& requete, const QVariantList& parametres, QStringList& colonnes,
          std::vector<QVariantList>& lignes)
{
    const ResultatPq r = executer(connexion, kLecture, requete, parametres);
    const int nombre = PQnfields(r.get());
    std::vector<Oid> types;
    for (int i = 0; i < nombre; ++i) {
        colonnes << QString::fromUtf8(PQfname(r.get(), i));
        types.push_back(PQftype(r.get(), i));
    }
    const int total = PQntuples(r.get());
    lignes.reserve(lignes.size() + std::size_t(total));
    for (int ligne = 0; ligne < total; ++ligne) {
        QVariantList valeurs;
        valeurs.reserve(nombre);
        for (int i = 0; i < nombre; ++i)
            valeurs << valeurLue(r.get(), ligne, i, types[std::size_t(i)]);
        lignes.push_back(std::move(valeurs));
    }
}

Ecriture ecrire(Connexion& connexion, const QString& table, const QString& sql, const QVariantList& valeurs,
                const QString& colonneId)
{
    exigerOuverte(connexion);
    const bool seule = !connexion.enTransaction();
    if (seule)
        commencer(connexion);
    try {
        const QString texte = colonneId.isEmpty() ? sql : sql + QStringLiteral(" RETURNING ") + colonneId;
        const ResultatPq r = executer(connexion, kEcriture, texte, valeurs);
        Ecriture faite;
        faite.lignes = QByteArray(PQcmdTuples(r.get())).toInt();
        if (!colonneId.isEmpty() && PQntuples(r.get()) == 1)
            faite.nouvelId = QByteArray(PQgetvalue(r.get(), 0, 0)).toLongLong();
        // Delivered to the other desktops when the transaction commits. A
        // table name of ours: letters and underscores only.
        if (faite.lignes > 0)
            executer(connexion, kEcriture, QStringLiteral("NOTIFY %1, '%2'").arg(canalDesModifications(), table));
        if (seule)
            valider(connexion);
        connexion.noterEcriture();
        return faite;
    } catch (...) {
        if (seule)
            annuler(connexion);
        throw;
    }
}

void commencer(Connexion& connexion)
{
    executer(connexion, kEcriture, QStringLiteral("BEGIN"));
    connexion.noterTransaction(true);
}

void valider(Connexion& connexion)
{
    connexion.noterTransaction(false);
    executer(connexion, kEcriture, QStringLiteral("COMMIT"));
}

void annuler(Connexion& connexion)
{
    connexion.noterTransaction(false);
    if (PGconn* c = connexion.poigneeServeur())
        PQclear(PQexec(c, "ROLLBACK"));
}

} // namespace serveur
