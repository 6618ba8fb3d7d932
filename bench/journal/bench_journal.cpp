// The correspondence journal holding 100,000 one-page letters: what one more
// entry costs (time, and bytes of database), how long the journal window
// takes to open, and how long a search keystroke takes to filter the list.
#include "app/frmjournal.h"
#include "output/composition.h"
#include "platform/connexion.h"
#include "support/basetemporaire.h"
#include "support/dialoguesscriptes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kEntrees = 100000;
constexpr int kMesures = 200;

const QStringList kNoms{"Martin", "Bernard", "Thomas", "Petit",    "Robert", "Richard", "Durand", "Dubois",
                        "Moreau", "Lefèvre", "Guérin", "François", "Œillet", "Élie",    "Écuyer"};
const QStringList kVilles{"Paris", "Lyon", "Saint-Étienne", "Nantes", "Besançon", "Nîmes", "Orléans", "Lille"};
const QStringList kObjets{"Résiliation du bail", "Demande de remboursement",   "Réclamation",
                          "Préavis de départ",   "Contestation d'une facture", "Demande d'attestation"};

// A one-page letter as the program composes it: the template filled, with
// a body of some twenty lines.
QString lettre(int i)
{
    SaisieLettre s;
    s.titreExp = QStringLiteral("Monsieur");
    s.nomExp = QStringLiteral("Lefèvre");
    s.prenomExp = QStringLiteral("Jérôme");
    s.adresse1Exp = QStringLiteral("5 allée des Tilleuls");
    s.cpExp = QStringLiteral("44000");
    s.villeExp = QStringLiteral("Nantes");
    s.titreDest = QStringLiteral("Madame");
    s.nomDest = kNoms.at(i % kNoms.size());
    s.adresse1Dest = QStringLiteral("%1 rue de la République").arg(i % 200);
    s.cpDest = QStringLiteral("69003");
    s.villeDest = kVilles.at(i % kVilles.size());
    s.dateLettre = QStringLiteral("12 mars 2026");
    s.villeLettre = QStringLiteral("Nantes");
    s.objetLettre = kObjets.at(i % kObjets.size());
    s.formuleLettre = QStringLiteral("Je vous prie d'agréer, Madame, l'expression de mes salutations distinguées.");
    QString corps = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs22 ");
    for (int ligne = 0; ligne < 20; ++ligne)
        corps += QStringLiteral(
                     "Par la présente, je vous informe de ma décision n° %1, conformément aux dispositions du contrat "
                     "signé le %2 et aux conditions générales qui s'y rapportent.\\par ")
                     .arg(i)
                     .arg(ligne + 1);
    corps += QLatin1Char('}');
    return TexteLettreIndividuelle(s, corps);
}

EntreeJournal entree(int i)
{
    EntreeJournal e;
    e.quand = QDateTime(QDate(2020, 1, 1), QTime(9, 0)).addSecs(qint64(i) * 1800);
    e.canal = i % 3 ? canal::impression : canal::mail;
    e.destinataire = {
        i % 5000, QStringLiteral("Madame %1").arg(kNoms.at(i % kNoms.size())),
        QStringLiteral("%1 rue de la République\n69003 %2").arg(i % 200).arg(kVilles.at(i % kVilles.size())),
        kVilles.at(i % kVilles.size())};
    e.expediteur = {1, QStringLiteral("Monsieur Jérôme Lefèvre"), QStringLiteral("5 allée des Tilleuls\n44000 Nantes"),
                    QString()};
    e.modele = QStringLiteral("Lettre type");
    e.objet = kObjets.at(i % kObjets.size());
    e.pages = 1;
    e.rtf = lettre(i);
    return e;
}

double ms(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// This thread's processor time, in ms: what a step costs when other
// programs share the machine.
double msProcesseur()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

qint64 tailleBase(const QString& chemin)
{
    cnLettre().fermer();
    const qint64 taille = QFileInfo(chemin).size();
    cnLettre().ouvrir(chemin);
    return taille;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    installerDialoguesScriptes();
    BaseTemporaire base;

    QElapsedTimer chrono;
    chrono.start();
    const qint64 avant = tailleBase(base.cheminBase());
    {
        Transaction transaction;
        for (int i = 0; i < kEntrees; ++i)
            noterEnvoi(entree(i), true);
        transaction.valider();
    }
    const qint64 apres = tailleBase(base.cheminBase());
    std::printf(
        "journal généré : %d lettres d'une page (%.1f s), %.2f Ko de base par lettre (texte RTF d'environ %.1f Ko)\n",
        kEntrees, ms(chrono) / 1000, double(apres - avant) / kEntrees / 1024, double(lettre(1).toUtf8().size()) / 1024);

    double pire = 0, total = 0;
    for (int i = 0; i < kMesures; ++i) {
        const EntreeJournal e = entree(kEntrees + i);
        chrono.restart();
        noterEnvoi(e, true);
        const double duree = ms(chrono);
        pire = std::max(pire, duree);
        total += duree;
    }
    std::printf("enregistrement d'une entrée : %.2f ms en moyenne, %.2f ms au plus\n", total / kMesures, pire);

    chrono.restart();
    const QList<EntreeJournal> lues = lireJournal();
    std::printf("lecture des %lld entrées : %.0f ms\n", static_cast<long long>(lues.size()), ms(chrono));
    chrono.restart();
    RechercheJournal index;
    index.charger(lues);
    index.filtrer({QStringLiteral("x"), {}, {}, {}}); // waits for the folding
    std::printf("index de recherche : %.0f ms\n", ms(chrono));

    chrono.restart();
    const double processeur = msProcesseur();
    FrmJournal fenetre;
    fenetre.show();
    QApplication::processEvents();
    const double ouverture = ms(chrono);
    const double ouvertureProcesseur = msProcesseur() - processeur;
    std::printf("ouverture de la fenêtre du journal (%lld entrées) : %.0f ms (%.0f ms de processeur)\n",
                static_cast<long long>(fenetre.entreesAffichees().size()), ouverture, ouvertureProcesseur);

    auto* recherche = fenetre.findChild<QLineEdit*>(QStringLiteral("txtRecherche"));
    for (const QString& mot : {QStringLiteral("etienne"), QStringLiteral("RÉSILIATION")}) {
        recherche->clear();
        double pireTouche = 0;
        for (int n = 1; n <= mot.size(); ++n) {
            chrono.restart();
            recherche->setText(mot.left(n));
            QApplication::processEvents();
            pireTouche = std::max(pireTouche, ms(chrono));
        }
        std::printf("recherche « %s » frappée lettre à lettre : %.1f ms au plus par touche\n", qPrintable(mot),
                    pireTouche);
    }
    return 0;
}
