#include "store/journal.h"

#include "platform/erreurbase.h"

#include <QLocale>

#include <array>
#include <optional>
#include <sqlite3.h>

namespace {

// Dates are stored as ISO text (local time, to the second): they sort as
// they read, and the stock sqlite3 shell shows them as they are.
const QString kFormatDate = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

// Names and addresses are copies, not links: the entry must still say who it
// went to after the recipient is edited or deleted. The letter is kept as
// sent, compressed (a one-page letter takes about 1 KB), in a table of its
// own: the list of entries is read whole when the window opens, and rows
// without the letters are several times smaller. A text goes with its entry.
const char* const kCreation =
    "CREATE TABLE IF NOT EXISTS Journal ("
    " Numero_Journal INTEGER PRIMARY KEY AUTOINCREMENT,"
    " Date_Journal TEXT NOT NULL,"
    " Canal_Journal TEXT NOT NULL,"
    " Numero_Destinataire INTEGER,"
    " Nom_Destinataire_Journal TEXT,"
    " Adresse_Destinataire_Journal TEXT,"
    " Ville_Destinataire_Journal TEXT,"
    " Numero_Expediteur INTEGER,"
    " Nom_Expediteur_Journal TEXT,"
    " Adresse_Expediteur_Journal TEXT,"
    " Modele_Journal TEXT,"
    " Objet_Journal TEXT,"
    " Pages_Journal INTEGER);"
    "CREATE INDEX IF NOT EXISTS Journal_Date ON Journal (Date_Journal);"
    "CREATE INDEX IF NOT EXISTS Journal_Destinataire ON Journal (Numero_Destinataire, Date_Journal);"
    "CREATE TABLE IF NOT EXISTS Journal_Texte ("
    " Numero_Journal_Texte INTEGER PRIMARY KEY," // the Numero_Journal of its entry
    " Texte_Journal BLOB NOT NULL);"
    "CREATE TRIGGER IF NOT EXISTS Journal_Texte_Suppression AFTER DELETE ON Journal BEGIN"
    " DELETE FROM Journal_Texte WHERE Numero_Journal_Texte = old.Numero_Journal; END;";

// The first journals kept the letters in table Journal itself: they move to
// their own table, and the column goes.
const char* const kDeplacementTextes =
    "INSERT OR IGNORE INTO Journal_Texte (Numero_Journal_Texte, Texte_Journal)"
    " SELECT Numero_Journal, Texte_Journal FROM Journal WHERE Texte_Journal IS NOT NULL;"
    "ALTER TABLE Journal DROP COLUMN Texte_Journal;";

const QString kColonnesListe = QStringLiteral(
    "SELECT Numero_Journal, Date_Journal, Canal_Journal, Numero_Destinataire, Nom_Destinataire_Journal, "
    "Adresse_Destinataire_Journal, Ville_Destinataire_Journal, Numero_Expediteur, Nom_Expediteur_Journal, "
    "Adresse_Expediteur_Journal, Modele_Journal, Objet_Journal, Pages_Journal From Journal ");

// A stored date as the clock showed it, without a time zone (carried as
// UTC, which costs no zone arithmetic: the list reads 100,000 of them).
QDateTime dateLue(const char* texte, int longueur)
{
    const auto nombre = [texte](int debut, int chiffres) {
        int n = 0;
        for (int i = debut; i < debut + chiffres; ++i) {
            if (texte[i] < '0' || texte[i] > '9')
                return -1;
            n = n * 10 + (texte[i] - '0');
        }
        return n;
    };
    if (longueur != 19 || texte[4] != '-' || texte[7] != '-' || texte[10] != 'T' || texte[13] != ':'
        || texte[16] != ':')
        return {};
    return QDateTime(QDate(nombre(0, 4), nombre(5, 2), nombre(8, 2)),
                     QTime(nombre(11, 2), nombre(14, 2), nombre(17, 2)), Qt::UTC);
}

QDateTime dateLue(const QString& texte)
{
    const QByteArray octets = texte.toLatin1();
    return dateLue(octets.constData(), int(octets.size()));
}

QVariant idStocke(RecordId id)
{
    return id == kAucunEnregistrement ? QVariant() : QVariant(static_cast<qlonglong>(id));
}

RecordId idLu(const QVariant& v)
{
    return v.isNull() ? kAucunEnregistrement : v.toLongLong();
}

EntreeJournal entreeLue(const Recordset& rs)
{
    EntreeJournal e;
    e.numero = rs.value(QStringLiteral("Numero_Journal")).toLongLong();
    e.quand = dateLue(rs.text(QStringLiteral("Date_Journal")));
    e.canal = rs.text(QStringLiteral("Canal_Journal"));
    e.destinataire = {idLu(rs.value(QStringLiteral("Numero_Destinataire"))),
                      rs.text(QStringLiteral("Nom_Destinataire_Journal")),
                      rs.text(QStringLiteral("Adresse_Destinataire_Journal")),
                      rs.text(QStringLiteral("Ville_Destinataire_Journal"))};
    e.expediteur = {idLu(rs.value(QStringLiteral("Numero_Expediteur"))),
                    rs.text(QStringLiteral("Nom_Expediteur_Journal")),
                    rs.text(QStringLiteral("Adresse_Expediteur_Journal")), QString()};
    e.modele = rs.text(QStringLiteral("Modele_Journal"));
    e.objet = rs.text(QStringLiteral("Objet_Journal"));
    e.pages = rs.value(QStringLiteral("Pages_Journal")).toInt();
    return e;
}

bool texteDansLaListe(sqlite3* base)
{
    sqlite3_stmt* q = nullptr;
    bool present = false;
    if (sqlite3_prepare_v2(base, "SELECT 1 FROM pragma_table_info('Journal') WHERE name = 'Texte_Journal'", -1, &q,
                           nullptr)
        == SQLITE_OK)
        present = sqlite3_step(q) == SQLITE_ROW;
    sqlite3_finalize(q);
    return present;
}

// How many entries the journal holds (0 when it cannot say).
qsizetype nombreDEntrees(sqlite3* base)
{
    sqlite3_stmt* q = nullptr;
    qsizetype nombre = 0;
    if (sqlite3_prepare_v2(base, "SELECT count(*) FROM Journal", -1, &q, nullptr) == SQLITE_OK
        && sqlite3_step(q) == SQLITE_ROW)
        nombre = sqlite3_column_int64(q, 0);
    sqlite3_finalize(q);
    return nombre;
}

void executer(sqlite3* base, const char* sql)
{
    char* message = nullptr;
    if (sqlite3_exec(base, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const QString raison = QString::fromUtf8(message ? message : sqlite3_errmsg(base));
        sqlite3_free(message);
        throw ErreurBase(QStringLiteral("Le journal des envois n'a pas pu être créé : %1").arg(raison));
    }
}

} // namespace

void preparerJournal(Connexion& connexion)
{
    // A server's journal is made with its other tables, once for the office.
    if (connexion.estServeur())
        return;
    Transaction transaction(connexion);
    sqlite3* base = connexion.poignee();
    executer(base, kCreation);
    if (texteDansLaListe(base))
        executer(base, kDeplacementTextes);
    transaction.valider();
}

void noterEnvoi(const EntreeJournal& entree, bool conserverTexte, Connexion& connexion)
{
    // Inside a caller's transaction (a batch of entries), the rows join it.
    std::optional<Transaction> transaction;
    if (!connexion.enTransaction())
        transaction.emplace(connexion);
    Recordset rs(connexion);
    rs.open(QStringLiteral("SELECT * From Journal WHERE 1 = 0"));
    rs.addNew();
    rs.setValue(QStringLiteral("Date_Journal"), entree.quand.toString(kFormatDate));
    rs.setValue(QStringLiteral("Canal_Journal"), entree.canal);
    rs.setValue(QStringLiteral("Numero_Destinataire"), idStocke(entree.destinataire.id));
    rs.setValue(QStringLiteral("Nom_Destinataire_Journal"), entree.destinataire.nom);
    rs.setValue(QStringLiteral("Adresse_Destinataire_Journal"), entree.destinataire.adresse);
    rs.setValue(QStringLiteral("Ville_Destinataire_Journal"), entree.destinataire.ville);
    rs.setValue(QStringLiteral("Numero_Expediteur"), idStocke(entree.expediteur.id));
    rs.setValue(QStringLiteral("Nom_Expediteur_Journal"), entree.expediteur.nom);
    rs.setValue(QStringLiteral("Adresse_Expediteur_Journal"), entree.expediteur.adresse);
    rs.setValue(QStringLiteral("Modele_Journal"), entree.modele);
    rs.setValue(QStringLiteral("Objet_Journal"), entree.objet);
    rs.setValue(QStringLiteral("Pages_Journal"), entree.pages > 0 ? QVariant(entree.pages) : QVariant());
    rs.update();
    if (conserverTexte && !entree.rtf.isEmpty()) {
        Recordset texte(connexion);
        texte.open(QStringLiteral("SELECT * From Journal_Texte WHERE 1 = 0"));
        texte.addNew();
        texte.setValue(QStringLiteral("Numero_Journal_Texte"), rs.value(QStringLiteral("Numero_Journal")));
        texte.setValue(QStringLiteral("Texte_Journal"), qCompress(entree.rtf.toUtf8(), 9));
        texte.update();
    }
    if (transaction)
        transaction->valider();
}

QList<EntreeJournal> lireJournal(Connexion& connexion)
{
    const QString requete = kColonnesListe + QStringLiteral("ORDER BY Date_Journal DESC, Numero_Journal DESC");
    if (connexion.estServeur()) {
        QList<EntreeJournal> entrees;
        Recordset rs(connexion);
        rs.open(requete);
        for (; !rs.eof(); rs.moveNext())
            entrees.append(entreeLue(rs));
        return entrees;
    }
    // Read straight from the engine: the list holds every entry, and the
    // record layer's row cache would double the cost of opening the window.
    sqlite3* base = connexion.poignee();
    sqlite3_stmt* q = nullptr;
    const QByteArray sql = requete.toUtf8();
    if (!base || sqlite3_prepare_v2(base, sql.constData(), -1, &q, nullptr) != SQLITE_OK) {
        sqlite3_finalize(q);
        throw ErreurBase(QStringLiteral("Le journal des envois n'a pas pu être lu : %1")
                             .arg(base ? QString::fromUtf8(sqlite3_errmsg(base)) : QStringLiteral("base fermée")));
    }
    const auto texte = [q](int i) {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(q, i)), sqlite3_column_bytes(q, i));
    };
    // The channel, the sender and the model mostly repeat from one entry to
    // the next: the previous text is shared then, not decoded again.
    std::array<QByteArray, 13> octetsPrecedents;
    std::array<QString, 13> textesPrecedents;
    const auto repete = [&](int i) -> const QString& {
        const QByteArrayView octets(reinterpret_cast<const char*>(sqlite3_column_text(q, i)),
                                    sqlite3_column_bytes(q, i));
        if (octets != octetsPrecedents[std::size_t(i)]) {
            octetsPrecedents[std::size_t(i)] = octets.toByteArray();
            textesPrecedents[std::size_t(i)] = QString::fromUtf8(octets);
        }
        return textesPrecedents[std::size_t(i)];
    };
    const auto id = [q](int i) {
        return sqlite3_column_type(q, i) == SQLITE_NULL ? kAucunEnregistrement : sqlite3_column_int64(q, i);
    };
    QList<EntreeJournal> entrees;
    entrees.reserve(nombreDEntrees(base));
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(q)) == SQLITE_ROW) {
        EntreeJournal e;
        e.numero = sqlite3_column_int64(q, 0);
        e.quand = dateLue(reinterpret_cast<const char*>(sqlite3_column_text(q, 1)), sqlite3_column_bytes(q, 1));
        e.canal = repete(2);
        e.destinataire = {id(3), texte(4), texte(5), texte(6)};
        e.expediteur = {id(7), repete(8), repete(9), QString()};
        e.modele = repete(10);
        e.objet = texte(11);
        e.pages = sqlite3_column_int(q, 12);
        entrees.append(std::move(e));
    }
    sqlite3_finalize(q);
    if (rc != SQLITE_DONE)
        throw ErreurBase(QStringLiteral("Le journal des envois n'a pas pu être lu : %1")
                             .arg(QString::fromUtf8(sqlite3_errmsg(base))));
    return entrees;
}

