#pragma once

#include <QByteArray>
#include <QString>

// Texts as the letter database stores them, in UTF-8 both ways, coming back
// exactly as stored.

// UTF-8 for the engine. Qt would write "?" for a lone surrogate; U+FFFD
// says plainly that a character could not be kept. With `sansNul`, a NUL
// (which a server refuses in a text) becomes U+FFFD too.
QByteArray versUtf8(const QString& texte, bool sansNul = false);

// Stored UTF-8 back to text, keeping a leading byte-order mark (QString's
// own decoder drops it); invalid bytes read as U+FFFD.
QString depuisUtf8(const char* octets, qsizetype longueur);
