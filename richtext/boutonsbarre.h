#pragma once

#include <QList>
#include <QString>

// The buttons of Toolbar1, in order. The main window's toolbar holds the
// formatting buttons; the editor's starts with "Enregistrer", "Imprimer" and a
// separator, so each of its formatting buttons sits three places further.
namespace barre {

enum class Commande {
    Aucune, // separator
    Enregistrer,
    Imprimer,
    Gras,
    Italique,
    Souligne,
    Barre,
    AlignerGauche,
    Centrer,
    AlignerDroite,
    Couleur,
    Police,
    Image,
};

enum class Style { Plain, Check, Separateur };

enum class Fenetre { Accueil, Editeur };

struct Bouton {
    Commande commande;
    Style style;
    QString infobulle;
    QString theme;     // freedesktop icon name, tried first
    QString ressource; // drawn icon used when the theme has none
};

// The buttons of the window's toolbar; index i of the toolbar is element
// i - 1 of the list.
const QList<Bouton>& boutons(Fenetre fenetre);

// The command of the 1-based index, Aucune for a separator or an index out
// of range.
Commande commande(Fenetre fenetre, int index);

// The 1-based index of a command in the window's toolbar, 0 when the window
// has no such button.
int index(Fenetre fenetre, Commande commande);

} // namespace barre
