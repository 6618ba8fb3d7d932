#pragma once

#include "platform/recordset.h"

#include <QList>
#include <QString>
#include <QStringList>

// The model catalogue as the main window browses it: categories, their
// sub-categories, the models of a sub-category; adding and deleting models.
// Categories and sub-categories are only read. Every function throws
// ErreurBase when the database fails.

// Category labels in label order.
QStringList libellesCategories();

// The id of the category with this label; -1 for an empty label or a label
// that names no category.
RecordId numeroCategorie(const QString& libelle);

// Sub-category labels of a category, in label order.
QStringList libellesSousCategories(RecordId idCategorie);

// The id of the sub-category of that category with this label; -1 when the
// label is empty, the category is -1, or no sub-category matches.
RecordId numeroSousCategorie(RecordId idCategorie, const QString& libelle);

// One row of the model list: the id as read from the database, the label and
// the two links.
struct LigneModele {
    QString id, libelle, lien, lienFiche;
    bool operator==(const LigneModele&) const = default;
};
QList<LigneModele> modelesDeSousCategorie(RecordId idSousCategorie);

// A new model of that sub-category with the given body (empty unless
// given) and empty links. Returns its id as the model list shows it.
QString creerModele(RecordId idSousCategorie, const QString& libelle, const QString& corps = QString());

// Deletes the model whose id is the text of a model list row.
void effacerModele(const QString& idTexte);
