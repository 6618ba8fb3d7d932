#pragma once

#include <QByteArray>
#include <QString>

// The text of a contact file: UTF-8 or UTF-16 after their byte-order mark,
// UTF-8 when the bytes are valid UTF-8, the Windows code page otherwise.
QString decoderTexte(const QByteArray& octets);

// Bytes written in a named character set ("UTF-8", "ISO-8859-1",
// "windows-1252"...); an unknown set reads as UTF-8.
QString decoderJeu(const QByteArray& octets, const QString& jeu);

// Text that holds NUL or other control characters: a binary file, not
// contacts.
bool sembleBinaire(const QString& texte);
