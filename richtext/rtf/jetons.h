#pragma once

#include <QStringView>

namespace rtf {

// Value of a hexadecimal digit, -1 for any other character.
int valeurHexa(char16_t c);

enum class TypeJeton { Fin, DebutGroupe, FinGroupe, MotControle, Symbole, Hexa, Texte };

struct Jeton {
    TypeJeton type = TypeJeton::Fin;
    QStringView texte;    // name of a control word, or a run of text
    qint32 parametre = 0; // clamped to the 32-bit range
    bool aParametre = false;
    char16_t symbole = 0; // control symbol (\~, \{ ...)
    int octet = -1;       // value of \'hh, -1 when the digits are not hex
};

// Cuts an RTF text into tokens without copying it. Line breaks between
// tokens are dropped, as RTF wants. Every call moves forward, so a whole
// text is read in linear time whatever it holds.
class AnalyseurJetons {
public:
    explicit AnalyseurJetons(QStringView texte);
    Jeton suivant();
    // The raw data of \binN: at most `longueur` characters, fewer at the end.
    QStringView lireBinaire(qint64 longueur);

private:
    const QChar* m_p;
    const QChar* m_fin;
};

} // namespace rtf
