#include "platform/fenetres.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <algorithm>

namespace {

QHash<QString, QPointer<QWidget>>& ouvertes()
{
    static QHash<QString, QPointer<QWidget>> fenetres;
    return fenetres;
}

// The window the request comes from: the active one, or else the first
// window on screen (a desktop without a window manager activates none).
QWidget* fenetreAppelante(const QWidget* nouvelle)
{
    if (QWidget* active = QApplication::activeWindow(); active && active != nouvelle)
        return active;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != nouvelle && w->isVisible() && w->isWindow())
            return w;
    }
    return nullptr;
}

} // namespace

QWidget* fenetreOuverte(const QString& nom)
{
    QWidget* fenetre = ouvertes().value(nom);
    // A closed window is only waiting for its deferred destruction.
    return fenetre && fenetre->isVisible() ? fenetre : nullptr;
}

QWidget* afficherFenetre(const QString& nom, const std::function<QWidget*()>& creer)
{
    QWidget* fenetre = fenetreOuverte(nom);
    if (!fenetre) {
        if (QWidget* fermee = ouvertes().value(nom))
            fermee->deleteLater();
        fenetre = creer();
        if (!fenetre)
            return nullptr;
        if (fenetre->objectName().isEmpty())
            fenetre->setObjectName(nom);
        fenetre->setWindowFlag(Qt::Window, true);
        fenetre->setAttribute(Qt::WA_DeleteOnClose, true);
        ouvertes().insert(nom, fenetre);
        // A new window opens over the middle of the window it was asked from.
        if (QWidget* appelante = fenetreAppelante(fenetre)) {
            QRect cadre = fenetre->frameGeometry();
            cadre.moveCenter(appelante->frameGeometry().center());
            // ...but never past the edges of the screen.
            if (const QScreen* ecran = appelante->screen()) {
                const QRect libre = ecran->availableGeometry();
                cadre.moveLeft(
                    std::clamp(cadre.left(), libre.left(), std::max(libre.left(), libre.right() - cadre.width())));
                cadre.moveTop(
                    std::clamp(cadre.top(), libre.top(), std::max(libre.top(), libre.bottom() - cadre.height())));
            }
            fenetre->move(cadre.topLeft());
        }
    }
    fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
    return fenetre;
}

void clavierDeDialogue(QWidget* fenetre, QPushButton* parDefaut)
{
    parDefaut->setDefault(true);
    const auto valider = [fenetre, parDefaut] {
        auto* focalise = qobject_cast<QPushButton*>(QApplication::focusWidget());
        QPushButton* bouton = focalise && fenetre->isAncestorOf(focalise) ? focalise : parDefaut;
        if (bouton->isEnabled())
            bouton->click();
    };
    for (const Qt::Key touche : {Qt::Key_Return, Qt::Key_Enter})
        QObject::connect(new QShortcut(QKeySequence(touche), fenetre), &QShortcut::activated, fenetre, valider);
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), fenetre), &QShortcut::activated, fenetre,
                     &QWidget::close);
}
