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

bool imprimerAvecMarges(const QTextDocument& lettre, QString& raison)
{
    return ImprimerRTF(lettre, kMargeGaucheLettre, kMargeHautLettre, kMargeDroiteLettre, kMargeBasLettre, &raison);
}

// One personalised letter for the recipient `id`: its RTF, or none with the
// reason when it could not be made or printed.
std::optional<QString> imprimerLettrePersonnalisee(RecordId id, const QString& lettreEnNombre, QString& raison)
{
    QString rtf;
    try {
        rtf = TextePersonnalise(lettreEnNombre, lireDestinataire(id));
    } catch (const ErreurBase& e) {
        raison = e.raison();
        return std::nullopt;
    }
    const auto document = documentLettre(rtf, raison);
    if (!document || !imprimerAvecMarges(*document, raison))
        return std::nullopt;
    return rtf::ecrireRtf(*document);
}

void imprimerEnNombre(const QList<RecordId>& ids, const QTextDocument& lettre, JournalSortie& journal)
{
    const int nombre = int(ids.size());
    const QString lettreEnNombre = rtf::ecrireRtf(lettre);
    dialogues().debutProgression(QStringLiteral("Impression des lettres"), nombre);
    int imprimees = 0;
    for (const RecordId id : ids) {
        if (!dialogues().progression(imprimees, QStringLiteral("Impression de la lettre %1 sur %2")
                                                    .arg(imprimees + 1).arg(nombre))) {
            dialogues().finProgression();
            afficherInformation(QStringLiteral("Impression interrompue : %1 lettre(s) sur %2 ont été imprimées.")
                                    .arg(imprimees).arg(nombre));
            return;
        }
        QString raison;
        const auto imprimee = imprimerLettrePersonnalisee(id, lettreEnNombre, raison);
        if (!imprimee) {
            dialogues().finProgression();
            afficherErreur(QStringLiteral("La lettre du destinataire n° %1 n'a pas pu être imprimée : %2\n"
                                          "%3 lettre(s) sur %4 avaient été imprimées avant elle.")
                               .arg(id).arg(raison).arg(imprimees).arg(nombre));
            return;
        }
        journal.noter(*imprimee, id);
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
    QString raison;
    if (!imprimerAvecMarges(lettre, raison)) {
        afficherErreur(QStringLiteral("La lettre n'a pas pu être imprimée : %1").arg(raison));
        return;
    }
    journal.noter(rtf::ecrireRtf(lettre));
}
