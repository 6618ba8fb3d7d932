#pragma once

#include "output/journalsorties.h"
#include "output/messages.h"
#include "store/destinataires.h"

#include <QList>
#include <QPainter>
#include <QPrinter>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

// Envelope printing: the recipient's address on an envelope of the format
// chosen in the options dialog, or one envelope per selected recipient of
// the mass list.

// What the main window holds when the envelope button is clicked.
struct SaisieEnveloppe {
    bool individuel = true; // optDiffusion(0) selected
    // Individual mode: the recipient fields of the window.
    FicheDestinataire destinataire;
    // Mass mode: the selected recipients, list order.
    QList<RecordId> ids;
    ContexteEnvoi envoi{}; // for the journal
};

// Every envelope is laid out before the first one prints: a recipient that
// cannot be read, or whose address does not fit on the envelope, is named
// and nothing prints. Each envelope is then its own print job; a job that
// fails is reported under the program's title and the next one is tried.
// Each envelope printed is recorded in the journal (without a letter).
void ImprimerEnveloppe(const SaisieEnveloppe& saisie);

// The refusals of an envelope command.
QString messageFormatAbsent();

inline constexpr double kTailleEnveloppe = 14.0; // points

// Where everything goes on an envelope: positions in centimetres in the
// format's layout frame (see reglageenveloppe.h), the text's top-left
// corner there.
struct TexteEnveloppe {
    float x;
    float y;
    QString texte;
    double taille = kTailleEnveloppe;
};
struct DispositionEnveloppe {
    std::vector<TexteEnveloppe> textes;
};

// The layout of the given format (0 to 5); none for any other code.
std::optional<DispositionEnveloppe> disposerEnveloppe(int format, const QString& nom, const QString& adresse1,
                                                      const QString& adresse2, const QString& codePostal,
                                                      const QString& ville);

// The five postcode boxes pre-printed on envelopes of the format, in
// centimetres of its layout frame; none for the formats without boxes.
std::vector<QRectF> casesCodePostal(int format);

// The stored format code, or none when it is not set or not one of the
// codes 0 to 5.
std::optional<int> formatEnveloppeEnregistre();

struct PapierEnveloppe;
struct ReglageEnveloppe;

// One envelope to print: whose it is, for the messages, and its five texts.
struct AdresseEnveloppe {
    QString qui;
    QString nom, adresse1, adresse2, codePostal, ville;
};

// The recipients of these ids, read from the database in this order.
// Throws ErreurBase, naming an id that no longer exists.
std::vector<AdresseEnveloppe> adressesDesDestinataires(const QList<RecordId>& ids);

// The envelopes of the command: the window's recipient, or the selected
// ones read from the database. Throws ErreurBase.
std::vector<AdresseEnveloppe> adressesAImprimer(const SaisieEnveloppe& saisie);

// Every envelope laid out and fitted to the envelope of the format; false
// with the message to show when one cannot be.
bool disposerToutes(int format, const std::vector<AdresseEnveloppe>& adresses,
                    std::vector<DispositionEnveloppe>& dispositions, QString& message);

// Before a job or a page: the printer set to the envelope, calibrated.
void preparerPapier(QPrinter& imprimante, const PapierEnveloppe& papier, const ReglageEnveloppe& reglage);
// Draws one envelope on the current page.
void dessinerEnveloppe(QPainter& peintre, const QPrinter& imprimante, const DispositionEnveloppe& disposition,
                       const PapierEnveloppe& papier, const ReglageEnveloppe& reglage);
