#pragma once

#include "platform/imprimante.h"

#include <QList>

// The test printer: every job to a PDF file of its own (ImprimantePdf),
// and on demand no printer at all, or a refusal of the printers asked for
// in the given order (counted from 1).
class ImprimanteEssai : public ImprimantePdf {
public:
    using ImprimantePdf::ImprimantePdf;
    bool aucune = false;
    QList<int> refus;

    QString indisponibilite() const override;
    ImprimanteObtenue nouvelleImprimante() override;

private:
    int m_demandes = 0;
};

// Installs a fresh test printer writing to `dossier` and returns it.
ImprimanteEssai& installerImprimanteEssai(const QString& dossier, const QPageSize& papier = QPageSize(QPageSize::A4),
                                          const QMarginsF& margesMm = QMarginsF());
