#pragma once

#include "support/basetemporaire.h"
#include "support/dialoguesscriptes.h"
#include "support/imprimanteessai.h"

#include <QTemporaryDir>

// What a window or output test stands on: the user's own settings and files
// out of reach, scripted dialogs, a recording desktop and a throw-away
// database, empty or holding the delivered catalogue. The PDF test printer
// is put in on demand; the system's printers come back when the bench goes.
class BancEssai {
public:
    explicit BancEssai(BaseTemporaire::Contenu contenu = BaseTemporaire::Contenu::Vide,
                       BaseTemporaire::Moteur moteur = BaseTemporaire::Moteur::Fichier);
    ~BancEssai();
    BancEssai(const BancEssai&) = delete;
    BancEssai& operator=(const BancEssai&) = delete;

    DialoguesScriptes& dialogues;
    BureauEnregistreur& bureau;
    BaseTemporaire base;

    // The test printer, every job to a PDF file in a folder of the bench.
    ImprimanteEssai& imprimante(const QPageSize& papier = QPageSize(QPageSize::A4),
                                const QMarginsF& margesMm = QMarginsF());
    // A system with no printer at all.
    void sansImprimante();
    QString dossierPapier() const { return m_papier.path(); }

private:
    QTemporaryDir m_papier;
    ImprimanteEssai* m_imprimante = nullptr;
};
