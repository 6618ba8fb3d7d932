#pragma once

#include "output/enveloppe.h"

#include <QPainter>
#include <QPrinter>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// Address labels on A4 sheets: one address per label, row by row from the
// label the user starts at, the text size the same on every label, chosen
// so that the longest address fits (down to 7 points).

struct FormatEtiquettes {
    int colonnes = 0;
    int rangees = 0;
    double largeurMm = 0, hauteurMm = 0;       // one label
    double margeHautMm = 0, margeGaucheMm = 0; // the sheet's edge to the first label
    double pasHorizontalMm = 0, pasVerticalMm = 0;

    int parPlanche() const { return colonnes * rangees; }
};

// The sheets sold for this: "2x7", "3x7", "3x8", "2x8", "3x11".
std::optional<FormatEtiquettes> formatEtiquettes(const QString& nom);
QStringList nomsFormatsEtiquettes();
// "" or why a custom format cannot be printed (labels off the sheet…).
QString verifierFormatEtiquettes(const FormatEtiquettes& format);

inline constexpr double kTailleEtiquetteMax = 11.0;
inline constexpr double kTailleEtiquetteMin = 7.0;
inline constexpr double kMargeEtiquetteXMm = 4.0;
inline constexpr double kMargeEtiquetteYMm = 2.5;

// The lines of an address on a label; the last one in capitals.
QStringList lignesEtiquette(const AdresseEnveloppe& adresse);

// Size of a text in millimetres at a size in points: width, and the
// spacing of lines.
struct MesureTexte {
    std::function<double(const QString&, double)> largeurMm;
    std::function<double(double)> interligneMm;
};

struct EtiquettePlacee {
    int page;
    QRectF cadreMm; // the label on its sheet
    QStringList lignes;
};
struct PlanchesEtiquettes {
    double taille = kTailleEtiquetteMax;
    std::vector<EtiquettePlacee> etiquettes;
    QStringList tropLongues; // the recipients that fit at no size; nothing placed then
};

// `debut`: the first label to use on the first sheet, from 1.
PlanchesEtiquettes disposerEtiquettes(const FormatEtiquettes& format, int debut,
                                      const std::vector<AdresseEnveloppe>& adresses, const MesureTexte& mesure);

// Prints the sheets as one job. "" or the message to show.
QString imprimerEtiquettes(const FormatEtiquettes& format, int debut, const std::vector<AdresseEnveloppe>& adresses);
