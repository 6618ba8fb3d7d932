#include "platform/emplacements.h"

#include "platform/connexion.h"
#include "platform/fichierprofil.h"
#include "platform/registre.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

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
    return EmplacementCourant().dossier;
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

Reussite EcrireIni(const QString& section, const QString& cle, const QString& valeur, const QString& fichier)
{
    return ecrireProfil(section, cle, valeur, fichier.isEmpty() ? CheminIni() : fichier);
}

EmplacementDonnees EmplacementCourant()
{
    if (!dossierForce().isEmpty())
        return {DossierApplication() + QStringLiteral("/Save"), true};
    return emplacementInstalle();
}

} // namespace mdGeneral
