#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The rows of a report-style list (lsvDest, lsvModele): texts only, held
// column by column so that tens of thousands of rows are replaced in one go.
// Column 0 is the row's own text (an id); headers are given per column.
class ModeleTableau : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ModeleTableau(QStringList entetes, QObject* parent = nullptr);

    // Replaces every row; each list is one column, all of the same length
    // (missing cells read as "").
    void remplir(QList<QStringList> colonnes);
    void vider();
    QString texte(int ligne, int colonne) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_entetes;
    QList<QStringList> m_colonnes;
    int m_lignes = 0;
};
