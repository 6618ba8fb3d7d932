// tilvo-lettres-cli: the address book and letters from the command line,
// without any window.
#include "cli/commandes.h"
#include "platform/connexion.h"

#include <QGuiApplication>

namespace {

QString aide()
{
    QString texte = QStringLiteral("Utilisation : tilvo-lettres-cli COMMANDE [OPTIONS]\n\nCommandes :\n");
    for (const Commande& commande : commandes())
        texte += QStringLiteral("  %1 %2\n      %3\n").arg(commande.nom, commande.usage, commande.resume);
    texte += QStringLiteral("\nStatut de sortie : 0 réussite, 1 entrée invalide (rien n'est fait), 2 échec d'écriture "
                            "(rien n'est écrit).");
    return texte;
}

} // namespace

int main(int argc, char* argv[])
{
    // Envelopes and labels need fonts, never a screen; the platform's own
    // notices (a session without a runtime folder…) are not the command's
    // messages, which are all in French on standard error.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            signalerErreur(message);
    });
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tilvo - Lettres"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty() || arguments.first() == QLatin1String("--help")
        || arguments.first() == QLatin1String("-h")) {
        afficher(aide());
        return arguments.isEmpty() ? kEntreeInvalide : kSucces;
    }
    const QString nom = arguments.takeFirst();
    for (const Commande& commande : commandes()) {
        if (commande.nom == nom) {
            const int code = commande.executer(arguments);
            cnLettre().fermer(); // the database left a single file
            return code;
        }
    }
    signalerErreur(QStringLiteral("Commande inconnue : %1\n\n").arg(nom) + aide());
    return kEntreeInvalide;
}
