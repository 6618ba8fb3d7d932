#include "richtext/orthographe/surligneur.h"

#include "richtext/orthographe/orthographe.h"

namespace orthographe {

Surligneur::Surligneur(QTextDocument* document, const Verificateur& verificateur)
    : QSyntaxHighlighter(document), m_verificateur(verificateur)
{
    m_format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    m_format.setUnderlineColor(Qt::red);
    connect(&verificateur, &Verificateur::motsChanges, this, &QSyntaxHighlighter::rehighlight);
    connect(&verificateur, &Verificateur::activeChangee, this, &QSyntaxHighlighter::rehighlight);
}

void Surligneur::highlightBlock(const QString& texte)
{
    if (!m_verificateur.active())
        return;
    for (const Plage& faute : m_verificateur.fautes(texte))
        setFormat(faute.debut, faute.longueur, m_format);
}

} // namespace orthographe
