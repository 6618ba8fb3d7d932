#pragma once

#include "richtext/boutonsbarre.h"
#include "richtext/suiviformat.h"

#include <QColor>
#include <QList>
#include <QToolBar>

class QAction;
class RichTextBox;

// Toolbar1: the formatting toolbar over a window's txtText. The main window
// gets 12 buttons, the editor 15 (save, print and a separator in front). The
// check buttons follow the selection's format on every change, click and key
// release in txtText. Ctrl+B, Ctrl+I and Ctrl+U in txtText act as the
// buttons; in the editor Ctrl+S saves and Ctrl+P prints.
class BarreOutils : public QToolBar {
    Q_OBJECT

public:
    BarreOutils(RichTextBox& txtText, barre::Fenetre fenetre, QWidget* parent = nullptr);

    barre::Fenetre fenetre() const { return m_fenetre; }
    int nombreBoutons() const { return static_cast<int>(m_boutons.size()); }
    // Button `index` (1-based, separators included), nullptr out of range.
    QAction* bouton(int index) const;
    QAction* bouton(barre::Commande commande) const;

    // What a click on button `index` does: a check button toggles, then the
    // command runs. Separators and indexes out of range do nothing.
    void cliquer(int index);

    // Sets the check buttons from the format of txtText's selection.
    void suivreFormat();

    EtatBoutonsFormat etatBoutons() const;

signals:
    // The editor's "Enregistrer" and "Imprimer" buttons.
    void enregistrer();
    void imprimer();

private:
    void executer(barre::Commande commande, bool enfonce);
    void appliquerEtat(const EtatBoutonsFormat& etat);
    void aligner(barre::Commande commande, int alignement);

    RichTextBox& m_txtText;
    barre::Fenetre m_fenetre;
    QList<QAction*> m_boutons;
    QColor m_couleurDialogue = Qt::black; // the window's colour dialog remembers its colour
    bool m_commandeEnCours = false;
};
