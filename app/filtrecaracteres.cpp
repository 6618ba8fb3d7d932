#include "app/filtrecaracteres.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

void FiltreCaracteres::proteger(QComboBox* combo)
{
    combo->installEventFilter(this);
    if (combo->lineEdit())
        combo->lineEdit()->installEventFilter(this);
    // The open list would otherwise search its items as letters are typed.
    combo->view()->installEventFilter(this);
}

bool FiltreCaracteres::estCaractereTape(const QKeyEvent& evenement)
{
    if (evenement.text().isEmpty())
        return false;
    switch (evenement.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter: // picks the highlighted item of the open list
        return false;
    default: break;
    }
    return !(evenement.modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

bool FiltreCaracteres::eventFilter(QObject* objet, QEvent* evenement)
{
    switch (evenement->type()) {
    case QEvent::KeyPress: return estCaractereTape(*static_cast<QKeyEvent*>(evenement));
    case QEvent::InputMethod: {
        auto* saisie = static_cast<QInputMethodEvent*>(evenement);
        if (!saisie->commitString().isEmpty()) {
            evenement->accept();
            return true;
        }
        return false;
    }
    default: return QObject::eventFilter(objet, evenement);
    }
}
