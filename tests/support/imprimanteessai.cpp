#include "support/imprimanteessai.h"

QString ImprimanteEssai::indisponibilite() const
{
    return aucune ? messageAucuneImprimante() : ImprimantePdf::indisponibilite();
}

ImprimanteObtenue ImprimanteEssai::nouvelleImprimante()
{
    if (aucune)
        return ImprimanteObtenue::echec(messageAucuneImprimante());
    if (refus.contains(++m_demandes))
        return ImprimanteObtenue::echec(QStringLiteral("Bourrage papier."));
    return ImprimantePdf::nouvelleImprimante();
}

ImprimanteEssai& installerImprimanteEssai(const QString& dossier, const QPageSize& papier, const QMarginsF& margesMm)
{
    auto* imprimante = new ImprimanteEssai(dossier, papier, margesMm);
    installerImprimantes(imprimante);
    return *imprimante;
}
