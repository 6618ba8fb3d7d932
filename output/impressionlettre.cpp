#include "output/impressionlettre.h"

#include "output/composition.h"
#include "output/impressionrtf.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "platform/imprimante.h"
#include "platform/richtextbox/richtextbox.h"

namespace {

bool imprimerAvecMarges(RichTextBox& txt, QString& raison, int& pages)
{
    return ImprimerRTF(txt, kMargeGaucheLettre, kMargeHautLettre, kMargeDroiteLettre, kMargeBasLettre, &raison, &pages);
}

// One personalised letter for the recipient whose list text is `id`;
// false with the reason when it could not be made or printed.
bool imprimerLettrePersonnalisee(const QString& id, const RichTextBox& txtText, RichTextBox& txtLettreTmp,
                                 QString& raison, int& pages)
{
    bool numero = false;
    const RecordId idDestinataire = id.toLongLong(&numero);
    if (!numero) {
        raison = QStringLiteral("« %1 » n'est pas un numéro de destinataire.").arg(id);
        return false;
    }
    try {
        PersonnaliserLettre(idDestinataire, txtText, txtLettreTmp);
    } catch (const ErreurBase& e) {
        raison = e.raison();
        return false;
    }
    return imprimerAvecMarges(txtLettreTmp, raison, pages);
}

void imprimerEnNombre(const QStringList& ids, RichTextBox& txtText, RichTextBox& txtLettreTmp, JournalSortie& journal)
{
    const int nombre = int(ids.size());
    dialogues().debutProgression(QStringLiteral("Impression des lettres"), nombre);
    int imprimees = 0;
    for (const QString& id : ids) {
        if (!dialogues().progression(imprimees, QStringLiteral("Impression de la lettre %1 sur %2")
                                                    .arg(imprimees + 1).arg(nombre))) {
            dialogues().finProgression();
            afficherInformation(QStringLiteral("Impression interrompue : %1 lettre(s) sur %2 ont été imprimées.")
                                    .arg(imprimees).arg(nombre));
            return;
        }
        QString raison;
        int pages = 0;
        if (!imprimerLettrePersonnalisee(id, txtText, txtLettreTmp, raison, pages)) {
            dialogues().finProgression();
            afficherErreur(QStringLiteral("La lettre du destinataire n° %1 n'a pas pu être imprimée : %2\n"
                                          "%3 lettre(s) sur %4 avaient été imprimées avant elle.")
                               .arg(id, raison).arg(imprimees).arg(nombre));
            return;
        }
        journal.noter(txtLettreTmp.TextRTF(), id.toLongLong(), pages);
        ++imprimees;
    }
    dialogues().finProgression();
}

} // namespace

void ImprimerLettre(const SaisieImpression& saisie, RichTextBox& txtText, RichTextBox& txtLettreTmp)
{
    const int nombre = int(saisie.idsSelectionnes.size());
    if (!saisie.individuel && nombre == 0) {
        afficherErreur(QStringLiteral("Attention ! Vous n'avez pas sélectionné de destinataire."));
        return;
    }
    const QString question = saisie.individuel
        ? QStringLiteral("Êtes-vous sûr de vouloir imprimer la lettre ?")
        : QStringLiteral("Êtes-vous sûr de vouloir imprimer les %1 lettres ?").arg(nombre);
    if (!imprimanteDisponibleEtConfirmee(question))
        return;

    JournalSortie journal(canal::impression, saisie.envoi);
    if (!saisie.individuel) {
        imprimerEnNombre(saisie.idsSelectionnes, txtText, txtLettreTmp, journal);
        return;
    }
    QString raison;
    int pages = 0;
    if (!imprimerAvecMarges(txtText, raison, pages)) {
        afficherErreur(QStringLiteral("La lettre n'a pas pu être imprimée : %1").arg(raison));
        return;
    }
    journal.noter(txtText.TextRTF(), kAucunEnregistrement, pages);
}
