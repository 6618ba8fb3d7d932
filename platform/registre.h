#pragma once

#include <QString>

// Linux has no registry: values are kept in a small store of the program's
// own, an INI file in the user's configuration folder (Tilvo/registre.ini).
// A path such as "HKEY_LOCAL_MACHINE\Software\Tilvo-Lettre" names a value
// (the last component) under a key (the rest); a path ending with "\" names
// the key's default value.
//
// Kind 0 stores a string, 1 a 32-bit number, 2 bytes; any other kind writes
// nothing. Returns false when the store could not be written.
bool ecrireValeurRegistre(int type, const QString& chemin, const QString& valeur);

// Reads back what ecrireValeurRegistre stored ("" when absent).
QString lireValeurRegistre(const QString& chemin);
