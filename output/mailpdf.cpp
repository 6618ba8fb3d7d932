#include "output/mailpdf.h"

#include "output/enregistrementpdf.h"
#include "output/impressionlettre.h"
#include "output/lotpdf.h"
#include "output/messages.h"
#include "platform/bureau.h"
#include "platform/dialogues.h"
#include "rtf.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextDocument>

namespace {

// A folder only this user can read, kept after the program is done with it:
// the mail program reads the attachment later.
QString dossierPrive(QString& raison)
{
    QTemporaryDir dossier(QDir::tempPath() + QStringLiteral("/tilvo-lettres-XXXXXX"));
    if (!dossier.isValid()) {
        raison = QStringLiteral("Le dossier temporaire de la lettre n'a pas pu être créé.");
        return {};
    }
    dossier.setAutoRemove(false);
    return dossier.path();
}

// No mail program: the letter is where it was written; offer to open the
// folder so that the user attaches it by hand.
void proposerLeDossier(const QString& dossier)
{
    if (demanderConfirmation(QStringLiteral("Aucun programme de messagerie n'est configuré sur cet ordinateur pour "
                                            "envoyer la lettre.\n\nLa lettre en PDF est enregistrée dans :\n%1\n\n"
                                            "Voulez-vous ouvrir ce dossier pour la joindre vous-même à un message ?")
                                 .arg(dossier))
        == Reponse::Oui)
        bureau().ouvrir(dossier, QString());
}

void envoyerIndividuelle(const SaisieMailPdf& saisie, const QTextDocument& lettre)
{
    const QStringList adresses = saisie.mailDest.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QString adresse = adresses.join(QLatin1Char(',')).trimmed();
    if (adresse.isEmpty()) {
        afficherErreur(messageAucuneAdresse());
        return;
    }
    QString raison;
    const QString dossier = dossierPrive(raison);
    if (dossier.isEmpty()) {
        afficherErreur(raison);
        return;
    }
    const SaisieLettre& l = saisie.lettre;
    const QString chemin = QDir(dossier).filePath(
        nomFichierLettre(saisie.dateIso, l.nomDest, l.prenomDest, l.objetLettre));
    DocumentPdf fichier(chemin, proprietesPdf(l, saisie.archivage));
    const int pages = fichier.ajouterLettre(lettre);
    if (!fichier.terminer(raison)) {
        afficherErreur(QStringLiteral("La lettre en PDF n'a pas pu être préparée : %1").arg(raison));
        return;
    }
    if (!ouvrirMessageAvecPiece(adresse, l.objetLettre, chemin)) {
        proposerLeDossier(dossier);
        return;
    }
    JournalSortie(canal::mailPdf, saisie.envoi).noter(rtf::ecrireRtf(lettre), kAucunEnregistrement, pages);
}

void envoyerEnNombre(const SaisieMailPdf& saisie, const QTextDocument& lettre)
{
    const QList<FicheDestinataire> fiches = fichesDe(saisie.ids);
    QList<FicheDestinataire> avecAdresse;
    QList<RecordId> idsAvecAdresse;
    QList<RecordId> sansAdresse; // list order
    for (qsizetype i = 0; i < fiches.size(); ++i) {
        if (fiches[i].mail.trimmed().isEmpty()) {
            sansAdresse << saisie.ids[i];
        } else {
            avecAdresse << fiches[i];
            idsAvecAdresse << saisie.ids[i];
        }
    }
    if (avecAdresse.isEmpty()) {
        afficherErreur(QStringLiteral("Aucune adresse électronique : aucun des %1 destinataires sélectionnés n'en a.")
                           .arg(fiches.size()));
        return;
    }
    if (demanderConfirmation(
            QStringLiteral("%1 message(s) vont s'ouvrir, un par destinataire, chacun avec sa lettre en "
                           "PDF.\n%2 destinataire(s) sélectionné(s) n'ont pas d'adresse électronique.\n\n"
                           "Voulez-vous continuer ?")
                .arg(avecAdresse.size())
                .arg(sansAdresse.size()))
        != Reponse::Oui)
        return;
    QString raison;
    const QString dossier = dossierPrive(raison);
    if (dossier.isEmpty()) {
        afficherErreur(raison);
        return;
    }
    const LotPdf lot{rtf::ecrireRtf(lettre), proprietesPdf(saisie.lettre, saisie.archivage), saisie.dateIso,
                     saisie.lettre.objetLettre};
    const int nombre = int(avecAdresse.size());
    struct Piece {
        QString rtf;
        int pages;
    };
    QList<Piece> pieces; // of the files written, in order
    dialogues().debutProgression(QStringLiteral("Préparation des messages"), nombre);
    const ResultatLot r = ecrireUnParDestinataire(
        lot, avecAdresse, dossier,
        [nombre](int faits) {
            return dialogues().progression(faits, QStringLiteral("Lettre %1 sur %2").arg(faits + 1).arg(nombre));
        },
        [&pieces](qsizetype, const QString& rtf, int pages) {
            pieces.append({rtf, pages});
        });
    dialogues().finProgression();
    if (!r.erreur.isEmpty()) {
        afficherErreur(r.erreur + QStringLiteral("\nAucun message n'a été ouvert."));
        return;
    }
    JournalSortie journal(canal::mailPdf, saisie.envoi);
    for (qsizetype i = 0; i < r.fichiers.size(); ++i) {
        if (!ouvrirMessageAvecPiece(avecAdresse[i].mail.trimmed(), saisie.lettre.objetLettre, r.fichiers[i])) {
            proposerLeDossier(dossier);
            return;
        }
        journal.noter(pieces[i].rtf, idsAvecAdresse[i], pieces[i].pages);
    }
    if (r.interrompu || sansAdresse.isEmpty())
        return;
    if (demanderConfirmation(QStringLiteral("Imprimer les lettres des destinataires sans adresse électronique (%1) ?")
                                 .arg(sansAdresse.size()))
        == Reponse::Oui)
        ImprimerLettre({false, sansAdresse, saisie.envoi}, lettre);
}

} // namespace

void EnvoyerLettrePdf(const SaisieMailPdf& saisie, const QTextDocument& lettre)
{
    if (saisie.individuel) {
        envoyerIndividuelle(saisie, lettre);
        return;
    }
    if (saisie.ids.isEmpty()) {
        afficherErreur(messageAucunDestinataire());
        return;
    }
    envoyerEnNombre(saisie, lettre);
}
