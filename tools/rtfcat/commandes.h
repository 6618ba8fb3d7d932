#pragma once

#include <QByteArray>
#include <QString>

#include <span>

class QTextDocument;

// One way of printing a document read from an RTF file. A new output
// (a PDF for instance) is one more entry in commandesRtfcat().
struct CommandeRtfcat {
    const char* nom;
    const char* aide;
    // Writes the result to `sortie`; on failure returns false and explains
    // why in `erreur`.
    bool (*executer)(const QTextDocument& document, QByteArray& sortie, QString& erreur);
};

std::span<const CommandeRtfcat> commandesRtfcat();
