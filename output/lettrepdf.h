#pragma once

#include <QString>

#include <memory>

class MiseEnPage;
class QTextDocument;

// Letters without any window: composed RTF text made into a document, and
// documents drawn into PDF files with the letter page and margins.

// The letter's RTF text read into a new document (none when it cannot be
// read; `raison` says why).
std::unique_ptr<QTextDocument> documentLettre(const QString& rtf, QString& raison);

// The letter laid out on the PDF page with the letter margins, ready to be
// drawn; any thread may make it.
std::unique_ptr<MiseEnPage> lettreDisposee(const QTextDocument& lettre);

// What a PDF file says about itself.
struct ProprietesPdf {
    QString titre;          // the letter's subject
    QString auteur;         // the sender
    bool archivage = false; // PDF/A-1b
};

// One PDF file of one or more letters, each starting on a new page. The
// file is written under a temporary name and takes its own name only when
// terminer() succeeds; until then an existing file of that name is kept.
class DocumentPdf {
public:
    DocumentPdf(const QString& chemin, const ProprietesPdf& proprietes);
    ~DocumentPdf();
    DocumentPdf(const DocumentPdf&) = delete;
    DocumentPdf& operator=(const DocumentPdf&) = delete;

    // The number of pages the letter took; 0 when it could not be drawn.
    int ajouterLettre(const QTextDocument& lettre);
    int ajouterLettre(const MiseEnPage& lettre);
    // False, with the reason, when the file could not be written.
    bool terminer(QString& raison);

private:
    struct Etat;
    std::unique_ptr<Etat> m_etat;
};

// "AAAA-MM-JJ - Nom Prénom - Objet.pdf" with the characters that file
// systems refuse or that would make a path replaced by "_".
QString nomFichierLettre(const QString& dateIso, const QString& nom, const QString& prenom, const QString& objet);
