#include "app/mdgeneral.h"

#include "platform/connexion.h"
#include "platform/erreurbase.h"
#include "platform/fichierprofil.h"
#include "platform/registre.h"
#include "store/schemabase.h"

#include <QCoreApplication>
#include <exception>

namespace mdGeneral {

namespace {

QString& dossierForce()
{
    static QString dossier;
    return dossier;
}

// Runs one start-up step; whatever goes wrong in it is left behind.
void sansEchec(const std::function<void()>& etape)
{
    if (!etape)
        return;
    try {
        etape();
    } catch (const std::exception&) {
    }
}

// Missing tables or columns, and a file the engine can only read.
QString avertissementBase()
{
    QStringList avertissements;
    const QStringList manques = manquesDuSchema(cnLettre());
    if (!manques.isEmpty())
        avertissements << QStringLiteral("La base de données des lettres « %1 » est incomplète ; il y manque :\n- %2\n"
                                         "Les commandes qui en ont besoin ne pourront pas fonctionner.")
                              .arg(CheminBase(), manques.join(QStringLiteral("\n- ")));
    if (cnLettre().estEnLectureSeule())
        avertissements << QStringLiteral("La base de données des lettres « %1 » est ouverte en lecture seule : "
                                         "les modifications ne pourront pas être enregistrées.").arg(CheminBase());
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

QString CheminBase()
{
    return DossierApplication() + QStringLiteral("/Save/Lettre.mdb");
}

QString CheminIni()
{
    return DossierApplication() + QStringLiteral("/Save/Lettre.ini");
}

void OuvrirBase()
{
    cnLettre().ouvrir(CheminBase());
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

ResultatDemarrage Demarrer(const EtapesDemarrage& etapes)
{
    ResultatDemarrage resultat;
    sansEchec([] { EcrireRegistre(0, QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Tilvo-Lettre"), DossierApplication()); });
    try {
        OuvrirBase();
        resultat.baseOuverte = true;
        resultat.avertissementBase = avertissementBase();
    } catch (const ErreurBase& e) {
        resultat.raisonBase = e.raison();
    }
    sansEchec(etapes.placerPanneaux);
    sansEchec(etapes.initialiserEtape);
    sansEchec(etapes.remplirExpediteurs);
    sansEchec(etapes.remplirDestinataires);
    sansEchec(etapes.remplirListeDestinataires);
    sansEchec(etapes.remplirCategories);
    sansEchec(etapes.modeIndividuel);
    sansEchec(etapes.optionTexte);
    // Not during the steps above: each would wait on a locked file again.
    if (!resultat.baseOuverte)
        cnLettre().prevoirNouvelEssai();
    return resultat;
}

QString MessageBaseIndisponible(const ResultatDemarrage& resultat)
{
    return QStringLiteral("La base de données des lettres n'a pas pu être ouverte. "
                          "Les listes resteront vides.\n\n%1").arg(resultat.raisonBase);
}

QString MessageDemarrage(const ResultatDemarrage& resultat)
{
    return resultat.baseOuverte ? resultat.avertissementBase : MessageBaseIndisponible(resultat);
}

} // namespace mdGeneral
