#pragma once

#include <QString>

// The desktop's "open" action: hands a document, folder or link (mailto:,
// http:) to the program the desktop associates with it. Tests install a
// recording double.
class Bureau {
public:
    virtual ~Bureau() = default;
    // A relative path is taken from the given working folder. Returns false
    // when the desktop found no program to open it.
    virtual bool ouvrir(const QString& cible, const QString& dossierTravail) = 0;
};

Bureau& bureau();
void installerBureau(Bureau* nouveau);

// The real desktop, through xdg-open (QDesktopServices).
class BureauXdg : public Bureau {
public:
    bool ouvrir(const QString& cible, const QString& dossierTravail) override;
};

// A new message in the desktop's mail program (xdg-email), to `adresse`,
// with the subject and the file attached. False when there is no mail
// program to open it.
bool ouvrirMessageAvecPiece(const QString& adresse, const QString& objet, const QString& piece);

// A target as the desktop needs it: links stay links, paths become file URLs,
// relative ones resolved against the working folder.
QString cibleAbsolue(const QString& cible, const QString& dossierTravail);

// Opens a document or link with the desktop's program for it, a relative
// path being taken from `dossierTravail`. When none opens it, says so and
// offers to copy the link to the clipboard (and returns false).
bool ExecuterShell(const QString& document, const QString& dossierTravail = QString());
