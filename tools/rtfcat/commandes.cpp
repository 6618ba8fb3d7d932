#include "commandes.h"

#include "rtf.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

// One line per paragraph, in UTF-8.
bool texte(const QTextDocument& document, QByteArray& sortie, QString&)
{
    for (QTextBlock bloc = document.begin(); bloc.isValid(); bloc = bloc.next()) {
        sortie += bloc.text().toUtf8();
        sortie += '\n';
    }
    return true;
}

bool rtfEcrit(const QTextDocument& document, QByteArray& sortie, QString&)
{
    sortie = rtf::ecrireRtf(document).toLatin1();
    return true;
}

constexpr CommandeRtfcat kCommandes[] = {
    {"text", "le texte lu, une ligne par paragraphe (UTF-8)", &texte},
    {"rtf", "le RTF que l'on écrit après l'avoir lu", &rtfEcrit},
};

} // namespace

std::span<const CommandeRtfcat> commandesRtfcat()
{
    return kCommandes;
}
