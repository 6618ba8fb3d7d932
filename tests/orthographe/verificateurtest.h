#pragma once

#include "richtext/orthographe/orthographe.h"
#include "richtext/orthographe/orthographeprogramme.h"

#include <QTemporaryDir>

#include <memory>

// A checker on the system's French dictionary with its personal word list
// in a folder of its own.
struct VerificateurTest {
    QTemporaryDir dossier;
    QString personnel = dossier.filePath(QStringLiteral("dictionnaire-personnel.txt"));

    std::unique_ptr<orthographe::Verificateur> creer(const QString& liste = {}) const
    {
        const QString aff = orthographe::dictionnaireSysteme();
        QString dic = aff;
        dic.replace(dic.size() - 4, 4, QStringLiteral(".dic"));
        return std::make_unique<orthographe::Verificateur>(aff, dic, liste.isEmpty() ? personnel : liste);
    }
};
