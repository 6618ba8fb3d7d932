#include "store/schemabase.h"

#include <QSet>
#include <QSqlQuery>
#include <array>
#include <sqlite3.h>
#include <utility>

namespace {

using Table = std::pair<const char*, QStringList>;

const std::array<Table, 5>& tablesAttendues()
{
    static const std::array<Table, 5> tables{{
        {"Expediteur",
         {"Numero_Expediteur", "Titre_Expediteur", "Nom_Expediteur", "Prenom_Expediteur", "Adresse1_Expediteur",
          "Adresse2_Expediteur", "CP_Expediteur", "Ville_Expediteur", "Tel1_Expediteur", "Tel2_Expediteur",
          "Fonction_Expediteur"}},
        {"Destinataire",
         {"Numero_Destinataire", "Titre_Destinataire", "Nom_Destinataire", "Prenom_Destinataire",
          "Adresse1_Destinataire", "Adresse2_Destinataire", "CP_Destinataire", "Ville_Destinataire",
          "Fonction_Destinataire", "Mail_Destinataire"}},
        {"Categorie_Modele", {"Numero_Cat_Modele", "Libelle_Cat_Modele"}},
        {"Sous_Categorie_Modele", {"Numero_Sous_Cat_Modele", "Numero_Cat_Modele", "Libelle_Sous_Cat_Modele"}},
        {"Modele",
         {"Numero_Modele", "Numero_Sous_Cat_Modele", "Libelle_Modele", "Corps_Modele", "Lien_Modele",
          "Lien_Fiche_Modele"}},
    }};
    return tables;
}

// The table's columns, lower-cased as the engine compares them; empty when
// the table does not exist.
QSet<QString> colonnesDe(sqlite3* base, const char* table)
{
    QSet<QString> colonnes;
    sqlite3_stmt* instruction = nullptr;
    if (sqlite3_prepare_v2(base, "SELECT name FROM pragma_table_info(?)", -1, &instruction, nullptr) == SQLITE_OK) {
        sqlite3_bind_text(instruction, 1, table, -1, SQLITE_STATIC);
        while (sqlite3_step(instruction) == SQLITE_ROW)
            colonnes.insert(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(instruction, 0))).toLower());
    }
    sqlite3_finalize(instruction);
    return colonnes;
}

// The same on a server, whose names are in lower case.
QSet<QString> colonnesSurServeur(const Connexion& connexion, const char* table)
{
    QSet<QString> colonnes;
    QSqlQuery q(connexion.base());
    q.prepare(QStringLiteral("SELECT column_name FROM information_schema.columns "
                             "WHERE table_schema = current_schema() AND table_name = ?"));
    q.addBindValue(QString::fromLatin1(table).toLower());
    if (q.exec()) {
        while (q.next())
            colonnes.insert(q.value(0).toString().toLower());
    }
    return colonnes;
}

} // namespace

QStringList manquesDuSchema(const Connexion& connexion)
{
    QStringList manques;
    sqlite3* base = connexion.poignee();
    for (const auto& [table, attendues] : tablesAttendues()) {
        const QSet<QString> presentes = connexion.estServeur() ? colonnesSurServeur(connexion, table)
                                                               : colonnesDe(base, table);
        if (presentes.isEmpty()) {
            manques << QStringLiteral("la table %1").arg(QLatin1String(table));
            continue;
        }
        for (const QString& colonne : attendues) {
            if (!presentes.contains(colonne.toLower()))
                manques << QStringLiteral("la colonne %1 de la table %2").arg(colonne, QLatin1String(table));
        }
    }
    return manques;
}
