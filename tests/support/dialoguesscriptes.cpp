#include "support/dialoguesscriptes.h"

Reponse DialoguesScriptes::message(const QString& texte, Boutons boutons, Icone icone, const QString& titre,
                                   std::optional<Reponse> parDefaut)
{
    const Reponse premier = boutons == Boutons::Ok ? Reponse::Ok : Reponse::Oui;
    const Reponse entree = parDefaut.value_or(premier);
    messages.append({texte, boutons, icone, titre, entree});
    if (reponses.isEmpty())
        return premier;
    return reponses.dequeue().value_or(entree);
}

QString DialoguesScriptes::texteSuivant(const QString& demande)
{
    demandes << demande;
    return textes.isEmpty() ? QString() : textes.dequeue();
}

QString DialoguesScriptes::saisie(const QString& invite, const QString& titre, const QString& proposition)
{
    return texteSuivant(QStringLiteral("saisie: %1|%2|%3").arg(titre, invite, proposition));
}

QString DialoguesScriptes::motDePasse(const QString& invite, const QString& titre)
{
    return texteSuivant(QStringLiteral("mot de passe: %1|%2").arg(titre, invite));
}

QString DialoguesScriptes::fichierAOuvrir(const QString& titre, const QString& filtre)
{
    return texteSuivant(QStringLiteral("ouvrir: %1|%2").arg(titre, filtre));
}

QString DialoguesScriptes::fichierAEnregistrer(const QString& titre, const QString& filtre, const QString& nomPropose)
{
    return texteSuivant(QStringLiteral("enregistrer: %1|%2|%3").arg(titre, filtre, nomPropose));
}

QString DialoguesScriptes::dossier(const QString& titre)
{
    return texteSuivant(QStringLiteral("dossier: %1").arg(titre));
}

std::optional<QColor> DialoguesScriptes::couleur(const QColor& initiale)
{
    couleursProposees << initiale;
    return couleurs.isEmpty() ? std::nullopt : couleurs.dequeue();
}

std::optional<ChoixPolice> DialoguesScriptes::police(const ChoixPolice& initiale)
{
    policesProposees << initiale;
    return polices.isEmpty() ? std::nullopt : polices.dequeue();
}

void DialoguesScriptes::debutProgression(const QString& titre, int total)
{
    progressions << QStringLiteral("début: %1 (%2)").arg(titre).arg(total);
}

bool DialoguesScriptes::progression(int faits, const QString& texte)
{
    progressions << texte;
    return arreterApres < 0 || faits < arreterApres;
}

void DialoguesScriptes::finProgression()
{
    progressions << QStringLiteral("fin");
}

DialoguesScriptes& installerDialoguesScriptes()
{
    auto* d = new DialoguesScriptes;
    installerDialogues(d);
    return *d;
}

bool BureauEnregistreur::ouvrir(const QString& cible, const QString& dossierTravail)
{
    cibles << cible;
    dossiers << dossierTravail;
    return resultats.isEmpty() ? true : resultats.dequeue();
}

BureauEnregistreur& installerBureauEnregistreur()
{
    auto* b = new BureauEnregistreur;
    installerBureau(b);
    return *b;
}
