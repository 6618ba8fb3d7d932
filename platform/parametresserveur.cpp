#include "platform/parametresserveur.h"

QString ParametresServeur::designation() const
{
    const QString nom = base.isEmpty() ? (service.isEmpty() ? utilisateur : service) : base;
    QString lieu = hote.isEmpty() ? QStringLiteral("localhost") : hote;
    if (port > 0)
        lieu += QLatin1Char(':') + QString::number(port);
    return QStringLiteral("%1 sur %2").arg(nom, lieu);
}
