#include "output/enregistrementpdf.h"

#include "output/lotpdf.h"
#include "output/messages.h"
#include "platform/dialogues.h"
#include "rtf.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

namespace {

const QString kFiltrePdf = QStringLiteral("Documents PDF (*.pdf)");

SuitePdf suiteAvecProgression(int nombre)
{
    return [nombre](int faits) {
        return dialogues().progression(faits, QStringLiteral("Lettre %1 sur %2").arg(faits + 1).arg(nombre));
    };
}

void enregistrerIndividuelle(const SaisiePdf& saisie, const QTextDocument& lettre)
{
    const SaisieLettre& l = saisie.lettre;
    const QString chemin = dialogues().fichierAEnregistrer(QStringLiteral("Enregistrer la lettre en PDF"), kFiltrePdf,
                                                           nomFichierLettre(saisie.dateIso, l.nomDest, l.prenomDest,
                                                                            l.objetLettre));
    if (chemin.isEmpty())
        return;
    DocumentPdf fichier(chemin, proprietesPdf(l, saisie.archivage));
    const int pages = fichier.ajouterLettre(lettre);
    QString raison;
    if (!fichier.terminer(raison)) {
        afficherErreur(QStringLiteral("La lettre n'a pas pu être enregistrée dans « %1 » : %2").arg(chemin, raison));
        return;
    }
    JournalSortie(canal::pdf, saisie.envoi).noter(rtf::ecrireRtf(lettre), kAucunEnregistrement, pages);
}

// How many of these names already stand in the folder.
int dejaPresents(const QString& dossier, const QStringList& noms)
{
    int presents = 0;
    for (const QString& nom : noms)
        presents += int(QFileInfo::exists(QDir(dossier).filePath(nom)));
    return presents;
}

void signalerFin(const ResultatLot& r, int nombre)
{
    if (!r.erreur.isEmpty())
        afficherErreur(r.erreur
                       + QStringLiteral("\n%1 fichier(s) sur %2 ont été écrits.").arg(r.fichiers.size()).arg(nombre));
    else if (r.interrompu)
        afficherInformation(
            QStringLiteral("Enregistrement interrompu : %1 fichier(s) ont été écrits.").arg(r.fichiers.size()));
}

void enregistrerEnNombre(const SaisiePdf& saisie, const QTextDocument& lettre)
{
    const QList<RecordId>& ids = saisie.ids;
    const int nombre = int(ids.size());
    const bool unParDestinataire = demanderConfirmation(
                                       QStringLiteral("Voulez-vous un fichier PDF par destinataire ?\n\n"
                                                      "Oui : une lettre par fichier, nommé d'après le destinataire.\n"
                                                      "Non : les %1 lettres à la suite dans un seul fichier.")
                                           .arg(nombre))
        == Reponse::Oui;
    LotPdf lot{rtf::ecrireRtf(lettre), proprietesPdf(saisie.lettre, saisie.archivage), saisie.dateIso,
               saisie.lettre.objetLettre};
    const QList<FicheDestinataire> fiches = fichesDe(ids);
    QString cible;
    if (unParDestinataire) {
        cible = dialogues().dossier(QStringLiteral("Dossier des lettres en PDF"));
        if (cible.isEmpty())
            return;
        const int presents = dejaPresents(cible, nomsDesFichiers(fiches, lot.dateIso, lot.objet));
        if (presents > 0
            && confirmerDestruction(QStringLiteral("%1 fichier(s) de ce dossier portent déjà le nom d'une de ces "
                                                   "lettres. Voulez-vous les remplacer ?")
                                        .arg(presents))
                != Reponse::Oui)
            return;
    } else {
        cible = dialogues().fichierAEnregistrer(QStringLiteral("Enregistrer les lettres en PDF"), kFiltrePdf,
                                                nomFichierLettre(saisie.dateIso, QString(), QString(),
                                                                 saisie.lettre.objetLettre));
        if (cible.isEmpty())
            return;
    }
    JournalSortie journal(canal::pdf, saisie.envoi);
    const RemisePdf noter = [&](qsizetype rang, const QString& rtf, int pages) {
        journal.noterEnLot(rtf, ids[rang], pages);
    };
    dialogues().debutProgression(QStringLiteral("Enregistrement des lettres en PDF"), nombre);
    const ResultatLot r = unParDestinataire
        ? ecrireUnParDestinataire(lot, fiches, cible, suiteAvecProgression(nombre), noter)
        : ecrireTousEnUn(lot, fiches, cible, suiteAvecProgression(nombre), noter);
    dialogues().finProgression();
    journal.ecrireLot();
    signalerFin(r, unParDestinataire ? nombre : 1);
}

} // namespace

ProprietesPdf proprietesPdf(const SaisieLettre& lettre, bool archivage)
{
    const QString auteur =
        QStringList{lettre.prenomExp.trimmed(), lettre.nomExp.trimmed()}.join(QLatin1Char(' ')).trimmed();
    return {lettre.objetLettre.trimmed(), auteur, archivage};
}

void EnregistrerLettrePdf(const SaisiePdf& saisie, const QTextDocument& lettre)
{
    if (saisie.individuel) {
        enregistrerIndividuelle(saisie, lettre);
        return;
    }
    if (saisie.ids.isEmpty()) {
        afficherErreur(messageAucunDestinataire());
        return;
    }
    enregistrerEnNombre(saisie, lettre);
}
