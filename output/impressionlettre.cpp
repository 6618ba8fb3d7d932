#include "output/impressionlettre.h"

#include "output/composition.h"
#include "output/impressionrtf.h"
#include "output/lettrepdf.h"
#include "output/messages.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "platform/imprimante.h"
#include "rtf.h"

#include <QTextDocument>

namespace {

Reussite imprimerAvecMarges(const QTextDocument& lettre, int& pages)
{
    return ImprimerRTF(lettre, kMargeGaucheLettre, kMargeHautLettre, kMargeDroiteLettre, kMargeBasLettre, &pages);
}

// One personalised letter for the recipient `id`: its RTF, or why it could
// not be made or printed.
Resultat<QString> imprimerLettrePersonnalisee(RecordId id, const QString& lettreEnNombre, int& pages)
{
    QString rtf;
    try {
        rtf = TextePersonnalise(lettreEnNombre, lireDestinataire(id));
    } catch (const ErreurBase& e) {
        return Resultat<QString>::echec(e.raison());
    }
    QString raison;
    const auto document = documentLettre(rtf, raison);
    if (!document)
        return Resultat<QString>::echec(raison);
    if (const Reussite imprimee = imprimerAvecMarges(*document, pages); !imprimee)
        return Resultat<QString>::echec(imprimee.raison());
    return rtf::ecrireRtf(*document);
}

void imprimerEnNombre(const QList<RecordId>& ids, const QTextDocument& lettre, JournalSortie& journal)
{
    const int nombre = int(ids.size());
    const QString lettreEnNombre = rtf::ecrireRtf(lettre);
    dialogues().debutProgression(QStringLiteral("Impression des lettres"), nombre);
    int imprimees = 0;
    for (const RecordId id : ids) {
        if (!dialogues().progression(
                imprimees, QStringLiteral("Impression de la lettre %1 sur %2").arg(imprimees + 1).arg(nombre))) {
            dialogues().finProgression();
            afficherInformation(QStringLiteral("Impression interrompue : %1 lettre(s) sur %2 ont été imprimées.")
                                    .arg(imprimees)
                                    .arg(nombre));
            return;
        }
        int pages = 0;
        const Resultat<QString> imprimee = imprimerLettrePersonnalisee(id, lettreEnNombre, pages);
        if (!imprimee) {
            dialogues().finProgression();
            afficherErreur(QStringLiteral("La lettre du destinataire n° %1 n'a pas pu être imprimée : %2\n"
                                          "%3 lettre(s) sur %4 avaient été imprimées avant elle.")
                               .arg(id)
                               .arg(imprimee.raison())
                               .arg(imprimees)
                               .arg(nombre));
            return;
        }
        journal.noter(*imprimee, id, pages);
        ++imprimees;
    }
    dialogues().finProgression();
}

} // namespace

void ImprimerLettre(const SaisieImpression& saisie, const QTextDocument& lettre)
{
    const int nombre = int(saisie.ids.size());
    if (!saisie.individuel && nombre == 0) {
        afficherErreur(messageAucunDestinataire());
        return;
    }
    const QString question = saisie.individuel
        ? QStringLiteral("Êtes-vous sûr de vouloir imprimer la lettre ?")
        : QStringLiteral("Êtes-vous sûr de vouloir imprimer les %1 lettres ?").arg(nombre);
    if (!imprimanteDisponibleEtConfirmee(question))
        return;

    JournalSortie journal(canal::impression, saisie.envoi);
    if (!saisie.individuel) {
        imprimerEnNombre(saisie.ids, lettre, journal);
        return;
    }
    int pages = 0;
    if (const Reussite imprimee = imprimerAvecMarges(lettre, pages); !imprimee) {
        afficherErreur(QStringLiteral("La lettre n'a pas pu être imprimée : %1").arg(imprimee.raison()));
        return;
    }
    journal.noter(rtf::ecrireRtf(lettre), kAucunEnregistrement, pages);
}
