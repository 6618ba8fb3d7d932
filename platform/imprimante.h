#pragma once

#include "platform/resultat.h"

#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include <memory>

// The one way the program reaches a printer: the system's default printer,
// with its own settings, never a printer dialog, one print job per letter
// and per envelope. Tests install a source that writes every job to a PDF
// file of its own, so that the same code can be checked on paper.

// A printer ready for one new job, or why there is none.
using ImprimanteObtenue = Resultat<std::unique_ptr<QPrinter>>;

class SourceImprimantes {
public:
    virtual ~SourceImprimantes() = default;
    // "" when a printer can be had, else why not (in French).
    virtual QString indisponibilite() const = 0;
    virtual ImprimanteObtenue nouvelleImprimante() = 0;
    // A printer whose job is over comes back here (to be dropped, or kept
    // for the next job).
    virtual void rendre(std::unique_ptr<QPrinter> imprimante) { imprimante.reset(); }
};

// The source in use (the system's default printer until another is
// installed). Installing replaces it (the layer takes ownership).
SourceImprimantes& imprimantes();
void installerImprimantes(SourceImprimantes* nouvelle);

// The message shown when the system has no default printer.
QString messageAucuneImprimante();

// Before a print command: when no printer can be used, says why ("Erreur")
// and returns false; otherwise asks the question ("Confirmation", Yes/No)
// and returns true only for Yes.
bool imprimanteDisponibleEtConfirmee(const QString& question);

// The system's default printer (CUPS), at high resolution.
class ImprimanteParDefaut : public SourceImprimantes {
public:
    QString indisponibilite() const override;
    ImprimanteObtenue nouvelleImprimante() override;
};

// Every job written to its own file "travail-NNN.pdf" of a folder, on
// paper of the given size whose printable area starts `marges` (mm) from
// the edges, as a real printer's does.
class ImprimantePdf : public SourceImprimantes {
public:
    explicit ImprimantePdf(const QString& dossier, const QPageSize& papier = QPageSize(QPageSize::A4),
                           const QMarginsF& margesMm = QMarginsF());
    QString indisponibilite() const override;
    ImprimanteObtenue nouvelleImprimante() override;
    // Making a printer asks the print system for its default printer, which
    // is slow when a CUPS server runs: printers are used again.
    void rendre(std::unique_ptr<QPrinter> imprimante) override;

    // The files of the jobs printed so far, in order (a printer given out
    // only to read its page writes none).
    QStringList fichiers() const;

private:
    QString m_dossier;
    QPageSize m_papier;
    QMarginsF m_marges;
    QStringList m_fichiers;
    std::unique_ptr<QPrinter> m_libre;
};

// Every job written to the one file given (A4, the whole sheet printable):
// for tools that print a single document.
class FichierPdf : public SourceImprimantes {
public:
    explicit FichierPdf(const QString& chemin) : m_chemin(chemin) {}
    QString indisponibilite() const override { return QString(); }
    ImprimanteObtenue nouvelleImprimante() override;

private:
    QString m_chemin;
};

// One print job, from its first page to its end (EndDoc) or its abandon
// (KillDoc). Positions are taken from the top-left corner of the printable
// area. A job neither ended nor abandoned is abandoned when it goes.
class TravailImpression {
public:
    explicit TravailImpression(const QString& nomDocument);
    ~TravailImpression();
    TravailImpression(const TravailImpression&) = delete;
    TravailImpression& operator=(const TravailImpression&) = delete;

    // False when no printer could be had; raison() tells why.
    bool pret() const { return m_imprimante != nullptr; }
    const QString& raison() const { return m_raison; }

    // The printer, to read its page and set its orientation before the
    // job starts.
    QPrinter& imprimante() { return *m_imprimante; }

    // Starts the job and its first page.
    bool commencer();
    QPainter& peintre() { return m_peintre; }
    bool nouvellePage();
    // Hands the job to the printer (EndDoc).
    bool terminer();
    // Drops the job (KillDoc).
    void abandonner();

private:
    std::unique_ptr<QPrinter> m_imprimante;
    QPainter m_peintre;
    QString m_raison;
};
