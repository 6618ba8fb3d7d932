#include "platform/registre.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

QString cleDe(const QString& chemin)
{
    QString cle = chemin;
    cle.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (cle.endsWith(QLatin1Char('/')))
        cle += QStringLiteral("(Défaut)");
    return cle;
}

QSettings magasin()
{
    const QString dossier = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QSettings(dossier + QStringLiteral("/Tilvo/registre.ini"), QSettings::IniFormat);
}

} // namespace

bool ecrireValeurRegistre(int type, const QString& chemin, const QString& valeur)
{
    QVariant stockee;
    switch (type) {
    case 0: stockee = valeur; break;
    case 1: stockee = static_cast<quint32>(valeur.toLongLong()); break;
    case 2: stockee = valeur.toUtf8(); break;
    default: return true;
    }
    QSettings s = magasin();
    if (!s.isWritable())
        return false;
    s.setValue(cleDe(chemin), stockee);
    s.sync();
    return s.status() == QSettings::NoError;
}

QString lireValeurRegistre(const QString& chemin)
{
    return magasin().value(cleDe(chemin)).toString();
}
