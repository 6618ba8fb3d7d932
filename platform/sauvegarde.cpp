#include "platform/sauvegarde.h"

#include "platform/collationfrancaise.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <memory>
#include <sqlite3.h>

namespace {

const QRegularExpression& motifNom()
{
    static const QRegularExpression motif(QStringLiteral("^Lettre-(\\d{4}-\\d{2}-\\d{2})(?:-(\\d+))?\\.mdb$"));
    return motif;
}

QString nomSauvegarde(const QDate& jour, int rang)
{
    const QString date = jour.toString(QStringLiteral("yyyy-MM-dd"));
    return rang == 1 ? QStringLiteral("Lettre-%1.mdb").arg(date)
                     : QStringLiteral("Lettre-%1-%2.mdb").arg(date).arg(rang);
}

struct FermerBase {
    void operator()(sqlite3* b) const { sqlite3_close(b); }
};
using Base = std::unique_ptr<sqlite3, FermerBase>;

Base ouvrir(const QString& chemin, int drapeaux, QString& probleme)
{
    sqlite3* b = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(chemin).constData(), &b, drapeaux, nullptr);
    Base base(b);
    if (rc != SQLITE_OK)
        probleme = QString::fromUtf8(b ? sqlite3_errmsg(b) : sqlite3_errstr(rc));
    else
        enregistrerCollationFrancaise(b);
    return base;
}

// Copies every page of `source` into `destination` in one step.
QString copier(sqlite3* source, sqlite3* destination)
{
    sqlite3_backup* copie = sqlite3_backup_init(destination, "main", source, "main");
    if (!copie)
        return QString::fromUtf8(sqlite3_errmsg(destination));
    const int etape = sqlite3_backup_step(copie, -1);
    const int fin = sqlite3_backup_finish(copie);
    if (etape != SQLITE_DONE || fin != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errstr(etape != SQLITE_DONE ? etape : fin));
    return QString();
}

// The first column of the first row of `sql`; -1 when it cannot be read.
int entier(sqlite3* base, const char* sql)
{
    sqlite3_stmt* q = nullptr;
    int valeur = -1;
    if (sqlite3_prepare_v2(base, sql, -1, &q, nullptr) == SQLITE_OK && sqlite3_step(q) == SQLITE_ROW)
        valeur = sqlite3_column_int(q, 0);
    sqlite3_finalize(q);
    return valeur;
}

QString integrite(sqlite3* base)
{
    sqlite3_stmt* q = nullptr;
    QStringList lignes;
    if (sqlite3_prepare_v2(base, "PRAGMA integrity_check", -1, &q, nullptr) != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(base));
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(q)) == SQLITE_ROW)
        lignes << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(q, 0)));
    sqlite3_finalize(q);
    if (rc != SQLITE_DONE)
        return QString::fromUtf8(sqlite3_errmsg(base));
    return lignes == QStringList{QStringLiteral("ok")} ? QString() : lignes.join(QStringLiteral("; "));
}

} // namespace

QList<Sauvegarde> listerSauvegardes(const QString& dossier)
{
    QList<Sauvegarde> liste;
    const QStringList noms = QDir(dossier).entryList({QStringLiteral("Lettre-*.mdb")}, QDir::Files);
    for (const QString& nom : noms) {
        const auto m = motifNom().match(nom);
        const QDate date = m.hasMatch() ? QDate::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd")) : QDate();
        if (!date.isValid())
            continue;
        liste.append({dossier + QLatin1Char('/') + nom, date, m.captured(2).isEmpty() ? 1 : m.captured(2).toInt()});
    }
    std::sort(liste.begin(), liste.end(), [](const Sauvegarde& a, const Sauvegarde& b) {
        return a.date != b.date ? a.date > b.date : a.rang > b.rang;
    });
    return liste;
}

