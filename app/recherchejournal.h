#pragma once

#include "store/journal.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <future>
#include <vector>

class QTextDocument;

// What the journal window's search field and filters ask for.
struct CritereJournal {
    QString texte; // in the recipient, the subject or the town; case and accents ignored
    QString canal; // "" for every channel
    QDate du, au;  // inclusive; an invalid date leaves that end open
};

// The journal's entries held for searching: each entry's searchable text is
// folded once, so that a keystroke only compares. The folding is done on
// another thread while the window opens; the first search waits for it.
class RechercheJournal {
public:
    void charger(QList<EntreeJournal> entrees);
    const QList<EntreeJournal>& entrees() const { return m_entrees; }
    // Positions in entrees() of the entries that match, newest first.
    std::vector<int> filtrer(const CritereJournal& critere) const;

private:
    const QStringList& plis() const;

    QList<EntreeJournal> m_entrees;
    mutable std::future<QStringList> m_pliage;
    mutable QStringList m_plis;
};

// The journal as CSV (";"-separated, UTF-8, a header line), oldest last as
// listed.
QByteArray journalEnCsv(const QList<EntreeJournal>& entrees, const std::vector<int>& lignes);

// Turns a letter sent before into its reminder: "Relance : " before the
// subject (its first occurrence in the text), and the first French date
// ("12 mars 2026", "1er avril 2026") replaced by `aujourdhui`; formatting kept.
void preparerRelance(QTextDocument& document, const QString& objet, const QDate& aujourdhui);
