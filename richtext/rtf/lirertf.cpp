#include "lecteur.h"
#include "rtf.h"

#include <QTextDocument>

namespace rtf {

namespace {

bool estRtf(QStringView texte)
{
    qsizetype i = 0;
    while (i < texte.size() && (texte[i].isSpace() || texte[i] == QChar(0xFEFF)))
        ++i;
    return texte.sliced(i).startsWith(u"{\\rtf");
}

bool estVide(QStringView texte)
{
    for (const QChar c : texte) {
        if (!c.isSpace() && c != QChar(0xFEFF))
            return false;
    }
    return true;
}

} // namespace

bool lireRtf(const QString& texte, QTextDocument& document, QString* erreur)
{
    const bool annulation = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    bool reussi = true;
    if (estRtf(texte)) {
        LecteurRtf lecteur(texte, document);
        lecteur.lire();
    } else if (!estVide(texte)) {
        // Not RTF: shown as it is, so that nothing is lost.
        document.setPlainText(texte);
        reussi = false;
        if (erreur)
            *erreur = QStringLiteral("Ce texte n'est pas au format RTF : il est affiché tel quel.");
    }
    document.setUndoRedoEnabled(annulation);
    document.setModified(false);
    return reussi;
}

} // namespace rtf
