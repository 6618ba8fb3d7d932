#pragma once

#include "import/contact.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// Contact tables in CSV (RFC 4180 and the usual variants: comma, semicolon
// or tab, quoted fields with doubled quotes and line breaks inside).

struct TableauCsv {
    QChar separateur;
    QStringList entetes;
    // One entry per record after the header, empty lines left out: its
    // fields, the line where it starts, and why it could not be read.
    struct Ligne {
        QStringList champs;
        int ligne = 0;
        QString erreur;
    };
    std::vector<Ligne> lignes;
};

// The separator the text's first line uses most: ";", tab or ",".
QChar detecterSeparateur(const QString& texte);

// Reads the records. A record with an unterminated quote, a field beyond the
// size limit or too many columns is kept, marked unreadable, and the
// reading goes on at the line after its start. Returns an error in French
// ("" on success) when the text has no usable header; stops (returning
// kLectureAnnulee) when `avancement` asks to.
QString lireCsv(const QString& texte, TableauCsv& tableau, const Avancement& avancement = {});

// The field a column's header names ("Nom", "Last Name", "Code postal",
// "E-mail 1 - Value"...), Aucun when unknown.
Champ champDeColonne(const QString& entete);

// One field per column, by header name; a field named twice keeps its first
// column.
std::vector<Champ> correspondanceParDefaut(const QStringList& entetes);

// The contacts of the records under a column-to-field correspondence.
std::vector<ContactLu> contactsDuTableau(const TableauCsv& tableau, const std::vector<Champ>& correspondance);

// The contacts as CSV: UTF-8 with its byte-order mark, ";" separators, CRLF,
// a header row of the given fields' French names.
QByteArray ecrireCsv(const std::vector<Contact>& contacts, const std::vector<Champ>& champs);
