#include "support/imprimanteessai.h"

QString ImprimanteEssai::indisponibilite() const
{
    return aucune ? messageAucuneImprimante() : ImprimantePdf::indisponibilite();
}

std::unique_ptr<QPrinter> ImprimanteEssai::nouvelleImprimante(QString& raison)
{
    if (aucune) {
        raison = messageAucuneImprimante();
        return nullptr;
    }
    if (refus.contains(++m_demandes)) {
        raison = QStringLiteral("Bourrage papier.");
        return nullptr;
    }
    return ImprimantePdf::nouvelleImprimante(raison);
}

ImprimanteEssai& installerImprimanteEssai(const QString& dossier, const QPageSize& papier, const QMarginsF& margesMm)
{
    auto* imprimante = new ImprimanteEssai(dossier, papier, margesMm);
    installerImprimantes(imprimante);
    return *imprimante;
}
