#include "lecteur.h"
#include "rtf.h"

#include <QTextCursor>
#include <QTextDocument>

namespace rtf {

namespace {

// The text from its first non-blank character.
QStringView sansBlancInitial(QStringView texte)
{
    qsizetype i = 0;
    while (i < texte.size() && (texte[i].isSpace() || texte[i] == QChar(0xFEFF)))
        ++i;
    return texte.sliced(i);
}

} // namespace

bool lireRtf(const QString& texte, QTextDocument& document, QString* erreur)
{
    const bool annulation = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    // Emptying the document inside the edit block makes the whole load one
    // change of the whole document: a layout then lays it out lazily, page
    // after page, instead of all at once when the block ends.
    QTextCursor bloc(&document);
    bloc.beginEditBlock();
    document.clear();
    bool reussi = true;
    const QStringView debut = sansBlancInitial(texte);
    if (debut.startsWith(u"{\\rtf")) {
        LecteurRtf lecteur(debut, document);
        lecteur.lire();
    } else if (!debut.isEmpty()) {
        // Not RTF: shown as it is, so that nothing is lost.
        document.setPlainText(texte);
        reussi = false;
        if (erreur)
            *erreur = QStringLiteral("Ce texte n'est pas au format RTF : il est affiché tel quel.");
    }
    bloc.endEditBlock();
    document.setUndoRedoEnabled(annulation);
    document.setModified(false);
    return reussi;
}

} // namespace rtf
