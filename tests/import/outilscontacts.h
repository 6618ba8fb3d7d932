#pragma once

#include "import/contact.h"

#include <QStringList>
#include <vector>

// A contact as one line, its fields joined by "|"; an unreadable one as
// "illisible <line>: <reason>".
inline QString enLigne(const ContactLu& lu)
{
    if (!lu.erreur.isEmpty())
        return QStringLiteral("illisible %1: %2").arg(lu.ligne).arg(lu.erreur);
    const Contact& c = lu.contact;
    return QStringList{c.titre, c.nom,      c.prenom, c.adresse1, c.adresse2, c.cp,
                       c.ville, c.fonction, c.mail,   c.tel1,     c.tel2}
        .join(QLatin1Char('|'));
}

inline QStringList enLignes(const std::vector<ContactLu>& contacts)
{
    QStringList lignes;
    for (const ContactLu& lu : contacts)
        lignes << enLigne(lu);
    return lignes;
}
