#pragma once

#include <QColor>
#include <QString>

class RichTextBox;

// The formatting commands of Toolbar1, the same in the main window and in
// the editor. Each acts on the selection of the window's txtText (on the
// typing position when nothing is selected). A cancelled dialog ends a
// command without any change or message.
namespace commandes {

enum class StyleCaractere { Gras, Italique, Souligne, Barre };

// The style is set or cleared on the whole selection, as the button says.
void appliquerStyle(RichTextBox& txtText, StyleCaractere style, bool actif);

// 0 left, 1 right, 2 centre.
void appliquerAlignement(RichTextBox& txtText, int alignement);

// The colour dialog opens on the selection's colour, or on `couleurDialogue`
// (the colour the window's dialog showed last) when the selection mixes
// colours; the chosen colour is kept there for next time.
void choisirCouleur(RichTextBox& txtText, QColor& couleurDialogue);

// The font dialog opens with the selection's face, size, bold, italic,
// underline and strike-out, a mixed field keeping the dialog's previous
// value; exactly these six are written back, in this order.
void choisirPolice(RichTextBox& txtText);

// Asks for a picture file and embeds the picture at the selection. The
// clipboard is not used. A file that is not a readable picture is reported.
void insererImage(RichTextBox& txtText);

// The title and filter of the picture dialog.
QString titreDialogueImage();
QString filtreDialogueImage();

} // namespace commandes
