#pragma once

#include <QByteArray>
#include <QString>
#include <QTextFormat>

#include <optional>

class QTextCharFormat;
class QTextDocument;

namespace rtf {

// The object type of a page number (\chpgn) in a document: one object
// replacement character that shows the page it is printed on.
constexpr int kObjetNumeroPage = QTextFormat::UserObject + 1;

// Replaces the whole content of `document` with the RTF text `texte` (one
// edit block, undo off while loading; the undo history is cleared).
// Never throws and never gives up half-way: malformed RTF is read as far as
// it makes sense. Returns false only when `texte` is not RTF at all; the
// text is then shown as plain text and `erreur` (if given) receives a
// French explanation.
bool lireRtf(const QString& texte, QTextDocument& document, QString* erreur = nullptr);

// The paper and margins a document is laid out for, in twips.
struct PageRtf {
    int largeur = 0, hauteur = 0;
    int gauche = 0, droite = 0, haut = 0, bas = 0;
};

// The whole document as one RTF document in 7-bit ASCII
// (\rtf1\ansi\ansicpg1252\deff0\deflang1036), with its paper and margins
// when a page is given. Reading the result and writing it again gives the
// same text.
QString ecrireRtf(const QTextDocument& document, const std::optional<PageRtf>& page = std::nullopt);

// Text of an RTF file from its bytes: bytes above 127 are read in the code
// page the document declares (\ansicpg, 1252 when absent); the data after
// \binN is kept byte for byte (one character U+0000..U+00FF per byte). A
// leading UTF-8 byte-order mark is skipped.
QString decoderFichier(const QByteArray& fichier);

// Gives `format` the font family `famille`. Qt 6.4 hashes every list of
// families alike, so formats that differ only by their family all collide
// in a document's format table and each new one is compared with all the
// others: the family is also kept as a plain string, which hashes apart.
// Every format that names a family goes through here.
void donnerFamille(QTextCharFormat& format, const QString& famille);

} // namespace rtf
