#include "import/modeleapercu.h"

namespace {

// The fields shown, in the order of the preview's columns.
constexpr Champ kChamps[] = {Champ::Titre, Champ::Nom,      Champ::Prenom, Champ::Adresse1, Champ::Adresse2, Champ::Cp,
                             Champ::Ville, Champ::Fonction, Champ::Mail,   Champ::Tel1,     Champ::Tel2};
constexpr int kNombreColonnes = ModeleApercu::PremierChamp + int(std::size(kChamps));

} // namespace

void ModeleApercu::charger(std::vector<ContactLu> contacts, std::vector<bool> presents)
{
    beginResetModel();
    m_contacts = std::move(contacts);
    m_presents = std::move(presents);
    m_coches.assign(m_contacts.size(), false);
    for (std::size_t i = 0; i < m_contacts.size(); ++i)
        m_coches[i] = m_contacts[i].erreur.isEmpty() && !m_presents[i];
    endResetModel();
}

void ModeleApercu::cocherTout(bool coche)
{
    for (std::size_t i = 0; i < m_contacts.size(); ++i)
        m_coches[i] = coche && m_contacts[i].erreur.isEmpty();
    if (!m_contacts.empty())
        emit dataChanged(index(0, Ligne), index(rowCount() - 1, Ligne), {Qt::CheckStateRole});
}

void ModeleApercu::marquerImportes()
{
    for (std::size_t i = 0; i < m_contacts.size(); ++i) {
        if (m_coches[i])
            m_presents[i] = true;
        m_coches[i] = false;
    }
    if (!m_contacts.empty())
        emit dataChanged(index(0, Ligne), index(rowCount() - 1, Etat));
}

int ModeleApercu::colonneDe(Champ champ)
{
    for (int i = 0; i < int(std::size(kChamps)); ++i) {
        if (kChamps[i] == champ)
            return PremierChamp + i;
    }
    return -1;
}

int ModeleApercu::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_contacts.size());
}

int ModeleApercu::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kNombreColonnes;
}

QVariant ModeleApercu::data(const QModelIndex& index, int role) const
{
    const auto i = std::size_t(index.row());
    const ContactLu& lu = m_contacts[i];
    if (role == Qt::CheckStateRole && index.column() == Ligne)
        return m_coches[i] ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (index.column() == Ligne)
        return lu.ligne;
    if (index.column() == Etat) {
        if (!lu.erreur.isEmpty())
            return QStringLiteral("illisible : %1").arg(lu.erreur);
        return m_presents[i] ? QStringLiteral("déjà présent") : QString();
    }
    // A line break inside a value shows as a space on its row.
    QString valeur = valeurChamp(lu.contact, kChamps[index.column() - PremierChamp]);
    return role == Qt::ToolTipRole ? valeur : valeur.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

bool ModeleApercu::setData(const QModelIndex& index, const QVariant& valeur, int role)
{
    if (role != Qt::CheckStateRole || index.column() != Ligne || !m_contacts[std::size_t(index.row())].erreur.isEmpty())
        return false;
    m_coches[std::size_t(index.row())] = valeur.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags ModeleApercu::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Ligne && m_contacts[std::size_t(index.row())].erreur.isEmpty())
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ModeleApercu::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList kTitres{QStringLiteral("Ligne"),      QStringLiteral("État"),
                                     QStringLiteral("Titre"),      QStringLiteral("Nom"),
                                     QStringLiteral("Prénom"),     QStringLiteral("Adresse 1"),
                                     QStringLiteral("Adresse 2"),  QStringLiteral("CP"),
                                     QStringLiteral("Ville"),      QStringLiteral("Fonction"),
                                     QStringLiteral("E-mail"),     QStringLiteral("Téléphone 1"),
                                     QStringLiteral("Téléphone 2")};
    return kTitres.value(section);
}
