#include "app/modeletableau.h"

ModeleTableau::ModeleTableau(QStringList entetes, QObject* parent)
    : QAbstractTableModel(parent), m_entetes(std::move(entetes)), m_colonnes(m_entetes.size())
{
}

void ModeleTableau::remplir(QList<QStringList> colonnes)
{
    beginResetModel();
    colonnes.resize(m_entetes.size());
    m_lignes = colonnes.isEmpty() ? 0 : static_cast<int>(colonnes.first().size());
    m_colonnes = std::move(colonnes);
    endResetModel();
}

void ModeleTableau::vider()
{
    remplir({});
}

QString ModeleTableau::texte(int ligne, int colonne) const
{
    if (colonne < 0 || colonne >= m_colonnes.size() || ligne < 0)
        return QString();
    return m_colonnes.at(colonne).value(ligne);
}

int ModeleTableau::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_lignes;
}

int ModeleTableau::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entetes.size());
}

QVariant ModeleTableau::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return texte(index.row(), index.column());
}

QVariant ModeleTableau::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_entetes.size())
        return {};
    return m_entetes.at(section);
}
