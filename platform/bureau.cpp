#include "platform/bureau.h"

#include <QDesktopServices>
#include <QDir>
#include <QRegularExpression>
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

bool BureauXdg::ouvrir(const QString& cible, const QString& dossierTravail)
{
    const QString absolue = cibleAbsolue(cible, dossierTravail);
    const QUrl url = estUnLien(absolue) ? QUrl(absolue, QUrl::TolerantMode) : QUrl::fromLocalFile(absolue);
    return QDesktopServices::openUrl(url);
}
