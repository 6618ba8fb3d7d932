#include "richtext/suiviformat.h"

#include "richtext/richtextbox.h"

EtatBoutonsFormat suivreFormat(const FormatSelection& format, EtatBoutonsFormat precedent)
{
    EtatBoutonsFormat etat = precedent;
    etat.gras = format.gras.value_or(false);
    etat.italique = format.italique.value_or(false);
    etat.souligne = format.souligne.value_or(false);
    etat.barre = format.barre.value_or(false);
    if (format.alignement) {
        switch (*format.alignement) {
        case 0:
            etat.gauche = true;
            etat.centre = etat.droite = false;
            break;
        case 2:
            etat.centre = true;
            etat.gauche = etat.droite = false;
            break;
        case 1:
            etat.droite = true;
            etat.gauche = etat.centre = false;
            break;
        default: break;
        }
    }
    return etat;
}

FormatSelection lireFormat(const RichTextBox& txtText)
{
    return {txtText.SelBold(), txtText.SelItalic(), txtText.SelUnderline(), txtText.SelStrikeThru(),
            txtText.SelAlignment()};
}
