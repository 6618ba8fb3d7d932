// Mass printing speed: personalised one-page letters printed to PDF, one
// job per letter, through the same path as the print button
// (TextePersonnalise, then ImprimerRTF). Prints letters per second for
// 100 and 1,000 letters and the peak memory. Also the time the print
// preview of a 5-page letter takes to open, its pages drawn on screen
// (alone with the argument --apercu).
#include "output/apercu.h"
#include "output/composition.h"
#include "output/impressionlettre.h"
#include "platform/imprimante.h"
#include "richtext/frmapercu.h"
#include "richtext/richtextbox.h"
#include "rtf.h"
#include "support/basetemporaire.h"
#include "support/dialoguesscriptes.h"
#include "support/lettreessai.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

#include <sys/resource.h>

#include <cstdio>

namespace {

void ajouterDestinataires(const BaseTemporaire& base, int nombre)
{
    QStringList lignes;
    for (int i = 1; i <= nombre; ++i)
        lignes << QStringLiteral("(%1, 'Madame', 'Nom%1', 'Prénom%1', '%1 rue des Lilas', %2, '75%3', 'Paris', %4)")
                      .arg(i)
                      .arg(i % 2 ? QStringLiteral("'Bâtiment B'") : QStringLiteral("NULL"))
                      .arg(i % 1000, 3, 10, QLatin1Char('0'))
                      .arg(i % 3 ? QStringLiteral("NULL") : QStringLiteral("'Gérante'"));
    base.executer(QStringLiteral("INSERT INTO Destinataire (Numero_Destinataire, Titre_Destinataire, Nom_Destinataire, "
                                 "Prenom_Destinataire, Adresse1_Destinataire, Adresse2_Destinataire, CP_Destinataire, "
                                 "Ville_Destinataire, Fonction_Destinataire) VALUES ")
                  + lignes.join(QLatin1Char(',')));
}

double imprimer(int nombre, const QTextDocument& lettre, int& pages)
{
    QTemporaryDir sortie;
    auto* imprimante = new ImprimantePdf(sortie.path());
    installerImprimantes(imprimante);
    SaisieImpression saisie{false, {}};
    for (int i = 1; i <= nombre; ++i)
        saisie.ids << i;
    QElapsedTimer chrono;
    chrono.start();
    ImprimerLettre(saisie, lettre);
    const double secondes = chrono.nsecsElapsed() / 1e9;
    pages = 0;
    for (const QString& f : imprimante->fichiers()) {
        QFile pdf(f);
        if (pdf.open(QIODevice::ReadOnly))
            pages += int(pdf.readAll().count("/Type /Page\n") + 0);
    }
    if (qEnvironmentVariableIsSet("BENCH_GARDER")) {
        QFile::remove(qEnvironmentVariable("BENCH_GARDER"));
        QFile::copy(imprimante->fichiers().value(0), qEnvironmentVariable("BENCH_GARDER"));
    }
    return secondes;
}

// The letter with paragraphs added at its end until it makes 5 pages.
std::unique_ptr<QTextDocument> lettreDeCinqPages(const QTextDocument& lettre)
{
    const QString phrase = QStringLiteral("Je vous prie de bien vouloir prendre note de ma décision, "
                                          "mûrement réfléchie, et de m'en accuser réception. ");
    for (int paragraphes = 10;; paragraphes += 5) {
        std::unique_ptr<QTextDocument> document(lettre.clone());
        QTextCursor curseur(document.get());
        curseur.movePosition(QTextCursor::End);
        for (int i = 0; i < paragraphes; ++i)
            curseur.insertText(QStringLiteral("\n") + phrase.repeated(4));
        std::vector<LettreApercu> lettres;
        lettres.push_back({std::unique_ptr<QTextDocument>(document->clone()), QString()});
        QString raison;
        const auto apercu = ApercuLettres::creer(std::move(lettres), raison);
        if (!apercu || apercu->nombrePages() >= 5)
            return document;
    }
}

// Milliseconds from the command to the preview's pages on screen (median
// of five openings).
double ouvrirApercu(const QTextDocument& lettre, int& pages)
{
    std::vector<double> durees;
    for (int essai = 0; essai < 5; ++essai) {
        QElapsedTimer chrono;
        chrono.start();
        std::vector<LettreApercu> lettres;
        lettres.push_back({std::unique_ptr<QTextDocument>(lettre.clone()), QString()});
        QString raison;
        auto apercu = ApercuLettres::creer(std::move(lettres), raison);
        if (!apercu)
            return -1;
        FrmApercu fenetre(QStringLiteral("Aperçu"), std::move(apercu), [] {});
        fenetre.show();
        fenetre.grab();
        pages = fenetre.vue()->pageCount();
        durees.push_back(chrono.nsecsElapsed() / 1e6);
    }
    std::sort(durees.begin(), durees.end());
    return durees[durees.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BaseTemporaire base;
    ajouterDestinataires(base, 1000);
    DialoguesScriptes& dialogues = installerDialoguesScriptes();

    QFile modele(QStringLiteral(TILVO_SOURCE_DIR "/store/catalogue/corps/demission.rtf"));
    if (!modele.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "modèle de lettre introuvable\n");
        return 1;
    }
    SaisieLettre saisie = saisieComplete();
    saisie.tel1Exp = QStringLiteral("02 40 00 00 00");
    saisie.objetLettre = QStringLiteral("Démission");
    saisie.formuleLettre = QStringLiteral("Veuillez agréer, <TitreDest>, l'expression de ma considération distinguée.");
    saisie.lignesDestinataires = 1000;
    RichTextBox txtText;
    const QString corps = rtf::decoderFichier(modele.readAll());
    txtText.setTextRTF(TexteLettreEnNombre(saisie, corps));

    const bool apercuSeul = app.arguments().contains(QStringLiteral("--apercu"));
    if (!apercuSeul)
        std::printf("Impression en nombre (TextePersonnalise + ImprimerRTF, un PDF par lettre)\n");
    double secondesCent = 0;
    for (const int nombre : {100, 1000}) {
        if (apercuSeul)
            break;
        int pages = 0;
        const double s = imprimer(nombre, *txtText.document(), pages);
        if (nombre == 100)
            secondesCent = s;
        std::printf("  %5d lettres : %7.2f s, %7.1f lettres/s, %d pages\n", nombre, s, nombre / s, pages);
        if (nombre == 1000)
            std::printf("  temps 1000 / temps 100 : %.2f (linéaire : 10)\n", s / secondesCent);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    if (!apercuSeul)
        std::printf("  mémoire de pointe : %.1f Mo\n", usage.ru_maxrss / 1024.0);
    {
        QTemporaryDir papier;
        installerImprimantes(new ImprimantePdf(papier.path()));
        RichTextBox lettre;
        lettre.setTextRTF(TexteLettreIndividuelle(saisie, corps));
        const auto cinqPages = lettreDeCinqPages(*lettre.document());
        int pages = 0;
        const double ms = ouvrirApercu(*cinqPages, pages);
        std::printf("Aperçu avant impression (mise en page, dessin des pages, fenêtre affichée)\n");
        std::printf("  lettre de %d pages à l'écran : %7.1f ms (objectif : moins de 300 ms)\n", pages, ms);
    }
    if (!dialogues.messages.isEmpty() && dialogues.messages.last().icone != Icone::Aucune) {
        std::fprintf(stderr, "échec : %s\n", qPrintable(dialogues.messages.last().texte));
        return 1;
    }
    return 0;
}
