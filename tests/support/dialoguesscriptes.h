#pragma once

#include "platform/bureau.h"
#include "platform/dialogues.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Dialogs answered from a script, recording what the program asked. Answers
// are taken in order from the queues; when a queue is empty, a message gets
// its first button (OK or Yes) and every other dialog is cancelled. An empty
// answer in `reponses` is the user pressing Enter: the default button.
class DialoguesScriptes : public Dialogues {
public:
    struct Message {
        QString texte;
        Boutons boutons;
        Icone icone;
        QString titre;
        Reponse parDefaut; // what Enter answers
    };

    QList<Message> messages;
    QStringList demandes; // every other dialog, as "type: title"
    QList<ChoixPolice> policesProposees;
    QList<QColor> couleursProposees;
    QStringList progressions;

    QQueue<std::optional<Reponse>> reponses;
    QQueue<QString> textes; // input boxes, file and folder dialogs
    QQueue<std::optional<QColor>> couleurs;
    QQueue<std::optional<ChoixPolice>> polices;
    int arreterApres = -1; // progression() says stop from this count on

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
    QString texteSuivant(const QString& demande);
};

// Installs a fresh script as the program's dialogs and returns it.
DialoguesScriptes& installerDialoguesScriptes();

// A desktop that records what it was asked to open and answers from a list.
class BureauEnregistreur : public Bureau {
public:
    QStringList cibles;
    QStringList dossiers;
    QQueue<bool> resultats; // empty: every opening succeeds
    bool ouvrir(const QString& cible, const QString& dossierTravail) override;
};

BureauEnregistreur& installerBureauEnregistreur();
