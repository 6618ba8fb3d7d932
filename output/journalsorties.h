#pragma once

#include "store/reglagesjournal.h"
#include "store/journal.h"

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
    // One letter gone to the context's recipient, or (mass outputs) to the
    // recipient row `destinataire`, copied from the database now.
    void noter(const QString& rtf, RecordId destinataire = kAucunEnregistrement);

private:
    QString m_canal;
    ContexteEnvoi m_contexte;
    ReglagesJournal m_reglages;
    bool m_echecSignale = false;
};
