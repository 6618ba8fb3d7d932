#pragma once

#include "platform/recordset.h"

#include <QString>

// Every statement the program sends to the letter database, each built in
// one place. Ids are written in plain decimal; labels are enclosed in quotes
// with any enclosing quote character inside them doubled.
namespace requetes {

QString listeExpediteurs();
QString expediteur(RecordId id);
QString tousExpediteurs();

QString listeDestinataires();
QString destinataire(RecordId id);
// A list row's text (the id as read from the database), inserted unchanged.
QString destinataire(const QString& idTexte);
QString tousDestinataires();

QString listeCategories();
QString categorieParLibelle(const QString& libelle);
QString sousCategories(RecordId idCategorie);
QString sousCategorieParLibelle(RecordId idCategorie, const QString& libelle);

QString modelesDeSousCategorie(RecordId idSousCategorie);
QString modele(RecordId id);
QString modele(const QString& idTexte);
QString tousModeles();

} // namespace requetes
