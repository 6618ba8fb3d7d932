#pragma once

#include <QString>

// The body (Corps_Modele) of one letter model, found by the text of its list
// row (the model's id). Both throw ErreurBase with a French reason when the
// model no longer exists or the database refuses the operation; no other
// model is ever touched.

QString LireCorpsModele(const QString& idModele);

// Stores `corps` as the body of the model `idModele` (the model the editor
// was opened on, whatever the model list shows now).
void EnregistrerCorpsModele(const QString& idModele, const QString& corps);
