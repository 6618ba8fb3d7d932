#pragma once

#include "output/enveloppe.h"
#include "platform/recordset.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

// The commands of tilvo-lettres-cli. Each lives in its own file and is
// listed once in commandes.cpp.

// Exit statuses shared by every command.
inline constexpr int kSucces = 0;
inline constexpr int kEntreeInvalide = 1; // bad arguments or input, nothing done
inline constexpr int kEchecEcriture = 2;  // nothing written

struct Commande {
    QString nom;
    QString usage;  // arguments, for the help text
    QString resume; // one line, in French
    int (*executer)(const QStringList& arguments);
};

const std::vector<Commande>& commandes();

int commandeImporter(const QStringList& arguments);
int commandeExporter(const QStringList& arguments);
int commandePdf(const QStringList& arguments);
int commandeEnveloppes(const QStringList& arguments);
int commandeEtiquettes(const QStringList& arguments);

// Messages: results on standard output, errors on standard error.
void afficher(const QString& texte);
void signalerErreur(const QString& texte);

// The options of a command line: "--nom valeur" pairs, bare "--nom" flags
// and the remaining positional arguments.
struct Options {
    QStringList drapeaux;
    QHash<QString, QString> valeurs;
    QStringList positionnels;
};
// Reads the arguments; returns "" or the reason they cannot be understood.
QString lireOptions(const QStringList& arguments, const QStringList& avecValeur, const QStringList& drapeaux,
                    Options& options);

// Opens the letter database of --base; returns "" or why it cannot be.
QString ouvrirBaseDe(const QString& chemin);

// For the envelope and label commands: --destinataires and --sortie checked,
// the --base database opened and the recipients' addresses read, in list
// order; "" or the first thing that went wrong.
QString lireAdresses(const Options& options, std::vector<AdresseEnveloppe>& adresses);
