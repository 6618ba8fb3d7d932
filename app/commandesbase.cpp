#include "app/commandesbase.h"

#include "platform/connexion.h"
#include "platform/emplacements.h"
#include "platform/erreurbase.h"
#include "store/baseserveur.h"

#include <QTextStream>

#include <cstring>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

const char* const kInitialiser = "--initialiser-base-postgresql";
const char* const kCopier = "--copier-vers-postgresql";

// A line typed on the terminal, not shown while typed; read as is from a
// pipe.
QString lireMotDePasse(const QString& invite)
{
    QTextStream(stderr) << invite << Qt::flush;
    termios ancien{};
    const bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &ancien) == 0;
    if (terminal) {
        termios cache = ancien;
        cache.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &cache);
    }
    std::string ligne;
    std::getline(std::cin, ligne);
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &ancien);
        std::cerr << std::endl;
    }
    return QString::fromLocal8Bit(ligne.c_str());
}

// libpq finds the password itself in ~/.pgpass, a service file or
// PGPASSWORD; otherwise it is asked once.
void ouvrirServeur(const ParametresServeur& serveur)
{
    try {
        cnLettre().ouvrirServeur(serveur);
    } catch (const ErreurMotDePasse& e) {
        const QString motDePasse = lireMotDePasse(
            QStringLiteral("%1\nMot de passe de %2 pour la base « %3 » : ")
                .arg(e.raison(), serveur.utilisateur.isEmpty() ? QStringLiteral("l'utilisateur") : serveur.utilisateur,
                     serveur.designation()));
        if (motDePasse.isEmpty())
            throw;
        cnLettre().ouvrirServeur(serveur, motDePasse);
    }
}

QString fichierACopier(const QStringList& arguments)
{
    const qsizetype i = arguments.indexOf(QLatin1String(kCopier));
    if (i >= 0 && i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--")))
        return arguments[i + 1];
    return mdGeneral::CheminMdb();
}

} // namespace

bool estCommandeBase(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], kInitialiser) == 0 || std::strcmp(argv[i], kCopier) == 0)
            return true;
    }
    return false;
}

int executerCommandeBase(const QStringList& arguments)
{
    QTextStream sortie(stdout);
    QTextStream erreurs(stderr);
    const ChoixBase choix = mdGeneral::ChoixBaseCourant();
    if (choix.type != ChoixBase::Type::PostgreSQL) {
        erreurs << QStringLiteral("Le fichier de réglages « %1 » ne désigne pas de base sur un serveur PostgreSQL : "
                                  "indiquez-la dans sa section [Base] (Type=PostgreSQL, Hote, Port, Base, "
                                  "Utilisateur), puis relancez la commande.")
                       .arg(mdGeneral::CheminIni())
                << Qt::endl;
        return 1;
    }
    int statut = 0;
    try {
        ouvrirServeur(choix.serveur);
        if (arguments.contains(QLatin1String(kCopier))) {
            const ComptesCopie comptes = copierVersServeur(fichierACopier(arguments), cnLettre());
            sortie << QStringLiteral("Copie terminée : %1.").arg(detailComptes(comptes)) << Qt::endl;
        } else {
            const ComptesCopie comptes = initialiserBaseServeur(
                cnLettre(), mdGeneral::DossierLivre() + QStringLiteral("/Lettre.mdb"));
            sortie << QStringLiteral("La base « %1 » est prête, avec le catalogue livré : %2.")
                          .arg(choix.serveur.designation(), detailCatalogue(comptes))
                   << Qt::endl;
        }
    } catch (const RefusBaseServeur& e) {
        erreurs << e.raison() << Qt::endl;
        statut = 1;
    } catch (const ErreurMotDePasse& e) {
        erreurs << e.raison() << Qt::endl;
        statut = 1;
    } catch (const ErreurBase& e) {
        erreurs << e.raison() << Qt::endl;
        statut = 2;
    }
    cnLettre().fermer();
    return statut;
}
