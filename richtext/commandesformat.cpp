#include "richtext/commandesformat.h"

#include "platform/dialogues.h"
#include "richtext/richtextbox.h"

#include <QFileInfo>
#include <QImageReader>

namespace commandes {

void appliquerStyle(RichTextBox& txtText, StyleCaractere style, bool actif)
{
    switch (style) {
    case StyleCaractere::Gras: txtText.setSelBold(actif); break;
    case StyleCaractere::Italique: txtText.setSelItalic(actif); break;
    case StyleCaractere::Souligne: txtText.setSelUnderline(actif); break;
    case StyleCaractere::Barre: txtText.setSelStrikeThru(actif); break;
    }
}

void appliquerAlignement(RichTextBox& txtText, int alignement)
{
    txtText.setSelAlignment(alignement);
}

void choisirCouleur(RichTextBox& txtText, QColor& couleurDialogue)
{
    if (const std::optional<QColor> actuelle = txtText.SelColor())
        couleurDialogue = *actuelle;
    const std::optional<QColor> choisie = dialogues().couleur(couleurDialogue);
    if (!choisie || !choisie->isValid())
        return;
    couleurDialogue = *choisie;
    txtText.setSelColor(*choisie);
}

void choisirPolice(RichTextBox& txtText)
{
    ChoixPolice depart;
    depart.nom = txtText.SelFontName();
    depart.taille = txtText.SelFontSize();
    depart.gras = txtText.SelBold();
    depart.italique = txtText.SelItalic();
    depart.souligne = txtText.SelUnderline();
    depart.barre = txtText.SelStrikeThru();
    const std::optional<ChoixPolice> choix = dialogues().police(depart);
    if (!choix)
        return;
    if (choix->nom && !choix->nom->isEmpty())
        txtText.setSelFontName(*choix->nom);
    if (choix->taille && *choix->taille > 0)
        txtText.setSelFontSize(*choix->taille);
    if (choix->gras)
        txtText.setSelBold(*choix->gras);
    if (choix->italique)
        txtText.setSelItalic(*choix->italique);
    if (choix->souligne)
        txtText.setSelUnderline(*choix->souligne);
    if (choix->barre)
        txtText.setSelStrikeThru(*choix->barre);
}

QString titreDialogueImage()
{
    return QStringLiteral("Choisissez une image ...");
}

QString filtreDialogueImage()
{
    return QStringLiteral("Images (*.bmp *.gif *.jpg *.jpeg *.png)");
}

void insererImage(RichTextBox& txtText)
{
    const QString chemin = dialogues().fichierAOuvrir(titreDialogueImage(), filtreDialogueImage());
    if (chemin.isEmpty())
        return;
    QImageReader lecteur(chemin);
    lecteur.setAutoTransform(true);
    const QImage image = lecteur.read();
    if (image.isNull()) {
        afficherErreur(QStringLiteral("Impossible d'insérer l'image « %1 » : %2")
                           .arg(QFileInfo(chemin).fileName(),
                                QFileInfo::exists(chemin) ? QStringLiteral("ce fichier n'est pas une image lisible.")
                                                          : QStringLiteral("ce fichier n'existe pas.")));
        return;
    }
    QString raison;
    if (!txtText.insererImage(image, &raison))
        afficherErreur(
            QStringLiteral("Impossible d'insérer l'image « %1 » : %2").arg(QFileInfo(chemin).fileName(), raison));
}

} // namespace commandes
