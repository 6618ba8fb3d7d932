#pragma once

#include "output/composition.h"

// A complete letter entry typed by hand, no model: Jean Martin of Nantes
// writes to Claire Durand of Paris.
inline SaisieLettre saisieComplete()
{
    SaisieLettre s;
    s.titreExp = QStringLiteral("Monsieur");
    s.nomExp = QStringLiteral("Martin");
    s.prenomExp = QStringLiteral("Jean");
    s.adresse1Exp = QStringLiteral("5 allée Verte");
    s.cpExp = QStringLiteral("44000");
    s.villeExp = QStringLiteral("Nantes");
    s.titreDest = QStringLiteral("Madame");
    s.nomDest = QStringLiteral("Durand");
    s.prenomDest = QStringLiteral("Claire");
    s.adresse1Dest = QStringLiteral("12 rue Haute");
    s.cpDest = QStringLiteral("75011");
    s.villeDest = QStringLiteral("Paris");
    s.dateLettre = QStringLiteral("8 décembre 2026");
    s.villeLettre = QStringLiteral("Nantes");
    s.objetLettre = QStringLiteral("Résiliation");
    s.formuleLettre = QStringLiteral("Cordialement.");
    s.depuisModele = false;
    return s;
}
