#pragma once

#include "platform/erreurbase.h"
#include "platform/recordset.h"
#include "store/personnes.h"

#include <QString>
#include <array>
#include <optional>
#include <utility>
#include <vector>

// The record operations the sender and recipient address books share, on a
// table described once: its query texts, its id column and the column of
// each field of its card (in the order the fields are filled and stored).
template <class Fiche, std::size_t N>
struct TableCarnet {
    QString (*requeteUn)(RecordId);
    QString (*requeteInsertion)();
    QLatin1String colonneId;
    std::array<std::pair<QLatin1String, QString Fiche::*>, N> colonnes;
};

// The id that a chooser text designates, when that record exists; else -1.
template <class Fiche, std::size_t N>
RecordId numeroDesigne(const TableCarnet<Fiche, N>& table, const QString& texteChoix)
{
    if (texteChoix.isEmpty())
        return kAucunEnregistrement;
    const RecordId id = numeroEnTete(texteChoix);
    if (id == kAucunEnregistrement)
        return kAucunEnregistrement;
    Recordset rs;
    rs.open(table.requeteUn(id));
    const bool trouve = !rs.eof();
    rs.close();
    return trouve ? id : kAucunEnregistrement;
}

template <class Fiche, std::size_t N>
Fiche lireFiche(const TableCarnet<Fiche, N>& table, RecordId id)
{
    Fiche fiche;
    Recordset rs;
    rs.open(table.requeteUn(id));
    for (const auto& [colonne, champ] : table.colonnes)
        fiche.*champ = rs.text(colonne);
    rs.close();
    return fiche;
}

// The card of the row `id`, or none when no row has that id.
template <class Fiche, std::size_t N>
std::optional<Fiche> trouverFiche(const TableCarnet<Fiche, N>& table, RecordId id)
{
    Recordset rs;
    rs.open(table.requeteUn(id));
    if (rs.eof())
        return std::nullopt;
    Fiche fiche;
    for (const auto& [colonne, champ] : table.colonnes)
        fiche.*champ = rs.text(colonne);
    rs.close();
    return fiche;
}

// Stores the card as a new row (id kAucunEnregistrement) or over the row of
// that id; returns the row's id, the one the database assigned for a new
// row. Over an existing row only the fields that differ from what it holds
// are written: a value the fields could not show exactly (bytes that are not
// UTF-8, an absent value) stays as stored unless the user changed it.
template <class Fiche, std::size_t N>
RecordId enregistrerFiche(const TableCarnet<Fiche, N>& table, RecordId id, const Fiche& fiche, const Fiche* attendue)
{
    Recordset rs;
    if (id == kAucunEnregistrement) {
        // The query of one record, on an id no row has: the columns without
        // reading the whole address book.
        rs.open(table.requeteUn(kAucunEnregistrement));
        rs.addNew();
    } else {
        rs.open(table.requeteUn(id));
        if (rs.eof())
            throw ErreurConflit(QStringLiteral("L'enregistrement n'existe plus : il a été supprimé entre-temps."));
    }
    const bool nouvelle = id == kAucunEnregistrement;
    for (const auto& [colonne, champ] : table.colonnes) {
        if (!nouvelle && attendue && rs.text(colonne) != attendue->*champ)
            throw ErreurConflit(QStringLiteral("L'enregistrement a été modifié entre-temps."));
    }
    for (const auto& [colonne, champ] : table.colonnes) {
        if (nouvelle || rs.text(colonne) != fiche.*champ)
            rs.setValue(colonne, fiche.*champ);
    }
    rs.update();
    const RecordId enregistre = rs.value(table.colonneId).toLongLong();
    rs.close();
    return enregistre;
}

template <class Fiche, std::size_t N>
void supprimerFiche(const TableCarnet<Fiche, N>& table, RecordId id)
{
    Recordset rs;
    rs.open(table.requeteUn(id));
    rs.deleteCurrent();
    rs.close();
}

// The column names as the record layer takes them, built once for a run
// over many rows.
template <class Fiche, std::size_t N>
std::array<QString, N> nomsColonnes(const TableCarnet<Fiche, N>& table)
{
    std::array<QString, N> noms;
    for (std::size_t i = 0; i < N; ++i)
        noms[i] = table.colonnes[i].first;
    return noms;
}

// Every row of the table with its id, in the order the database gives them.
template <class Fiche, std::size_t N>
std::vector<std::pair<RecordId, Fiche>> lireFiches(const TableCarnet<Fiche, N>& table)
{
    std::vector<std::pair<RecordId, Fiche>> fiches;
    const auto noms = nomsColonnes(table);
    const QString colonneId = table.colonneId;
    Recordset rs;
    rs.open(table.requeteInsertion());
    for (; !rs.eof(); rs.moveNext()) {
        Fiche fiche;
        for (std::size_t i = 0; i < N; ++i)
            fiche.*(table.colonnes[i].second) = rs.text(noms[i]);
        fiches.emplace_back(rs.value(colonneId).toLongLong(), std::move(fiche));
    }
    rs.close();
    return fiches;
}

// Adds every card as a new row, all of them or, on a failure, none.
template <class Fiche, std::size_t N>
void ajouterFiches(const TableCarnet<Fiche, N>& table, const std::vector<Fiche>& fiches)
{
    Transaction transaction;
    Recordset rs;
    // No row has this id: the set opens empty, only to add rows.
    rs.open(table.requeteUn(kAucunEnregistrement));
    const auto noms = nomsColonnes(table);
    for (const Fiche& fiche : fiches) {
        rs.addNew();
        for (std::size_t i = 0; i < N; ++i)
            rs.setValue(noms[i], fiche.*(table.colonnes[i].second));
        rs.update();
    }
    rs.close();
    transaction.valider();
}
