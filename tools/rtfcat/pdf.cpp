#include "pdf.h"

#include "output/impressionlettre.h"
#include "output/impressionrtf.h"
#include "platform/dialoguesqt.h"
#include "platform/imprimante.h"
#include "richtext/richtextbox.h"

bool imprimerRtfEnPdf(const QString& rtf, const QString& sortie, QString& erreur)
{
    RichTextBox txt;
    txt.setTextRTF(rtf);
    installerImprimantes(new FichierPdf(sortie));
    installerDialogues(new DialoguesQt); // a long text prints under a progress window
    const Reussite imprimee = ImprimerRTF(*txt.document(), kMargeGaucheLettre, kMargeHautLettre, kMargeDroiteLettre,
                                          kMargeBasLettre);
    erreur = imprimee.raison();
    return imprimee.ok();
}
