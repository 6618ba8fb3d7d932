#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QPushButton;

// The program's secondary windows (FrmOption, FrmAbout, FrmImport, FrmTexte):
// each exists at most once and is shown modeless, so the main window stays
// usable. Asking for a window that is open brings it forward; once it has
// been closed it is destroyed, and the next request creates it afresh (its
// set-up runs again).

// Shows the window known as `nom` (its objectName), creating it with
// `creer` when it is not open. The created window is made a top-level
// window, destroyed on close. Returns the window shown.
QWidget* afficherFenetre(const QString& nom, const std::function<QWidget*()>& creer);

// Gives a secondary window the keys of a dialog box: Enter presses the
// focused push button, or else `parDefaut`; Escape closes the window (as its
// "Annuler" or its close button do).
void clavierDeDialogue(QWidget* fenetre, QPushButton* parDefaut);

// The open window known as `nom`, or nullptr.
QWidget* fenetreOuverte(const QString& nom);

template <class T>
T* afficherFenetre(const QString& nom, const std::function<T*()>& creer)
{
    return static_cast<T*>(afficherFenetre(nom, std::function<QWidget*()>([&creer]() -> QWidget* { return creer(); })));
}
