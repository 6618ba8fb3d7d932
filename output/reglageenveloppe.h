#pragma once

#include "platform/resultat.h"

#include <QPageLayout>
#include <QPointF>
#include <QPrinter>
#include <QSizeF>
#include <QString>
#include <QTransform>

#include <optional>

// The envelope as paper, and the printer's calibration for envelopes.
//
// Addresses are laid out in centimetres in the envelope's reading frame
// (long edge horizontal). The job's page is the envelope itself: C6
// (114 x 162 mm) for formats 0 and 2, DL (110 x 220 mm) for the others.
// Formats 4 and 5 are fed short edge first, so their page is portrait and
// the address is drawn turned a quarter turn anticlockwise, as a landscape
// job on such a printer did; their layout was measured on an A4 sheet
// 21 cm across, 10 cm more than the envelope, hence `decalageHautCm`.

struct PapierEnveloppe {
    QPageSize taille;
    QSizeF cadreCm;       // the reading frame: long edge, short edge
    int rotationBase = 0; // degrees clockwise, 0 or 270
    double decalageHautCm = 0;
};

// None for a code other than 0 to 5.
std::optional<PapierEnveloppe> papierEnveloppe(int format);

// What a printer needs to put an envelope where it belongs: an offset of
// the whole print, in millimetres, and a turn of the page.
struct ReglageEnveloppe {
    double decalageXMm = 0;
    double decalageYMm = 0;
    int rotation = 0; // 0, 90, 180 or 270 degrees clockwise

    bool operator==(const ReglageEnveloppe&) const = default;
};

inline constexpr double kDecalageMaxMm = 30.0;
inline constexpr double kPasDecalageMm = 0.5;

// The name a printer's calibration is kept under: its own, or "PDF" for
// a job written to a file.
QString nomImprimanteReglage(const QPrinter& imprimante);

// Read from / written to the settings file, section "Enveloppe <name>";
// values out of range read as the nearest allowed one, unreadable ones as 0.
ReglageEnveloppe lireReglageEnveloppe(const QString& imprimante);
// "" or why the settings file could not be written.
Reussite enregistrerReglageEnveloppe(const QString& imprimante, const ReglageEnveloppe& reglage);

// The job's page layout (no margins: positions are from the paper's corner).
QPageLayout miseEnPageEnveloppe(const PapierEnveloppe& papier, const ReglageEnveloppe& reglage);

// From the layout's centimetres to the centimetres of the printed page.
QTransform versPapier(const PapierEnveloppe& papier, const ReglageEnveloppe& reglage);
