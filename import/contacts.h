#pragma once

#include "import/contact.h"
#include "import/csv.h"
#include "platform/recordset.h"

#include <QList>
#include <QString>
#include <vector>

// Contacts between files and the address book: what the import window and
// the command line share.

enum class Carnet { Destinataires, Expediteurs };

// A contact file read into memory: its format, for a CSV file its table and
// the field of each column, and the contacts under that correspondence.
struct FichierContacts {
    enum class Format { VCard, Csv };
    Format format = Format::VCard;
    TableauCsv tableau;
    std::vector<Champ> correspondance;
    std::vector<ContactLu> contacts;

    // Reads the contacts again after the correspondence changed.
    void appliquerCorrespondance();
};

// Files beyond this size are refused before they are read.
inline constexpr qint64 kTailleMaximale = 100LL * 1024 * 1024;
// A reading that takes longer than this is stopped.
inline constexpr qint64 kDureeMaximaleMs = 60000;
// From this size on the window shows the reading's progress.
inline constexpr qint64 kTailleProgression = 2LL * 1024 * 1024;

// Reads a vCard or CSV file (the format taken from its content). Returns ""
// or why the file cannot be read, in French; kLectureAnnulee when
// `avancement` stopped the reading.
QString lireFichierContacts(const QString& chemin, FichierContacts& fichier, const Avancement& avancement = {});

// For each contact, whether the book already holds someone of the same last
// name, first name and postcode (case and accents ignored).
std::vector<bool> dejaPresents(const std::vector<ContactLu>& contacts, Carnet carnet);

// Adds the contacts to the book in one transaction: all of them, or none
// (throws ErreurBase with the reason).
void ajouterAuCarnet(const std::vector<Contact>& contacts, Carnet carnet);

// The counts an import ends with.
struct BilanContacts {
    int importes = 0;
    int doublons = 0;
    QList<int> lignesIllisibles;
};
// "3 contacts importés, 1 doublon ignoré, 2 illisibles (lignes 14, 27)."
QString texteBilan(const BilanContacts& bilan);

// The book's contacts, all of them or those of the given ids, ordered by
// last name then first name.
std::vector<Contact> contactsDuCarnet(Carnet carnet, const QList<RecordId>& ids = {});

// The fields the book holds, in the order of its card.
std::vector<Champ> champsDuCarnet(Carnet carnet);

enum class FormatExport { VCard, Csv };
// Writes the contacts to the file, replacing it whole or leaving it as it
// was. Returns "" or why it failed, in French.
QString exporterContacts(const std::vector<Contact>& contacts, Carnet carnet, FormatExport format,
                         const QString& chemin);