QString texteEnvoye(RecordId numero, Connexion& connexion)
{
    Recordset rs(connexion);
    rs.open(QStringLiteral("SELECT Texte_Journal From Journal_Texte WHERE Numero_Journal_Texte = ?"),
            {static_cast<qlonglong>(numero)});
    if (rs.eof())
        return QString();
    const QByteArray compresse = rs.value(QStringLiteral("Texte_Journal")).toByteArray();
    return compresse.isEmpty() ? QString() : QString::fromUtf8(qUncompress(compresse));
}

void supprimerEnvoi(RecordId numero, Connexion& connexion)
{
    Recordset rs(connexion);
    rs.open(QStringLiteral("SELECT Numero_Journal From Journal WHERE Numero_Journal = ?"),
            {static_cast<qlonglong>(numero)});
    if (!rs.eof())
        rs.deleteCurrent();
}

int purgerJournal(int mois, const QDateTime& maintenant, Connexion& connexion)
{
    if (mois <= 0)
        return 0;
    Transaction transaction(connexion);
    Recordset rs(connexion);
    rs.open(QStringLiteral("SELECT Numero_Journal From Journal WHERE Date_Journal < ?"),
            {maintenant.addMonths(-mois).toString(kFormatDate)});
    int supprimees = 0;
    while (!rs.eof()) {
        rs.deleteCurrent();
        ++supprimees;
    }
    transaction.valider();
    return supprimees;
}

EntreeJournal dernierEnvoi(RecordId destinataire, Connexion& connexion)
{
    Recordset rs(connexion);
    rs.open(kColonnesListe
                + QStringLiteral(
                    "WHERE Numero_Destinataire = ? ORDER BY Date_Journal DESC, Numero_Journal DESC LIMIT 1"),
            {static_cast<qlonglong>(destinataire)});
    return rs.eof() ? EntreeJournal{} : entreeLue(rs);
}

QString resumeEnvoi(const EntreeJournal& entree)
{
    const QString date = QLocale(QLocale::French, QLocale::France)
                             .toString(entree.quand.date(), QStringLiteral("d MMMM yyyy"));
    return entree.objet.isEmpty() ? QStringLiteral("%1 (%2)").arg(date, entree.canal)
                                  : QStringLiteral("%1, %2 (%3)").arg(date, entree.objet, entree.canal);
}
