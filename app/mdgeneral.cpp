#include "app/mdgeneral.h"

#include "app/reglagesjournal.h"
#include "platform/connexion.h"
#include "platform/dialogues.h"
#include "platform/dossierdonnees.h"
#include "platform/erreurbase.h"
#include "platform/fichierprofil.h"
#include "platform/registre.h"
#include "store/schemabase.h"
#include "platform/sauvegarde.h"
#include "store/miseajourcatalogue.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

namespace mdGeneral {

namespace {

QString& dossierForce()
{
    static QString dossier;
    return dossier;
}

// Chosen once: the program does not move during a run.
const EmplacementDonnees& emplacementInstalle()
{
    static const EmplacementDonnees e = choisirEmplacementDonnees(
        QCoreApplication::applicationDirPath(), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    return e;
}

EmplacementDonnees emplacement()
{
    if (!dossierForce().isEmpty())
        return {DossierApplication() + QStringLiteral("/Save"), true};
    return emplacementInstalle();
}

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
                              .arg(CheminMdb(), manques.join(QStringLiteral("\n- ")));
    if (cnLettre().estEnLectureSeule())
        avertissements << QStringLiteral("La base de données des lettres « %1 » est ouverte en lecture seule : "
                                         "les modifications ne pourront pas être enregistrées.").arg(CheminMdb());
    return avertissements.join(QStringLiteral("\n\n"));
}

} // namespace

QString DossierApplication()
{
    QString d = dossierForce().isEmpty() ? QCoreApplication::applicationDirPath() : dossierForce();
    while (d.size() > 1 && d.endsWith(QLatin1Char('/')))
        d.chop(1);
    return d;
}

void DefinirDossierApplication(const QString& dossier)
{
    dossierForce() = dossier;
}

QString DossierDonnees()
{
    return emplacement().dossier;
}

QString CheminMdb()
{
    return DossierDonnees() + QStringLiteral("/Lettre.mdb");
}

QString CheminIni()
{
    return DossierDonnees() + QStringLiteral("/Lettre.ini");
}

QString DossierSauvegardes()
{
    return DossierDonnees() + QStringLiteral("/Sauvegardes");
}

QString DossierLivre()
{
    return dossierLivreDe(DossierApplication());
}

QString CheminDocument(const QString& lien)
{
    const QString prefixe = QStringLiteral("Save/");
    if (!lien.startsWith(prefixe))
        return lien;
    const QString propre = DossierDonnees() + QLatin1Char('/') + lien.mid(prefixe.size());
    if (QFileInfo::exists(propre))
        return propre;
    const QString livre = DossierLivre() + QLatin1Char('/') + lien.mid(prefixe.size());
    return QFileInfo::exists(livre) ? livre : lien;
}

void OuvrirBase()
{
    cnLettre().ouvrir(CheminMdb());
}

bool EcrireRegistre(int type, const QString& chemin, const QString& valeur)
{
    return ecrireValeurRegistre(type, chemin, valeur);
}

QString LireIni(const QString& section, const QString& cle, const QString& fichier)
{
    return lireProfil(section, cle, fichier.isEmpty() ? CheminIni() : fichier);
}

QString EcrireIni(const QString& section, const QString& cle, const QString& valeur, const QString& fichier)
{
    return ecrireProfil(section, cle, valeur, fichier.isEmpty() ? CheminIni() : fichier);
}

ResultatDemarrage Demarrer()
{
    ResultatDemarrage resultat;
    EcrireRegistre(0, QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Tilvo-Lettre"), DossierApplication());
    const EmplacementDonnees donnees = emplacement();
    QString raisonCopie;
    if (!donnees.portable)
        raisonCopie = preparerBaseUtilisateur(donnees.dossier, DossierLivre() + QStringLiteral("/Lettre.mdb"));
    try {
        OuvrirBase();
        resultat.baseOuverte = true;
        resultat.avertissementBase = avertissementBase();
    } catch (const ErreurBase& e) {
        resultat.raisonBase = raisonCopie.isEmpty() ? e.raison() : e.raison() + QLatin1Char('\n') + raisonCopie;
    }
    if (resultat.baseOuverte) {
        mettreAJourLeCatalogue(resultat.avertissements);
        if (!cnLettre().estEnLectureSeule()) {
            if (const QString p = preparerJournalAuDemarrage(QDateTime::currentDateTime()); !p.isEmpty())
                resultat.avertissements << p;
        }
        armerSauvegardeQuotidienne(cnLettre().poignee(), CheminMdb(), DossierSauvegardes(), [](const QString& probleme) {
            // Said after the write it preceded, which goes on regardless.
            QTimer::singleShot(0, qApp, [probleme] { afficherErreur(probleme); });
        });
    }
    return resultat;
}

QString MessageBaseIndisponible(const ResultatDemarrage& resultat)
{
    return QStringLiteral("La base de données des lettres n'a pas pu être ouverte. "
                          "Les listes resteront vides.\n\n%1").arg(resultat.raisonBase);
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
