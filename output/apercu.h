#pragma once

#include "output/enveloppe.h"
#include "output/reglageenveloppe.h"
#include "platform/recordset.h"

#include <QList>
#include <QPrinter>
#include <QString>

#include <memory>
#include <vector>

class MiseEnPage;
class QTextDocument;

// What the print preview shows, drawn by the printing code itself on a
// printer of the preview's own that has the paper of the real one: the
// pages come out where they will on paper.

class SourceApercu {
public:
    SourceApercu();
    virtual ~SourceApercu();
    SourceApercu(const SourceApercu&) = delete;
    SourceApercu& operator=(const SourceApercu&) = delete;

    // The preview's printer, set to the paper; it prints nothing itself.
    QPrinter& imprimante() { return *m_imprimante; }
    // Draws every page on `peintre`, open on imprimante(); `fenetre` adds
    // the window-envelope outline where it applies.
    virtual void dessiner(QPainter& peintre, bool fenetre) const = 0;
    virtual int nombrePages() const = 0;
    // The caption of page `page` (from 0).
    virtual QString legende(int page) const = 0;
    // Whether the window-envelope outline applies to these pages.
    virtual bool aFenetre() const { return false; }
    // A word on what the preview stands for, "" when nothing needs saying.
    QString remarque() const { return m_remarque; }

protected:
    std::unique_ptr<QPrinter> m_imprimante;
    QString m_remarque;
};

// One letter of the preview, and whose it is ("" for a single letter).
struct LettreApercu {
    std::unique_ptr<QTextDocument> document;
    QString destinataire;
};

// Letters one after the other, each from a new page, on the default
// printer's paper inside the letter margins, exactly as ImprimerRTF lays
// them out; without a printer, on an A4 sheet printable to its edges.
class ApercuLettres : public SourceApercu {
public:
    // Null, with the reason, when a letter cannot be laid out.
    static std::unique_ptr<ApercuLettres> creer(std::vector<LettreApercu> lettres, QString& raison);
    ~ApercuLettres() override;

    void dessiner(QPainter& peintre, bool fenetre) const override;
    int nombrePages() const override { return m_total; }
    QString legende(int page) const override;
    bool aFenetre() const override { return true; }

private:
    ApercuLettres() = default;

    std::vector<LettreApercu> m_lettres;
    std::vector<std::unique_ptr<MiseEnPage>> m_pages;
    int m_total = 0;
};

// The letters of a mass mailing for the preview: the mass letter `rtf`
// filled for each recipient, in order. Throws ErreurBase; false with the
// reason when a letter cannot be read.
bool lettresEnNombre(const QString& rtf, const QList<RecordId>& ids, std::vector<LettreApercu>& lettres,
                     QString& raison);

// Envelopes of the format, one a page, at the envelope's size and in the
// orientation it is printed, the postcode boxes of the formats that have
// them drawn in light grey. The printer's calibration is left out: it only
// makes up for the way that printer feeds envelopes.
class ApercuEnveloppes : public SourceApercu {
public:
    ApercuEnveloppes(int format, std::vector<DispositionEnveloppe> dispositions, QStringList noms);

    void dessiner(QPainter& peintre, bool fenetre) const override;
    int nombrePages() const override { return int(m_dispositions.size()); }
    QString legende(int page) const override;

private:
    int m_format;
    PapierEnveloppe m_papier;
    std::vector<DispositionEnveloppe> m_dispositions;
    QStringList m_noms;
};
