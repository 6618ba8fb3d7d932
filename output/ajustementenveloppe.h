#pragma once

#include "output/enveloppe.h"

#include <functional>

// An envelope's lines fitted to the printable width: a line wider than the
// space right of its position is set smaller, down to 10 points, and if it
// still does not fit, cut at a space into two lines of 10 points, the
// second under the first.

inline constexpr double kTailleEnveloppeMinimale = 10.0;

// The width of a text at a size in points, in centimetres.
using MesureLargeur = std::function<double(const QString& texte, double taillePoints)>;

struct EnveloppeAjustee {
    DispositionEnveloppe disposition;
    QString ligneTropLongue; // the first line that does not fit even so; "" when all fit
};

// `largeurImprimable` in centimetres from the printable area's left edge;
// `interligne`: the line spacing at 10 points, in centimetres.
EnveloppeAjustee ajusterEnveloppe(const DispositionEnveloppe& disposition, double largeurImprimable, double interligne,
                                  const MesureLargeur& largeur);
