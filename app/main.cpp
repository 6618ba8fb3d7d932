#include "app/commandesbase.h"
#include "app/francais.h"
#include "app/frmaccueil.h"
#include "platform/connexion.h"
#include "platform/dialoguesqt.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (estCommandeBase(argc, argv)) {
        QCoreApplication application(argc, argv);
        return executerCommandeBase(QCoreApplication::arguments());
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tilvo - Lettres"));
    QString raison;
    if (!installerFrancais(application, &raison))
        qWarning("%s", qPrintable(raison));
    installerDialogues(new DialoguesQt);
    int code = 0;
    {
        FrmAccueil fenetre;
        fenetre.show();
        code = QApplication::exec();
    }
    // Leaves the database a single file, its write-ahead log folded in.
    cnLettre().fermer();
    return code;
}
