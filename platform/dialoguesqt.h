#pragma once

#include "platform/dialogues.h"

#include <QPointer>
#include <QProgressDialog>

// The program's dialogs: Qt dialog boxes with French buttons, parented to the
// active window. File, folder, colour and font dialogs are Qt's own, never
// the desktop's, so that they speak the program's French.
class DialoguesQt : public Dialogues {
public:
    Reponse message(const QString& texte, Boutons boutons, Icone icone, const QString& titre,
                    std::optional<Reponse> parDefaut) override;
    QString saisie(const QString& invite, const QString& titre, const QString& proposition) override;
    QString motDePasse(const QString& invite, const QString& titre) override;
    QString fichierAOuvrir(const QString& titre, const QString& filtre) override;
    QString fichierAEnregistrer(const QString& titre, const QString& filtre, const QString& nomPropose) override;
    QString dossier(const QString& titre) override;
    std::optional<QColor> couleur(const QColor& initiale) override;
    std::optional<ChoixPolice> police(const ChoixPolice& initiale) override;
    void debutProgression(const QString& titre, int total) override;
    bool progression(int faits, const QString& texte) override;
    void finProgression() override;

private:
    ChoixPolice m_dernierePolice{QStringLiteral("Arial"), 10.0, false, false, false, false};
    QPointer<QProgressDialog> m_progression;
};
