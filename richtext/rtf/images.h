#pragma once

#include <QImage>
#include <QSizeF>
#include <QTextImageFormat>

class QTextDocument;

namespace rtf {

// Adds `image` to the document's resources under a name of its own and
// returns the format that shows it at `taille` (document pixels); insert it
// with QTextCursor::insertImage. The RTF writer writes such pictures back.
QTextImageFormat ajouterImage(QTextDocument& document, const QImage& image, QSizeF taille);

} // namespace rtf
