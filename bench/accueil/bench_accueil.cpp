// Start-up of the main window on a large address book: 32,767 recipients,
// 2,000 senders and 2,000 models. Measures the time from the window's
// creation (start-up sequence with every fill) until it is shown and
// painted, and the resident memory of the process then. The measure runs in
// a child process of its own so that building the database does not count
// in its memory. Also times a search among the recipients keystroke by
// keystroke, the refills that follow a recipient save and the fill of a
// 500-model list.
#include "app/frmaccueil.h"
#include "app/recherchecarnet.h"
#include "platform/connexion.h"
#include "platform/dialogues.h"
#include "platform/dossierdonnees.h"
#include "platform/emplacements.h"
#include "platform/erreurbase.h"
#include "store/baseserveur.h"
#include "store/miseajourcatalogue.h"
#include "support/basetemporaire.h"
#include "support/dialoguesscriptes.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QToolButton>
#include <QTreeView>

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kDestinataires = 32767;
constexpr int kExpediteurs = 2000;
constexpr int kModeles = 2000;

const QStringList kNoms{"Martin",   "Bernard",    "Thomas",     "Petit",    "Robert",   "Richard", "Durand",
                        "Dubois",   "Moreau",     "Laurent",    "Simon",    "Michel",   "Lefèvre", "Leroy",
                        "Roux",     "David",      "Bertrand",   "Morel",    "Fournier", "Girard",  "Bonnet",
                        "Dupont",   "Lambert",    "Fontaine",   "Rousseau", "Vincent",  "Müller",  "Faure",
                        "André",    "Mercier",    "Blanc",      "Guérin",   "Boyer",    "Garnier", "Chevalier",
                        "François", "Legrand",    "Gauthier",   "Garcia",   "Perrin",   "Robin",   "Clément",
                        "Morin",    "Nicolas",    "Henry",      "Roussel",  "Mathieu",  "Gautier", "Masson",
                        "Marchand", "d'Estienne", "de La Tour", "Œillet",   "Élie",     "Écuyer",  "Ibáñez"};
const QStringList kPrenoms{"Léa",    "Hugo",   "Chloé",  "Lucas",   "Manon",   "Louis",   "Inès",
                           "Jules",  "Zoé",    "Éric",   "Anaïs",   "Noé",     "Camille", "Gaël",
                           "Hélène", "Jérôme", "Océane", "Raphaël", "Margaux", "Théo"};
const QStringList kTitres{"Madame", "Monsieur", "Mademoiselle", "Madame, Monsieur", "Maître", ""};

