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
        const orthographe::FichiersDictionnaire f = orthographe::dictionnaireSysteme();
        return std::make_unique<orthographe::Verificateur>(f.aff, f.dic, liste.isEmpty() ? personnel : liste);
    }
};
