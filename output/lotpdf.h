#pragma once

#include "output/lettrepdf.h"
#include "platform/recordset.h"
#include "store/destinataires.h"

#include <QList>
#include <QStringList>

#include <functional>

// Mass letters to PDF, for the window, the e-mail and the command line: the
// mass letter personalised for each recipient, then drawn.

struct LotPdf {
    QString lettreEnNombre; // RTF, recipient placeholders left in place
    ProprietesPdf proprietes;
    QString dateIso; // first part of the file names
    QString objet;   // last part of the file names
};

// The selected recipients' cards, read once; throws ErreurBase.
QList<FicheDestinataire> fichesDe(const QList<RecordId>& ids);

// The RTF letter of one recipient.
QString lettrePour(const QString& lettreEnNombre, const FicheDestinataire& fiche);

// One file name per recipient, in order; two recipients of the same name
// get "(2)", "(3)"... after it.
QStringList nomsDesFichiers(const QList<FicheDestinataire>& fiches, const QString& dateIso, const QString& objet);

// Asked as the letters are done, with the number done so far; false stops
// the run (letters already under way are finished).
using SuitePdf = std::function<bool(int faits)>;

// Told of each letter written, in list order, on the calling thread: its
// place in the list, its RTF text and its number of pages.
using RemisePdf = std::function<void(qsizetype rang, const QString& rtf, int pages)>;

struct ResultatLot {
    QStringList fichiers; // the paths written, in order
    bool interrompu = false;
    QString erreur; // names the recipient whose letter failed
};

// One file per recipient in `dossier`, under the names above, written on
// every processor core.
ResultatLot ecrireUnParDestinataire(const LotPdf& lot, const QList<FicheDestinataire>& fiches, const QString& dossier,
                                    const SuitePdf& suite, const RemisePdf& remise = {});
// Every letter in order in the one file `chemin`; nothing is written when
// the run stops or fails, and every letter is handed over once the file is.
ResultatLot ecrireTousEnUn(const LotPdf& lot, const QList<FicheDestinataire>& fiches, const QString& chemin,
                           const SuitePdf& suite, const RemisePdf& remise = {});
