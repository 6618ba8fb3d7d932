#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <array>

namespace rtf {

// Code page of the Symbol character set (\fcharset2), as Windows numbers it.
constexpr int kPageSymbole = 42;

// Windows code page used for a font's \fcharset; -1 means "the document's".
int pageCodeDuJeu(int jeuCaracteres);

// Turns bytes of one Windows code page into text. Single-byte code pages go
// through a 256-entry table; multi-byte ones through a QStringDecoder that
// keeps its state between calls, so that a character whose bytes arrive in
// two pieces still decodes. Unknown code pages read as 1252.
class DecodeurPageCode {
public:
    explicit DecodeurPageCode(int pageCode);
    void decoder(QByteArrayView octets, QString& sortie);

private:
    const std::array<char16_t, 256>* m_table = nullptr;
    QStringDecoder m_decodeur;
};

// For a symbol font (Symbol, Wingdings, or any font of the Symbol
// character set), the character of each byte; nullptr for other fonts.
const std::array<char16_t, 256>* tableSymboles(const QString& nomPolice, int pageCode);

// The byte of `c` in code page 1252, or -1 when 1252 has no such character.
int octet1252(char16_t c);

} // namespace rtf
