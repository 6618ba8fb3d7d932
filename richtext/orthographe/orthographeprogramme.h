#pragma once

#include <QString>
#include <QStringList>

class RichTextBox;

namespace orthographe {

class Verificateur;

// The checker the program's text boxes share: the system's French Hunspell
// dictionary, the personal word list Save/dictionnaire-personnel.txt, the
// address book's names, and checking on or off as the settings file
// remembers it (section "Orthographe", key "Active"). Made at its first use.
Verificateur& verificateurProgramme();
// Tests give the program another checker (which it then owns).
void installerVerificateur(Verificateur* verificateur);

// Where the system keeps its French dictionary: its .aff and .dic files,
// paths that do not exist when there is none.
struct FichiersDictionnaire {
    QString aff;
    QString dic;
};
FichiersDictionnaire dictionnaireSysteme();

// Last names, first names and towns of the senders and recipients; none
// when the database cannot be read.
QStringList nomsCarnet();

// Spell-checks `texte` with the program's checker.
void brancherOrthographe(RichTextBox& texte);

} // namespace orthographe
