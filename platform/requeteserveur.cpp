#include "platform/requeteserveur.h"

#include "platform/erreurbase.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace serveur {

namespace {

const QString kLecture = QStringLiteral("Lecture impossible dans la base de données");
const QString kEcriture = QStringLiteral("Enregistrement impossible dans la base de données");

// Qt would send "?" for a lone surrogate; U+FFFD says plainly that a
// character could not be kept (as on SQLite).
QVariant pourServeur(const QVariant& valeur)
{
    if (valeur.typeId() != QMetaType::QString)
        return valeur;
    QString texte = valeur.toString();
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (!texte.at(i).isSurrogate())
            continue;
        if (texte.at(i).isHighSurrogate() && i + 1 < texte.size() && texte.at(i + 1).isLowSurrogate())
            ++i;
        else
            texte[i] = QChar::ReplacementCharacter;
    }
    return texte;
}

QVariant valeurLue(const QSqlQuery& q, int i)
{
    if (q.isNull(i))
        return QVariant();
    QVariant v = q.value(i);
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong: return QVariant(v.toLongLong());
    case QMetaType::QString: {
        const QString t = v.toString();
        return t.isEmpty() ? QVariant(QStringLiteral("")) : QVariant(t);
    }
    default: return v;
    }
}

// The failure of the query, after checking whether the connection is gone.
ErreurBase echec(Connexion& connexion, const QString& contexte, const QSqlQuery& q)
{
    const QSqlError e = q.lastError();
    const bool perdue = connexion.verifierPerte();
    return erreurServeur(contexte, perdue ? QString() : e.nativeErrorCode(), e.databaseText());
}

void exigerOuverte(Connexion& connexion)
{
    if (!connexion.estOuverte())
        throw ErreurBase(QStringLiteral("La base de données n'est pas ouverte."));
}

bool executer(QSqlQuery& q, const QString& sql, const QVariantList& valeurs)
{
    if (valeurs.isEmpty())
        return q.exec(sql);
    if (!q.prepare(sql))
        return false;
    for (const QVariant& v : valeurs)
        q.addBindValue(pourServeur(v));
    return q.exec();
}

} // namespace

QString dialecte(const QString& requete)
{
    QString sortie;
    sortie.reserve(requete.size() + 8);
    for (qsizetype i = 0; i < requete.size(); ++i) {
        const QChar c = requete.at(i);
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
    exigerOuverte(connexion);
    QSqlQuery q(connexion.base());
    if (!executer(q, dialecte(requete), parametres))
        throw echec(connexion, kLecture, q);
    const QSqlRecord champs = q.record();
    const int nombre = champs.count();
    for (int i = 0; i < nombre; ++i)
        colonnes << champs.fieldName(i);
    if (q.size() > 0)
        lignes.reserve(std::size_t(q.size()));
    while (q.next()) {
        QVariantList ligne;
        ligne.reserve(nombre);
        for (int i = 0; i < nombre; ++i)
            ligne << valeurLue(q, i);
        lignes.push_back(std::move(ligne));
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
        QSqlQuery q(connexion.base());
        const QString texte = colonneId.isEmpty() ? sql : sql + QStringLiteral(" RETURNING ") + colonneId;
        if (!executer(q, texte, valeurs))
            throw echec(connexion, kEcriture, q);
        Ecriture faite;
        faite.lignes = q.numRowsAffected();
        if (!colonneId.isEmpty() && q.next())
            faite.nouvelId = q.value(0).toLongLong();
        if (faite.lignes > 0)
            connexion.annoncerModification(table);
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
    exigerOuverte(connexion);
    QSqlQuery q(connexion.base());
    if (!q.exec(QStringLiteral("BEGIN")))
        throw echec(connexion, kEcriture, q);
    connexion.noterTransaction(true);
}

void valider(Connexion& connexion)
{
    QSqlQuery q(connexion.base());
    const bool ok = q.exec(QStringLiteral("COMMIT"));
    connexion.noterTransaction(false);
    if (!ok)
        throw echec(connexion, kEcriture, q);
}

void annuler(Connexion& connexion)
{
    connexion.noterTransaction(false);
    if (connexion.estOuverte())
        QSqlQuery(connexion.base()).exec(QStringLiteral("ROLLBACK"));
}

} // namespace serveur
