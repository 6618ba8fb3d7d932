#pragma once

#include "import/contact.h"

#include <QAbstractTableModel>
#include <vector>

// The preview of a contact import: one row per contact read, a tick box in
// the first column, the state ("déjà présent", unreadable and why), then
// the contact's fields.
class ModeleApercu : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Colonne { Ligne, Etat, PremierChamp };

    using QAbstractTableModel::QAbstractTableModel;

    // Shows the contacts; every readable contact is ticked unless it is
    // already in the book.
    void charger(std::vector<ContactLu> contacts, std::vector<bool> presents);
    void cocherTout(bool coche);
    // After an import: the ticked contacts are now in the book.
    void marquerImportes();

    const std::vector<ContactLu>& contacts() const { return m_contacts; }
    bool estCoche(std::size_t i) const { return m_coches[i]; }
    bool estPresent(std::size_t i) const { return m_presents[i]; }

    // The column of a field.
    static int colonneDe(Champ champ);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& valeur, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<ContactLu> m_contacts;
    std::vector<bool> m_presents;
    std::vector<bool> m_coches;
};
