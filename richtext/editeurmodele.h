#pragma once

#include <QString>

class FrmTexte;

// The main window's "modify the model" command: opens the editor window on
// the body of the model whose id is `idModele` (the text of lsvModele's
// current row) and remembers that model for the editor's saves, whatever
// the list shows later. An empty id (empty list) does nothing. While the
// editor is open, a new request brings it forward without replacing its
// text. A model that cannot be read is reported. Returns the window shown,
// or nullptr.
FrmTexte* ChargerCorpsModele(const QString& idModele);
