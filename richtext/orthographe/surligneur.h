#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace orthographe {

class Verificateur;

// Underlines the unknown words of a document with a red wavy line. The
// underline is drawn over the text only: the document's own formats, and
// so its RTF and its printing, do not change. Only the paragraphs that
// change are checked again.
class Surligneur : public QSyntaxHighlighter {
    Q_OBJECT

public:
    Surligneur(QTextDocument* document, const Verificateur& verificateur);

protected:
    void highlightBlock(const QString& texte) override;

private:
    const Verificateur& m_verificateur;
    QTextCharFormat m_format;
};

} // namespace orthographe
