#pragma once

#include "platform/connexion.h"

#include <QString>

// Loads the delivered catalogue (categories, sub-categories and models) from
// its text sources into a letter database: a manifest of "|"-separated
// records (C|id|label, S|id|category id|label,
// M|sub-category id|label|body file|link|sheet link) and one RTF file per
// model body, in the folder of bodies given. Returns "" on success, else the
// first problem found, in French, with its line number. What was loaded is
// recorded as received (see miseajourcatalogue.h).
QString chargerCatalogue(Connexion& connexion, const QString& manifeste, const QString& dossierCorps);
