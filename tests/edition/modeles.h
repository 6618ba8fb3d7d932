#pragma once

#include "platform/imprimante.h"
#include "richtext/richtextbox.h"
#include "store/corpsmodele.h"
#include "support/basetemporaire.h"

// Two models of one sub-category: model 1 in "Courier New", model 2 plain.
inline void remplirModeles(const BaseTemporaire& base)
{
    base.executer(QStringLiteral(
        "INSERT INTO Categorie_Modele (Libelle_Cat_Modele) VALUES ('Logement');"
        "INSERT INTO Sous_Categorie_Modele (Numero_Cat_Modele, Libelle_Sous_Cat_Modele) VALUES (1, 'Préavis');"
        "INSERT INTO Modele (Numero_Sous_Cat_Modele, Libelle_Modele, Corps_Modele, Lien_Modele, Lien_Fiche_Modele) VALUES "
        "(1, 'Premier', '{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}\\f0\\fs24 Corps du premier}', '', ''),"
        "(1, 'Second', '{\\rtf1\\ansi Corps du second}', '', '');"));
}

// The plain text of a model's stored body.
inline QString texteDuModele(const QString& id)
{
    RichTextBox lecteur;
    lecteur.setTextRTF(LireCorpsModele(id));
    return lecteur.toPlainText();
}

// A system with no printer at all.
class SansImprimante : public SourceImprimantes {
public:
    QString indisponibilite() const override { return messageAucuneImprimante(); }
    ImprimanteObtenue nouvelleImprimante() override { return ImprimanteObtenue::echec(messageAucuneImprimante()); }
};
