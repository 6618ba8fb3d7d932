#include "output/journalsorties.h"

#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "store/destinataires.h"

#include <QStringList>

#include <utility>

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

namespace {

// How long letters written to PDF wait at most for their journal entries.
constexpr qint64 kAttenteLotMs = 250;

} // namespace

JournalSortie::JournalSortie(QString canal, ContexteEnvoi contexte)
    : m_canal(std::move(canal)), m_contexte(std::move(contexte)), m_reglages(lireReglagesJournal())
{
    m_depuisEcriture.start();
}

JournalSortie::~JournalSortie()
{
    ecrireLot();
}

EntreeJournal JournalSortie::entree(const Lettre& lettre) const
{
    EntreeJournal e;
    e.quand = lettre.quand;
    e.canal = m_canal;
    e.expediteur = m_contexte.expediteur;
    e.modele = m_contexte.modele;
    e.objet = m_contexte.objet;
    e.pages = lettre.pages;
    e.rtf = lettre.rtf;
    e.destinataire = lettre.destinataire == kAucunEnregistrement ? m_contexte.destinataire
                                                                 : destinataireEnvoi(lettre.destinataire);
    return e;
}

void JournalSortie::signaler(const ErreurBase& erreur)
{
    if (m_echecSignale)
        return;
    m_echecSignale = true;
    afficherErreur(
        QStringLiteral("L'envoi a bien eu lieu, mais il n'a pas pu être noté dans le journal des envois : %1")
            .arg(erreur.raison()));
}

void JournalSortie::noter(const QString& rtf, RecordId destinataire, int pages)
{
    try {
        noterEnvoi(entree({rtf, destinataire, pages, QDateTime::currentDateTime()}), m_reglages.conserverTexte);
    } catch (const ErreurBase& erreur) {
        signaler(erreur);
    }
}

void JournalSortie::noterEnLot(const QString& rtf, RecordId destinataire, int pages)
{
    m_lot.append({rtf, destinataire, pages, QDateTime::currentDateTime()});
    if (m_depuisEcriture.elapsed() >= kAttenteLotMs)
        ecrireLot();
}

void JournalSortie::ecrireLot()
{
    m_depuisEcriture.restart();
    if (m_lot.isEmpty())
        return;
    const QList<Lettre> lot = std::exchange(m_lot, {});
    try {
        Transaction transaction;
        for (const Lettre& lettre : lot)
            noterEnvoi(entree(lettre), m_reglages.conserverTexte);
        transaction.valider();
    } catch (const ErreurBase& erreur) {
        signaler(erreur);
    }
}
