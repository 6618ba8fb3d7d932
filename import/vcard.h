#pragma once

#include "import/contact.h"

#include <QByteArray>
#include <QString>
#include <vector>

// Address-book cards (vCard 2.1, 3.0 and 4.0) read into contacts and
// written as vCard 4.0.

// True when the text's first non-blank line opens a card.
bool estVCard(const QString& texte);

// Every card of the text, in order, each with the line where it starts. A
// card without any name, left open at the end of the text or holding a
// value beyond the size limit is kept, marked unreadable. Photos and
// properties the address book has no field for are skipped. Returns false
// when `avancement` asked to stop.
bool lireVCards(const QString& texte, std::vector<ContactLu>& contacts, const Avancement& avancement = {});

// The contacts as vCard 4.0 (UTF-8, CRLF, lines folded at 75 bytes).
QByteArray ecrireVCards(const std::vector<Contact>& contacts);
