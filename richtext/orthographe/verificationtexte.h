#pragma once

#include <QObject>
#include <QPoint>

class QMenu;
class RichTextBox;

namespace orthographe {

class Verificateur;

// Spell-checking of one rich-text box: the underline of unknown words, and
// at the head of the box's right-click menu the suggestions for the word
// under the pointer, "Ajouter au dictionnaire", "Ignorer" and the checkable
// "Vérifier l'orthographe". Lives as long as the box.
class VerificationTexte : public QObject {
    Q_OBJECT

public:
    VerificationTexte(RichTextBox& texte, Verificateur& verificateur);

    static QString texteIndisponible();

private:
    void completerMenu(QMenu* menu, const QPoint& position);
    void remplacer(int debut, int longueur, const QString& remplacement);

    RichTextBox& m_texte;
    Verificateur& m_verificateur;
};

} // namespace orthographe
