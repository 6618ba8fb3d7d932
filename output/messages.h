#pragma once

#include <QString>

// The words the output commands share.

inline QString messageAucunDestinataire()
{
    return QStringLiteral("Attention ! Vous n'avez pas sélectionné de destinataire.");
}

inline QString messageAucuneAdresse()
{
    return QStringLiteral("Aucune adresse électronique : saisissez celle du destinataire dans le champ « E-mail ».");
}
