#include "app/mdgeneral.h"

#include "platform/connexion.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "platform/sauvegarde.h"
#include "store/miseajourcatalogue.h"
#include "store/reglagesjournal.h"
#include "store/schemabase.h"

#include <QCoreApplication>
#include <QDate>
#include <QTimer>

namespace mdGeneral {

namespace {

// Brings a newer delivered catalogue in, after a backup; says what failed.
void mettreAJourLeCatalogue(QStringList& avertissements)
{
    sqlite3* base = cnLettre().poignee();
    const QString livree = DossierLivre() + QStringLiteral("/Lettre.mdb");
    if (!miseAJourNecessaire(base, livree))
        return;
    if (const QString p = sauvegarderBase(CheminMdb(), DossierSauvegardes(), QDate::currentDate()); !p.isEmpty())
        avertissements << p;
    if (const QString p = mettreAJourCatalogue(base, livree); !p.isEmpty())
        avertissements << p;
}

// Missing tables or columns, and a file the engine can only read.
QString avertissementBase()
{
    QStringList avertissements;
    const QStringList manques = manquesDuSchema(cnLettre());
    if (!manques.isEmpty())
        avertissements << QStringLiteral("La base de données des lettres « %1 » est incomplète ; il y manque :\n- %2\n"
                                         "Les commandes qui en ont besoin ne pourront pas fonctionner.")
                              .arg(cnLettre().chemin(), manques.join(QStringLiteral("\n- ")));
    if (cnLettre().estEnLectureSeule())
        avertissements << QStringLiteral("La base de données des lettres « %1 » est ouverte en lecture seule : "
                                         "les modifications ne pourront pas être enregistrées.")
                              .arg(cnLettre().chemin());
    return avertissements.join(QStringLiteral("\n\n"));
}

} // namespace

ResultatDemarrage Demarrer()
{
    ResultatDemarrage resultat;
    EcrireRegistre(0, QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Tilvo-Lettre"), DossierApplication());
    const EmplacementDonnees donnees = EmplacementCourant();
    QString raisonCopie;
    if (!donnees.portable && ChoixBaseCourant().type == ChoixBase::Type::SQLite)
        raisonCopie = preparerBaseUtilisateur(donnees.dossier, DossierLivre() + QStringLiteral("/Lettre.mdb"));
    try {
        OuvrirBase();
        resultat.baseOuverte = true;
        resultat.avertissementBase = avertissementBase();
    } catch (const ErreurBase& e) {
        resultat.raisonBase = raisonCopie.isEmpty() ? e.raison() : e.raison() + QLatin1Char('\n') + raisonCopie;
    }
    // A server's catalogue and backups are the office's: only a file gets
    // the delivered catalogue's updates and the daily copy.
    const bool fichier = resultat.baseOuverte && !cnLettre().estServeur();
    if (fichier)
        mettreAJourLeCatalogue(resultat.avertissements);
    if (resultat.baseOuverte && !cnLettre().estEnLectureSeule()) {
        if (const QString p = preparerJournalAuDemarrage(QDateTime::currentDateTime()); !p.isEmpty())
            resultat.avertissements << p;
    }
    if (fichier)
        armerSauvegardeQuotidienne(cnLettre().poignee(), CheminMdb(), DossierSauvegardes(),
                                   [](const QString& probleme) {
                                       // Said after the write it preceded, which goes on regardless.
                                       QTimer::singleShot(0, qApp, [probleme] { afficherErreur(probleme); });
                                   });
    return resultat;
}

QString MessageBaseIndisponible(const ResultatDemarrage& resultat)
{
    return QStringLiteral("La base de données des lettres n'a pas pu être ouverte. "
                          "Les listes resteront vides.\n\n%1")
        .arg(resultat.raisonBase);
}

QString MessageDemarrage(const ResultatDemarrage& resultat)
{
    if (!resultat.baseOuverte)
        return MessageBaseIndisponible(resultat);
    QStringList messages = resultat.avertissements;
    if (!resultat.avertissementBase.isEmpty())
        messages.prepend(resultat.avertissementBase);
    return messages.join(QStringLiteral("\n\n"));
}

} // namespace mdGeneral
