#include "app/etapes.h"

void AnimationEtapes::placerPanneaux()
{
    m_positions[Expediteur] = {kGauche, kHaut};
    for (std::size_t i = Expediteur + 1; i < m_positions.size(); ++i)
        m_positions[i] = {kGauche, kHautRange};
    m_courante = m_cible = Expediteur;
}

bool AnimationEtapes::choisir(int i)
{
    if (i < 0 || i >= kNombreEtapes || i == m_courante)
        return false;
    m_cible = i;
    return true;
}

bool AnimationEtapes::avancer()
{
    Position& sortant = m_positions.at(static_cast<std::size_t>(m_courante));
    Position& entrant = m_positions.at(static_cast<std::size_t>(m_cible));
    bool sortieFaite = false;
    if (sortant.left < kSortie)
        sortant.left += kPas;
    else
        sortieFaite = true;
    if (entrant.top != kHaut) {
        entrant.top -= kPas;
        return false;
    }
    if (!sortieFaite)
        return false;
    sortant = {kGaucheRange, kHautRange};
    m_courante = m_cible;
    return true;
}