QString guillemets(QString s)
{
    s.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

void remplirBase(const BaseTemporaire& base)
{
    QStringList sql;
    QStringList lignes;
    for (int i = 1; i <= kDestinataires; ++i)
        lignes << QStringLiteral("(%1,%2,%3,%4,'%5 rue des Lilas','','75%6','Paris','','p%5@exemple.fr')")
                      .arg(i)
                      .arg(guillemets(kTitres.at(i % kTitres.size())),
                           guillemets(kNoms.at((i * 7) % kNoms.size()) + QString::number(i % 97)),
                           guillemets(kPrenoms.at((i * 13) % kPrenoms.size())))
                      .arg(i)
                      .arg(i % 1000, 3, 10, QLatin1Char('0'));
    sql << QStringLiteral("INSERT INTO Destinataire VALUES ") + lignes.join(QLatin1Char(',')) + QLatin1Char(';');
    lignes.clear();
    for (int i = 1; i <= kExpediteurs; ++i)
        lignes << QStringLiteral("(%1,%2,%3,%4,'1 place','', '69000','Lyon','04','06','')")
                      .arg(i)
                      .arg(guillemets(kTitres.at(i % kTitres.size())), guillemets(kNoms.at(i % kNoms.size())),
                           guillemets(kPrenoms.at(i % kPrenoms.size())));
    sql << QStringLiteral("INSERT INTO Expediteur VALUES ") + lignes.join(QLatin1Char(',')) + QLatin1Char(';');
    // 8 categories of 5 sub-categories; sub-category 1 holds 500 models, the
    // others share the rest.
    lignes.clear();
    for (int c = 1; c <= 8; ++c)
        lignes << QStringLiteral("(%1,'Catégorie %1')").arg(c);
    sql << QStringLiteral("INSERT INTO Categorie_Modele VALUES ") + lignes.join(QLatin1Char(',')) + QLatin1Char(';');
    lignes.clear();
    for (int s = 1; s <= 40; ++s)
        lignes << QStringLiteral("(%1,%2,'Sous-catégorie %1')").arg(s).arg((s - 1) / 5 + 1);
    sql << QStringLiteral("INSERT INTO Sous_Categorie_Modele VALUES ") + lignes.join(QLatin1Char(','))
            + QLatin1Char(';');
    lignes.clear();
    const QString corps = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ")
        + QStringLiteral("Madame, Monsieur, je vous écris au sujet de mon dossier. ").repeated(20)
        + QStringLiteral("\\par}");
    for (int m = 1; m <= kModeles; ++m)
        lignes << QStringLiteral("(%1,%2,'Modèle %1',%3,'','')")
                      .arg(m)
                      .arg(m <= 500 ? 1 : 2 + (m % 39))
                      .arg(guillemets(corps));
    sql << QStringLiteral("INSERT INTO Modele VALUES ") + lignes.join(QLatin1Char(',')) + QLatin1Char(';');
    base.executer(sql.join(QLatin1Char('\n')));
}

// Marks the generated database as having received the delivered catalogue.
void recevoirCatalogueLivre(const BaseTemporaire& base)
{
    sqlite3* livree = nullptr;
    sqlite3_open_v2(TILVO_BASE_LIVREE, &livree, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* q = nullptr;
    QStringList lignes;
    sqlite3_prepare_v2(livree, "SELECT Cle, Empreinte FROM Catalogue_Recu WHERE Cle IN ('contenu', 'version')", -1, &q,
                       nullptr);
    while (sqlite3_step(q) == SQLITE_ROW)
        lignes << QStringLiteral("('%1', 0, '%2')")
                      .arg(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(q, 0))),
                           QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(q, 1))));
    sqlite3_finalize(q);
    sqlite3_close(livree);
    base.executer(QStringLiteral("CREATE TABLE Catalogue_Recu (Cle TEXT PRIMARY KEY, Numero INTEGER, Empreinte TEXT);"
                                 "INSERT INTO Catalogue_Recu VALUES ")
                  + lignes.join(QLatin1Char(',')));
}

double residentMo()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> champs = statm.readAll().split(' ');
    return champs.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// High-water mark of this process's resident memory (VmHWM: unlike the
// rusage figure, it does not carry over the parent's across exec).
double picMo()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& ligne : status.readAll().split('\n'))
        if (ligne.startsWith("VmHWM:"))
            return ligne.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

