#include "platform/emplacements.h"

#include "platform/connexion.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"
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
    const ChoixBase choix = ChoixBaseCourant();
    if (choix.type == ChoixBase::Type::SQLite) {
        cnLettre().ouvrir(CheminMdb());
        return;
    }
    // Typed once per session, kept in memory only.
    static QString motDePasseSession;
    try {
        cnLettre().ouvrirServeur(choix.serveur, motDePasseSession);
    } catch (const ErreurMotDePasse& e) {
        const QString motDePasse = DemanderMotDePasse(choix.serveur, e.raison(),
                                                      QStringLiteral("Base de données des lettres"));
        if (motDePasse.isEmpty())
            throw;
        cnLettre().ouvrirServeur(choix.serveur, motDePasse);
        motDePasseSession = motDePasse;
    }
}

QString DemanderMotDePasse(const ParametresServeur& serveur, const QString& raison, const QString& titre)
{
    return dialogues().motDePasse(
        QStringLiteral("%1\n\nMot de passe de %2 pour la base « %3 » :")
            .arg(raison, serveur.utilisateur.isEmpty() ? QStringLiteral("l'utilisateur") : serveur.utilisateur,
                 serveur.designation()),
        titre);
}

ChoixBase ChoixBaseCourant()
{
    const auto lire = [](const char* cle) { return LireIni(QStringLiteral("Base"), QLatin1String(cle), QString()); };
    ChoixBase choix;
    if (lire("Type").trimmed().compare(QStringLiteral("PostgreSQL"), Qt::CaseInsensitive) != 0)
        return choix;
    choix.type = ChoixBase::Type::PostgreSQL;
    choix.serveur.hote = lire("Hote").trimmed();
    choix.serveur.port = lire("Port").trimmed().toInt();
    choix.serveur.base = lire("Base").trimmed();
    choix.serveur.utilisateur = lire("Utilisateur").trimmed();
    choix.serveur.modeSsl = lire("ModeSSL").trimmed();
    choix.serveur.service = lire("Service").trimmed();
    return choix;
}

Reussite EnregistrerChoixBase(const ChoixBase& choix)
{
    const bool serveur = choix.type == ChoixBase::Type::PostgreSQL;
    const ParametresServeur& p = choix.serveur;
    const std::pair<const char*, QString> cles[] = {
        {"Type", serveur ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite")},
        {"Hote", p.hote},
        {"Port", p.port > 0 ? QString::number(p.port) : QString()},
        {"Base", p.base},
        {"Utilisateur", p.utilisateur},
        {"ModeSSL", p.modeSsl},
        {"Service", p.service},
    };
    for (const auto& [cle, valeur] : cles) {
        if (Reussite r = EcrireIni(QStringLiteral("Base"), QLatin1String(cle), valeur, QString()); !r)
            return r;
    }
    return {};
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
