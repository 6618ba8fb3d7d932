#include "app/francais.h"
#include "app/frmaccueil.h"
#include "platform/dialoguesqt.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tilvo - Lettres"));
    QString raison;
    if (!installerFrancais(application, &raison))
        qWarning("%s", qPrintable(raison));
    installerDialogues(new DialoguesQt);
    FrmAccueil fenetre;
    fenetre.show();
    return QApplication::exec();
}