double millisecondes(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// One start of the window on the folder (none: the program as installed,
// its data in $XDG_DATA_HOME); prints one line of figures.
int mesurer(const QString& dossier, bool premiere)
{
    mdGeneral::DefinirDossierApplication(dossier);
    installerDialoguesScriptes();
    const double avant = residentMo();
    QElapsedTimer chrono;
    chrono.start();
    FrmAccueil fenetre;
    const double chargement = millisecondes(chrono);
    fenetre.show();
    QApplication::processEvents();
    fenetre.repaint();
    const double prete = millisecondes(chrono);
    const double resident = residentMo();
    const auto* liste = fenetre.findChild<QTreeView*>(QStringLiteral("lsvDest"));
    const auto* choix = fenetre.findChild<QComboBox*>(QStringLiteral("cmbDestinataire"));
    if (!fenetre.demarrage().baseOuverte || liste->model()->rowCount() != kDestinataires
        || choix->count() != kDestinataires) {
        std::fprintf(stderr, "la fenêtre n'a pas chargé la base générée\n");
        return 1;
    }
    std::printf(
        "%s%s%s démarrage %.0f ms (chargement %.0f ms), mémoire résidente %.1f Mo (%.1f Mo avant la fenêtre, pic %.1f Mo)\n",
        cnLettre().estServeur() ? "PostgreSQL, " : "", dossier.isEmpty() ? "installé, " : "",
        premiere ? "premier" : "suivant", prete, chargement, resident, avant, picMo());
    if (!premiere)
        return 0;

    // The search index the start-up builds over the recipients.
    QStringList libelles;
    for (int i = 0; i < choix->count(); ++i)
        libelles << choix->itemText(i);
    IndexRecherche index;
    chrono.restart();
    index.remplir(libelles, libelles, QStringList(libelles.size(), QStringLiteral("Saint-Étienne")));
    std::printf("index de recherche sur %lld destinataires : %.0f ms\n", static_cast<long long>(libelles.size()),
                millisecondes(chrono));

    // Searching the recipients: each keystroke filters the 32,767 rows and
    // lists the matches under the box (the target is 30 ms a keystroke).
    auto* recherche = fenetre.findChild<QLineEdit*>(QStringLiteral("txtRechercheDest"));
    for (const QString& mot :
         {QStringLiteral("e"), QStringLiteral("lefèvre1"), QStringLiteral("PARIS"), QStringLiteral("zzz")}) {
        recherche->clear();
        double pire = 0;
        for (const QChar c : mot) {
            QKeyEvent touche(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            chrono.restart();
            QApplication::sendEvent(recherche, &touche);
            QApplication::processEvents();
            pire = std::max(pire, millisecondes(chrono));
        }
        std::printf("recherche « %s » frappée lettre à lettre : %.1f ms au plus par touche\n", qPrintable(mot), pire);
    }

    // A recipient saved: the chooser and the mass list are refilled.
    fenetre.findChild<QLineEdit*>(QStringLiteral("txtNomDest"))->setText(QStringLiteral("Nouveau"));
    chrono.restart();
    fenetre.EnregistrerDestinataire();
    std::printf("enregistrement d'un destinataire avec les deux listes rechargées : %.0f ms\n", millisecondes(chrono));

    auto* categories = fenetre.findChild<QComboBox*>(QStringLiteral("cmbCategorieModele"));
    auto* sousCategories = fenetre.findChild<QComboBox*>(QStringLiteral("cmbSousCategorieModele"));
    categories->setCurrentIndex(categories->findText(QStringLiteral("Catégorie 1")));
    fenetre.RemplirSousCategories();
    sousCategories->setCurrentIndex(sousCategories->findText(QStringLiteral("Sous-catégorie 1")));
    chrono.restart();
    fenetre.RemplirModeles();
    std::printf("liste de 500 modèles : %.0f ms\n", millisecondes(chrono));
    return 0;
}

// The same address book on a PostgreSQL server over a local socket (the
// tests' throw-away server), side by side with the file.
int mesurerSurServeur(const BaseTemporaire& base)
{
    QString raison;
    ServeurEssai* serveur = ServeurEssai::instance(&raison);
    if (!serveur) {
        std::printf("PostgreSQL : non mesuré (%s)\n", qPrintable(raison));
        return 0;
    }
    const QString dossier = base.dossier() + QStringLiteral("/serveur");
    QDir().mkpath(dossier + QStringLiteral("/Save"));
    mdGeneral::DefinirDossierApplication(dossier);
    ChoixBase choix;
    choix.type = ChoixBase::Type::PostgreSQL;
    choix.serveur = serveur->nouvelleBase();
    QElapsedTimer chrono;
    chrono.start();
    try {
        if (!mdGeneral::EnregistrerChoixBase(choix))
            return 1;
        cnLettre().ouvrirServeur(choix.serveur);
        copierVersServeur(base.cheminBase(), cnLettre());
    } catch (const ErreurBase& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.raison()));
        return 1;
    }
    cnLettre().fermer();
    std::printf("PostgreSQL, socket local : base copiée en %.1f s\n", millisecondes(chrono) / 1000.0);
    std::fflush(stdout);
    // The starts that save nothing first: the last one adds a recipient.
    int echec = 0;
    for (int i = 0; i < 4 && !echec; ++i) {
        QProcess mesure;
        mesure.setProcessChannelMode(QProcess::ForwardedChannels);
        mesure.start(QApplication::applicationFilePath(),
                     {i < 3 ? QStringLiteral("--mesurer-encore") : QStringLiteral("--mesurer"), dossier});
        mesure.waitForFinished(-1);
        echec = mesure.exitCode();
    }
    return echec;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--mesurer"))
        return mesurer(args.at(2), true);
    if (args.size() == 3 && args.at(1) == QLatin1String("--mesurer-encore"))
        return mesurer(args.at(2), false);
    if (args.size() == 2 && args.at(1) == QLatin1String("--mesurer-installe"))
        return mesurer(QString(), false);

    BaseTemporaire base;
    QElapsedTimer chrono;
    chrono.start();
    remplirBase(base);
    std::printf("base générée : %d destinataires, %d expéditeurs, %d modèles (%.1f s)\n", kDestinataires, kExpediteurs,
                kModeles, millisecondes(chrono) / 1000.0);
    cnLettre().fermer();
    std::fflush(stdout);
    // BENCH_GARDER=<file> keeps the generated database for a closer look.
    if (qEnvironmentVariableIsSet("BENCH_GARDER")) {
        QFile::remove(qEnvironmentVariable("BENCH_GARDER"));
        QFile::copy(base.cheminBase(), qEnvironmentVariable("BENCH_GARDER"));
    }

    // Both modes find the delivered catalogue, already received: the check
    // for a newer one is part of every start.
    recevoirCatalogueLivre(base);
    const QString livree = base.dossier() + QStringLiteral("/share/tilvo-lettres/Lettre.mdb");
    QDir().mkpath(QFileInfo(livree).absolutePath());
    QFile::copy(QStringLiteral(TILVO_BASE_LIVREE), livree);
    cnLettre().fermer();

    int echec = 0;
    for (int i = 0; i < 5 && !echec; ++i) {
        // Each run starts from a copy, so the save of the first one does
        // not change what the others load.
        const QString copie = base.dossier() + QStringLiteral("/copie");
        QDir().mkpath(copie + QStringLiteral("/Save"));
        QFile::remove(copie + QStringLiteral("/Save/Lettre.mdb"));
        QFile::copy(base.cheminBase(), copie + QStringLiteral("/Save/Lettre.mdb"));
        QProcess mesure;
        mesure.setProcessChannelMode(QProcess::ForwardedChannels);
        mesure.start(QApplication::applicationFilePath(),
                     {i == 0 ? QStringLiteral("--mesurer") : QStringLiteral("--mesurer-encore"), copie});
        mesure.waitForFinished(-1);
        echec = mesure.exitCode();
    }

    // Installed: a copy of this program in <dossier>/bin, beside the
    // delivered share/tilvo-lettres, its data in $XDG_DATA_HOME.
    const QString programme = base.dossier() + QStringLiteral("/bin/bench_accueil");
    QDir().mkpath(base.dossier() + QStringLiteral("/bin"));
    QFile::copy(QApplication::applicationFilePath(), programme);
    const QString donnees = base.dossier() + QStringLiteral("/xdg/tilvo-lettres/Save");
    QDir().mkpath(donnees);
    QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
    environnement.insert(QStringLiteral("XDG_DATA_HOME"), base.dossier() + QStringLiteral("/xdg"));
    for (int i = 0; i < 4 && !echec; ++i) {
        QFile::remove(donnees + QStringLiteral("/Lettre.mdb"));
        QFile::copy(base.cheminBase(), donnees + QStringLiteral("/Lettre.mdb"));
        QProcess mesure;
        mesure.setProcessChannelMode(QProcess::ForwardedChannels);
        mesure.setProcessEnvironment(environnement);
        mesure.start(programme, {QStringLiteral("--mesurer-installe")});
        mesure.waitForFinished(-1);
        echec = mesure.exitCode();
    }

    // What installed mode adds to a start, measured alone: choosing the
    // data folder, finding the database there, and the one read that shows
    // the delivered catalogue was already received.
    cnLettre().ouvrir(donnees + QStringLiteral("/Lettre.mdb"));
    constexpr int kTours = 200;
    QElapsedTimer tours;
    tours.start();
    for (int i = 0; i < kTours; ++i) {
        const EmplacementDonnees e = choisirEmplacementDonnees(base.dossier() + QStringLiteral("/bin"),
                                                               base.dossier() + QStringLiteral("/xdg"));
        preparerBaseUtilisateur(e.dossier, livree);
        if (miseAJourNecessaire(cnLettre().poignee(), livree))
            echec = 1;
    }
    std::printf("surcoût du mode installé au démarrage : %.2f ms\n", millisecondes(tours) / kTours);
    cnLettre().fermer();
    if (!echec)
        echec = mesurerSurServeur(base);
    return echec;
}
