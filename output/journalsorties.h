#pragma once

#include "store/journal.h"
#include "store/reglagesjournal.h"

#include <QElapsedTimer>

class ErreurBase;

// How the outputs record themselves in the correspondence journal.

// What the main window knows of the letter when an output starts: the sender,
// the recipient (individual mode), the model and the subject.
struct ContexteEnvoi {
    PersonneEnvoi expediteur;
    PersonneEnvoi destinataire;
    QString modele;
    QString objet;
};

// The copy of a recipient row kept with an entry; an id that no longer
// names a row gives the id alone. Throws ErreurBase.
PersonneEnvoi destinataireEnvoi(RecordId id);
// "Madame Jeanne Martin": title, first name and name, the empty ones left out.
QString nomEnvoi(const QString& titre, const QString& prenom, const QString& nom);
// Address lines and "postcode town", one per line, the empty ones left out.
QString adresseEnvoi(const QString& adresse1, const QString& adresse2, const QString& cp, const QString& ville);

// The entries of one output command, each written once the letter has left;
// a write that fails is said once for the whole command and never turns the
// output itself into a failure.
class JournalSortie {
public:
    JournalSortie(QString canal, ContexteEnvoi contexte);
    // Writes what noterEnLot() still holds.
    ~JournalSortie();
    JournalSortie(const JournalSortie&) = delete;
    JournalSortie& operator=(const JournalSortie&) = delete;

    // One letter gone to the context's recipient, or (mass outputs) to the
    // recipient row `destinataire`, copied from the database now; `pages`
    // is 0 when not known. Written at once.
    void noter(const QString& rtf, RecordId destinataire = kAucunEnregistrement, int pages = 0);
    // The same for outputs that make letters faster than the disk takes
    // one commit each (PDF files): the entries are written together, one
    // transaction every few tenths of a second, and by ecrireLot().
    void noterEnLot(const QString& rtf, RecordId destinataire, int pages);
    void ecrireLot();

private:
    struct Lettre {
        QString rtf;
        RecordId destinataire;
        int pages;
        QDateTime quand;
    };
    EntreeJournal entree(const Lettre& lettre) const;
    void signaler(const ErreurBase& erreur);

    QString m_canal;
    ContexteEnvoi m_contexte;
    ReglagesJournal m_reglages;
    bool m_echecSignale = false;
    QList<Lettre> m_lot;
    QElapsedTimer m_depuisEcriture;
};
