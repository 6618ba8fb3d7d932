#include "output/journalsorties.h"

#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "store/destinataires.h"

#include <QStringList>

namespace {

QString joindre(const QStringList& morceaux, const QString& separateur)
{
    QStringList gardes;
    for (const QString& m : morceaux) {
        if (!m.trimmed().isEmpty())
            gardes << m.trimmed();
    }
    return gardes.join(separateur);
}

} // namespace

QString nomEnvoi(const QString& titre, const QString& prenom, const QString& nom)
{
    return joindre({titre, prenom, nom}, QStringLiteral(" "));
}

QString adresseEnvoi(const QString& adresse1, const QString& adresse2, const QString& cp, const QString& ville)
{
    return joindre({adresse1, adresse2, joindre({cp, ville}, QStringLiteral(" "))}, QStringLiteral("\n"));
}

PersonneEnvoi destinataireEnvoi(RecordId id)
{
    PersonneEnvoi p;
    p.id = id;
    const std::optional<FicheDestinataire> d = trouverDestinataire(id);
    if (!d)
        return p;
    p.nom = nomEnvoi(d->titre, d->prenom, d->nom);
    p.ville = d->ville;
    p.adresse = adresseEnvoi(d->adresse1, d->adresse2, d->cp, p.ville);
    return p;
}

JournalSortie::JournalSortie(QString canal, ContexteEnvoi contexte)
    : m_canal(std::move(canal)), m_contexte(std::move(contexte)), m_reglages(lireReglagesJournal())
{
}

void JournalSortie::noter(const QString& rtf, RecordId destinataire)
{
    EntreeJournal e;
    e.quand = QDateTime::currentDateTime();
    e.canal = m_canal;
    e.expediteur = m_contexte.expediteur;
    e.modele = m_contexte.modele;
    e.objet = m_contexte.objet;
    e.rtf = rtf;
    try {
        e.destinataire = destinataire == kAucunEnregistrement ? m_contexte.destinataire : destinataireEnvoi(destinataire);
        noterEnvoi(e, m_reglages.conserverTexte);
    } catch (const ErreurBase& erreur) {
        if (m_echecSignale)
            return;
        m_echecSignale = true;
        afficherErreur(QStringLiteral("L'envoi a bien eu lieu, mais il n'a pas pu être noté dans le journal des envois : %1")
                           .arg(erreur.raison()));
    }
}
