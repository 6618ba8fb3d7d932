#include "platform/bureau.h"

#include "platform/dialogues.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <memory>

namespace {

std::unique_ptr<Bureau>& instance()
{
    static std::unique_ptr<Bureau> b = std::make_unique<BureauXdg>();
    return b;
}

bool estUnLien(const QString& cible)
{
    static const QRegularExpression schema(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return schema.match(cible).hasMatch();
}

// xdg-open hands a link to its handler and reports success at once, even when
// no program is set up for that kind of link; ask the desktop's association
// database first, so that a mailto: link with no mail program is reported.
bool aUnGestionnaire(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("file") || scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return true;
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true;
    QProcess requete;
    requete.start(xdgMime,
                  {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/") + scheme});
    if (!requete.waitForFinished(3000))
        return true;
    return !requete.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

Bureau& bureau()
{
    return *instance();
}

void installerBureau(Bureau* nouveau)
{
    instance().reset(nouveau);
}

QString cibleAbsolue(const QString& cible, const QString& dossierTravail)
{
    if (estUnLien(cible))
        return cible;
    return QDir(dossierTravail).absoluteFilePath(cible);
}

bool ouvrirMessageAvecPiece(const QString& adresse, const QString& objet, const QString& piece)
{
    const QString xdgEmail = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (xdgEmail.isEmpty() || !aUnGestionnaire(QUrl(QStringLiteral("mailto:"))))
        return false;
    // Every value is an argument of its own: no shell reads them.
    return QProcess::startDetached(xdgEmail,
                                   {QStringLiteral("--utf8"), QStringLiteral("--attach"), piece,
                                    QStringLiteral("--subject"), objet, adresse});
}

bool BureauXdg::ouvrir(const QString& cible, const QString& dossierTravail)
{
    const QString absolue = cibleAbsolue(cible, dossierTravail);
    const QUrl url = estUnLien(absolue) ? QUrl(absolue, QUrl::TolerantMode) : QUrl::fromLocalFile(absolue);
    return aUnGestionnaire(url) && QDesktopServices::openUrl(url);
}

bool ExecuterShell(const QString& document, const QString& dossierTravail)
{
    if (bureau().ouvrir(document, dossierTravail))
        return true;
    const QString cible = cibleAbsolue(document, dossierTravail);
    const QString constat = document.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)
        ? QStringLiteral("Aucun programme de messagerie n'est configuré sur cet ordinateur pour ouvrir le message :")
        : QStringLiteral("Aucun programme de cet ordinateur n'a pu ouvrir :");
    const QString texte =
        constat + QStringLiteral("\n\n") + cible
        + QStringLiteral(
            "\n\nVoulez-vous copier ce lien dans le presse-papiers pour le coller dans le programme de votre choix ?");
    if (demanderConfirmation(texte) == Reponse::Oui)
        QGuiApplication::clipboard()->setText(cible);
    return false;
}
