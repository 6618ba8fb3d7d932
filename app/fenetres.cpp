#include "app/fenetres.h"

#include <QHash>
#include <QPointer>

namespace {

QHash<QString, QPointer<QWidget>>& ouvertes()
{
    static QHash<QString, QPointer<QWidget>> fenetres;
    return fenetres;
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
    }
    fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
    return fenetre;
}
