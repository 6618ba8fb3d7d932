// tilvo-lettres-cli: the address book and letters from the command line,
// without any window.
#include "cli/commandes.h"

#include <QGuiApplication>

#include <cstdio>

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

// Qt's own notices (English, for developers) would mix with the command's
// French messages on standard error: only its failures are kept.
void messagesQt(QtMsgType type, const QMessageLogContext&, const QString& texte)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs((texte + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

} // namespace

int main(int argc, char* argv[])
{
    // Letters are laid out with fonts, which needs a graphical application;
    // it draws off any screen unless told otherwise.
    qInstallMessageHandler(messagesQt);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tilvo - Lettres"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty() || arguments.first() == QLatin1String("--help") || arguments.first() == QLatin1String("-h")) {
        afficher(aide());
        return arguments.isEmpty() ? kEntreeInvalide : kSucces;
    }
    const QString nom = arguments.takeFirst();
    for (const Commande& commande : commandes()) {
        if (commande.nom == nom)
            return commande.executer(arguments);
    }
    signalerErreur(QStringLiteral("Commande inconnue : %1\n\n").arg(nom) + aide());
    return kEntreeInvalide;
}
