#include "output/export.h"

#include "output/pagelettre.h"
#include "platform/dialogues.h"
#include "richtext/richtextbox.h"

void ExporterLettre(RichTextBox& txtText, const ContexteEnvoi& envoi)
{
    const QString chemin = dialogues().fichierAEnregistrer(QStringLiteral("Enregistrer sous ..."),
                                                           QStringLiteral("Rtf (*.rtf)"), QStringLiteral("lettre.rtf"));
    if (chemin.isEmpty())
        return;
    QString raison;
    if (!txtText.SaveFile(chemin, 0, &raison, kPageLettre)) {
        afficherErreur(QStringLiteral("La lettre n'a pas été enregistrée.\n") + raison);
        return;
    }
    JournalSortie(canal::exportRtf, envoi).noter(txtText.TextRTF());
}
