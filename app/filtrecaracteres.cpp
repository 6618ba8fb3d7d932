#include "app/filtrecaracteres.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

void FiltreCaracteres::proteger(QComboBox* combo)
{
    combo->installEventFilter(this);
    if (combo->lineEdit())
        combo->lineEdit()->installEventFilter(this);
}

bool FiltreCaracteres::estCaractereTape(const QKeyEvent& evenement)
{
    if (evenement.text().isEmpty())
        return false;
    if (evenement.key() == Qt::Key_Tab || evenement.key() == Qt::Key_Backtab || evenement.key() == Qt::Key_Escape)
        return false;
    return !(evenement.modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

bool FiltreCaracteres::eventFilter(QObject* objet, QEvent* evenement)
{
    switch (evenement->type()) {
    case QEvent::KeyPress:
        return estCaractereTape(*static_cast<QKeyEvent*>(evenement));
    case QEvent::InputMethod: {
        auto* saisie = static_cast<QInputMethodEvent*>(evenement);
        if (!saisie->commitString().isEmpty()) {
            evenement->accept();
            return true;
        }
        return false;
    }
    default:
        return QObject::eventFilter(objet, evenement);
    }
}
