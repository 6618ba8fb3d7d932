#include "store/chargementcatalogue.h"

#include "platform/erreurbase.h"
#include "platform/recordset.h"
#include "store/miseajourcatalogue.h"
#include "store/requetes.h"

#include "version.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSet>
#include <QStringList>

namespace {

QString lireTexte(const QString& chemin, QString& probleme)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) {
        probleme = QStringLiteral("impossible de lire « %1 » : %2").arg(chemin, f.errorString());
        return QString();
    }
    return QString::fromUtf8(f.readAll());
}

// Adds a row and returns its id.
qint64 ajouterLigne(Connexion& connexion, const QString& requeteInsertion, const QString& colonneId,
                    const QList<std::pair<QString, QVariant>>& colonnes)
{
    Recordset rs(connexion);
    rs.open(requeteInsertion);
    rs.addNew();
    for (const auto& [nom, valeur] : colonnes)
        rs.setValue(nom, valeur);
    rs.update();
    const qint64 id = rs.value(colonneId).toLongLong();
    rs.close();
    return id;
}

} // namespace

QString chargerCatalogue(Connexion& connexion, const QString& manifeste, const QString& dossierCorps)
{
    QString probleme;
    const QString texte = lireTexte(manifeste, probleme);
    if (!probleme.isEmpty())
        return probleme;

    const QStringList lignes = texte.split(QLatin1Char('\n'));
    QSet<int> categories, sousCategories;
    QList<ElementRecu> recus;
    QCryptographicHash contenu(QCryptographicHash::Sha1);
    contenu.addData(texte.toUtf8());
    try {
        for (int n = 0; n < lignes.size(); ++n) {
            const QString ligne = lignes[n].trimmed();
            if (ligne.isEmpty() || ligne.startsWith(QLatin1Char('#')))
                continue;
            const QStringList champs = ligne.split(QLatin1Char('|'));
            const auto erreur = [&](const QString& quoi) {
                return QStringLiteral("%1, ligne %2 : %3").arg(manifeste).arg(n + 1).arg(quoi);
            };
            const QString type = champs.value(0);
            if (type == QLatin1String("C") && champs.size() == 3) {
                const int id = champs[1].toInt();
                if (id <= 0 || categories.contains(id))
                    return erreur(QStringLiteral("numéro de catégorie invalide ou répété."));
                categories.insert(id);
                recus.append({QStringLiteral("C:%1").arg(id), id, QString()});
                ajouterLigne(
                    connexion, QStringLiteral("SELECT * From Categorie_Modele"), QStringLiteral("Numero_Cat_Modele"),
                    {{QStringLiteral("Numero_Cat_Modele"), id}, {QStringLiteral("Libelle_Cat_Modele"), champs[2]}});
            } else if (type == QLatin1String("S") && champs.size() == 4) {
                const int id = champs[1].toInt();
                const int categorie = champs[2].toInt();
                if (id <= 0 || sousCategories.contains(id) || !categories.contains(categorie))
                    return erreur(QStringLiteral("sous-catégorie invalide, répétée, ou de catégorie inconnue."));
                sousCategories.insert(id);
                recus.append({QStringLiteral("S:%1").arg(id), id, QString()});
                ajouterLigne(connexion, QStringLiteral("SELECT * From Sous_Categorie_Modele"),
                             QStringLiteral("Numero_Sous_Cat_Modele"),
                             {{QStringLiteral("Numero_Sous_Cat_Modele"), id},
                              {QStringLiteral("Numero_Cat_Modele"), categorie},
                              {QStringLiteral("Libelle_Sous_Cat_Modele"), champs[3]}});
            } else if (type == QLatin1String("M") && champs.size() == 6) {
                const int sousCategorie = champs[1].toInt();
                if (!sousCategories.contains(sousCategorie))
                    return erreur(QStringLiteral("modèle d'une sous-catégorie inconnue."));
                const QString corps = lireTexte(dossierCorps + QLatin1Char('/') + champs[3], probleme);
                if (!probleme.isEmpty())
                    return erreur(probleme);
                contenu.addData(corps.toUtf8());
                const qint64 id = ajouterLigne(connexion, requetes::tousModeles(), QStringLiteral("Numero_Modele"),
                                               {{QStringLiteral("Numero_Sous_Cat_Modele"), sousCategorie},
                                                {QStringLiteral("Libelle_Modele"), champs[2]},
                                                {QStringLiteral("Corps_Modele"), corps},
                                                {QStringLiteral("Lien_Modele"), champs[4]},
                                                {QStringLiteral("Lien_Fiche_Modele"), champs[5]}});
                recus.append({QStringLiteral("M:") + champs[3], id, empreinteTexte(corps)});
            } else {
                return erreur(QStringLiteral("ligne non reconnue."));
            }
        }
        noterCatalogueRecu(connexion, recus, QString::fromLatin1(contenu.result().toHex()),
                           QStringLiteral(TILVO_VERSION_TEXT));
    } catch (const ErreurBase& e) {
        return e.raison();
    }
    return QString();
}