QString sauvegarderBase(const QString& cheminBase, const QString& dossier, const QDate& jour)
{
    QString probleme;
    if (!QDir().mkpath(dossier)) {
        probleme = QStringLiteral("le dossier ne peut pas être créé.");
    } else {
        int rang = 1;
        while (QFile::exists(dossier + QLatin1Char('/') + nomSauvegarde(jour, rang)))
            ++rang;
        const QString cible = dossier + QLatin1Char('/') + nomSauvegarde(jour, rang);
        const QString provisoire = cible + QStringLiteral(".provisoire");
        QFile::remove(provisoire);
        {
            Base source = ouvrir(cheminBase, SQLITE_OPEN_READONLY, probleme);
            Base copie = probleme.isEmpty() ? ouvrir(provisoire, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, probleme)
                                            : Base();
            if (probleme.isEmpty())
                probleme = copier(source.get(), copie.get());
        }
        if (probleme.isEmpty() && !QFile::rename(provisoire, cible))
            probleme = QStringLiteral("« %1 » ne peut pas être écrit.").arg(cible);
        QFile::remove(provisoire);
    }
    if (!probleme.isEmpty())
        return QStringLiteral("La sauvegarde de la base dans « %1 » a échoué : %2")
            .arg(QDir::toNativeSeparators(dossier), probleme);
    const QList<Sauvegarde> toutes = listerSauvegardes(dossier);
    for (qsizetype i = kSauvegardesGardees; i < toutes.size(); ++i)
        QFile::remove(toutes[i].chemin);
    return QString();
}

ContenuSauvegarde examinerSauvegarde(const QString& chemin)
{
    ContenuSauvegarde contenu;
    QString probleme;
    Base base = ouvrir(chemin, SQLITE_OPEN_READONLY, probleme);
    if (probleme.isEmpty())
        probleme = integrite(base.get());
    if (probleme.isEmpty()) {
        contenu.expediteurs = entier(base.get(), "SELECT count(*) FROM Expediteur");
        contenu.destinataires = entier(base.get(), "SELECT count(*) FROM Destinataire");
        contenu.modeles = entier(base.get(), "SELECT count(*) FROM Modele");
        if (contenu.expediteurs < 0 || contenu.destinataires < 0 || contenu.modeles < 0)
            probleme = QStringLiteral("ce n'est pas une base de lettres.");
    }
    if (!probleme.isEmpty())
        contenu.probleme = QStringLiteral("La sauvegarde « %1 » est endommagée et ne peut pas être restaurée : %2")
                               .arg(QDir::toNativeSeparators(chemin), probleme);
    return contenu;
}

QString restaurerSauvegarde(sqlite3* destination, const QString& chemin)
{
    if (const ContenuSauvegarde c = examinerSauvegarde(chemin); !c.probleme.isEmpty())
        return c.probleme;
    QString probleme;
    Base source = ouvrir(chemin, SQLITE_OPEN_READONLY, probleme);
    if (probleme.isEmpty())
        probleme = copier(source.get(), destination);
    return probleme.isEmpty() ? QString() : QStringLiteral("La restauration a échoué : %1").arg(probleme);
}

namespace {

struct Quotidienne {
    QString cheminBase;
    QString dossier;
    std::function<void(const QString&)> signalerEchec;
    QDate dernierJour;
    bool echecSignale = false;
};

int avantEcriture(void* donnees, int action, const char*, const char*, const char* base, const char*)
{
    if (action != SQLITE_INSERT && action != SQLITE_UPDATE && action != SQLITE_DELETE)
        return SQLITE_OK;
    if (!base || qstrcmp(base, "main") != 0)
        return SQLITE_OK;
    auto* q = static_cast<Quotidienne*>(donnees);
    const QDate aujourdhui = QDate::currentDate();
    if (q->dernierJour == aujourdhui)
        return SQLITE_OK;
    q->dernierJour = aujourdhui;
    const QList<Sauvegarde> existantes = listerSauvegardes(q->dossier);
    const bool dejaFaite = std::any_of(existantes.cbegin(), existantes.cend(),
                                       [&](const Sauvegarde& s) { return s.date == aujourdhui; });
    if (dejaFaite)
        return SQLITE_OK;
    const QString probleme = sauvegarderBase(q->cheminBase, q->dossier, aujourdhui);
    if (!probleme.isEmpty() && !q->echecSignale && q->signalerEchec) {
        q->echecSignale = true;
        q->signalerEchec(probleme);
    }
    return SQLITE_OK;
}

} // namespace

void armerSauvegardeQuotidienne(sqlite3* poignee, const QString& cheminBase, const QString& dossier,
                                std::function<void(const QString&)> signalerEchec)
{
    // One program, one database: the state lives as long as the process.
    static Quotidienne etat;
    etat = {cheminBase, dossier, std::move(signalerEchec), {}, false};
    sqlite3_set_authorizer(poignee, avantEcriture, &etat);
}
