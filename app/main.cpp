#include "app/frmaccueil.h"
#include "platform/dialoguesqt.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tilvo - Lettres"));
    installerDialogues(new DialoguesQt);
    FrmAccueil fenetre;
    fenetre.show();
    return QApplication::exec();
}
