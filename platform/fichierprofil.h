#pragma once

#include "platform/resultat.h"

#include <QString>

// Settings files in the classic profile format: "[section]" headers and
// "key=value" lines, read as UTF-8 when the file is valid UTF-8 and in the
// Windows code page (1252) otherwise. Section and key names match whatever
// their case.

// Reads one key. A missing file, section or key reads as "". Surrounding
// blanks and one pair of enclosing quotes are removed; the result is cut to
// its first 254 characters, as the classic profile functions do.
QString lireProfil(const QString& section, const QString& cle, const QString& fichier);

// Writes one key, replacing it in place when it exists, adding it to its
// section (or a new section at the end) otherwise, in the file's encoding;
// every other line of the file keeps its bytes. Creates the file inside an existing folder. The file
// is replaced atomically.
Reussite ecrireProfil(const QString& section, const QString& cle, const QString& valeur, const QString& fichier);
