#include "support/banc.h"

BancEssai::BancEssai(BaseTemporaire::Contenu contenu, BaseTemporaire::Moteur moteur)
    : dialogues(installerDialoguesScriptes()), bureau(installerBureauEnregistreur()), base(contenu, moteur)
{
}

BancEssai::~BancEssai()
{
    if (m_imprimante)
        installerImprimantes(new ImprimanteParDefaut);
}

ImprimanteEssai& BancEssai::imprimante(const QPageSize& papier, const QMarginsF& margesMm)
{
    m_imprimante = &installerImprimanteEssai(m_papier.path(), papier, margesMm);
    return *m_imprimante;
}

void BancEssai::sansImprimante()
{
    imprimante().aucune = true;
}
