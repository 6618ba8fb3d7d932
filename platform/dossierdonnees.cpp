#include "platform/dossierdonnees.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kNomBase = QStringLiteral("Lettre.mdb");

QString sansSeparateurFinal(QString d)
{
    while (d.size() > 1 && d.endsWith(QLatin1Char('/')))
        d.chop(1);
    return d;
}

} // namespace

EmplacementDonnees choisirEmplacementDonnees(const QString& dossierProgramme, const QString& donneesUtilisateur)
{
    const QString save = sansSeparateurFinal(dossierProgramme) + QStringLiteral("/Save");
    const QFileInfo base(save + QLatin1Char('/') + kNomBase);
    // The folder must be writable too: the settings file and the backups go
    // there.
    if (base.isFile() && base.isWritable() && QFileInfo(save).isWritable())
        return {save, true};
    return {sansSeparateurFinal(donneesUtilisateur) + QStringLiteral("/tilvo-lettres/Save"), false};
}

QString dossierLivreDe(const QString& dossierProgramme)
{
    return QDir::cleanPath(dossierProgramme + QStringLiteral("/../share/tilvo-lettres"));
}

QString preparerBaseUtilisateur(const QString& dossierDonnees, const QString& baseLivree)
{
    const QString cible = dossierDonnees + QLatin1Char('/') + kNomBase;
    if (QFileInfo::exists(cible))
        return QString();
    if (!QFileInfo(baseLivree).isFile())
        return QStringLiteral("la base livrée avec le programme est introuvable (%1).").arg(baseLivree);
    if (!QDir().mkpath(dossierDonnees))
        return QStringLiteral("le dossier « %1 » ne peut pas être créé.").arg(dossierDonnees);
    // Copied under a temporary name, then renamed: an interrupted first start
    // never leaves half a database behind.
    const QString provisoire = cible + QStringLiteral(".copie");
    QFile::remove(provisoire);
    QFile source(baseLivree);
    if (!source.copy(provisoire))
        return QStringLiteral("la base livrée ne peut pas être copiée dans « %1 » : %2")
            .arg(dossierDonnees, source.errorString());
    // The delivered file is read-only; the user's copy is theirs to write.
    QFile::setPermissions(provisoire, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!QFile::rename(provisoire, cible)) {
        QFile::remove(provisoire);
        return QStringLiteral("la base ne peut pas être créée dans « %1 ».").arg(dossierDonnees);
    }
    return QString();
}
