#pragma once

#include "platform/twips.h"

#include <QFont>
#include <QIcon>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QTreeView;
class QWidget;

// Small helpers that build the main window's controls: positions and sizes
// are given in twips (see platform/twips.h), every control gets its name.
namespace controles {

// Places a widget at Left/Top with Width/Height, all in twips.
void placer(QWidget* w, double gauche, double haut, double largeur, double hauteur);

// A freedesktop theme icon, or the program's own picture when the desktop
// theme has none.
QIcon icone(const QString& nomTheme, const QString& fichier);

// The script face of the window's title, with the script faces Debian
// ships standing in when "Script MT Bold" is absent.
QFont policeTitre(double points);
QStringList famillesTitre();

QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte, int gauche, int haut, int largeur,
                  int hauteur = 255);
QLabel* titre(QWidget* parent, const QString& nom, const QString& texte, int gauche, int haut, int largeur);
QLineEdit* zoneTexte(QWidget* parent, const QString& nom, int gauche, int haut, int largeur);
// An editable combo. With `libre` false its list may be long: filled in one
// go through a model, no completion, no sizing over every item.
QComboBox* combo(QWidget* parent, const QString& nom, int gauche, int haut, int largeur,
                 const QStringList& elements = {});
// A clickable picture.
QToolButton* image(QWidget* parent, const QString& nom, const QIcon& icone, const QString& infobulle, int gauche,
                   int haut, int largeur, int hauteur);
// A report-style list view.
QTreeView* liste(QWidget* parent, const QString& nom, int gauche, int haut, int largeur, int hauteur);

} // namespace controles
