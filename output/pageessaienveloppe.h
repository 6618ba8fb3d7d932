#pragma once

#include <QString>

// The calibration test page: on the envelope of the stored format (0 when
// none is stored), a frame 5 mm inside the edges, a cross where the
// address's first line starts, rulers in millimetres along the top and left
// edges and the instruction to measure; printed with the calibration of the
// printer it goes to. "" or why it did not print.
QString imprimerPageEssaiEnveloppe();
