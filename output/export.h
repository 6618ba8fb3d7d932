#pragma once

#include "output/journalsorties.h"

class RichTextBox;

// Saves the letter area, as it stands, to an RTF file the user names, on
// the letter's paper and margins. A cancelled dialog writes nothing and says
// nothing; a file that cannot be written is reported with the reason. A
// written file is recorded in the journal.
void ExporterLettre(RichTextBox& txtText, const ContexteEnvoi& envoi = {});
