#include "lecteur.h"

namespace rtf {

namespace {
constexpr qsizetype kNomPoliceMax = 255;
}

// A table replaces the one of the group that holds it, so that a document
// nested in another keeps its fonts and colours to its own group.
void LecteurRtf::commencerTablePolices()
{
    viderTexte();
    auto table = std::make_shared<TablePolices>();
    if (!m_pile.empty() && m_groupesDebordants == 0)
        m_pile.back().polices = table;
    m_etat.polices = table;
    m_etat.destination = Destination::TablePolices;
    m_policeCommencee = false;
    m_formatValide = false;
}

void LecteurRtf::commencerTableCouleurs()
{
    viderTexte();
    auto table = std::make_shared<TableCouleurs>();
    if (!m_pile.empty() && m_groupesDebordants == 0)
        m_pile.back().couleurs = table;
    m_etat.couleurs = table;
    m_etat.destination = Destination::TableCouleurs;
    m_rouge = m_vert = m_bleu = -1;
    m_formatValide = false;
}

// An entry ends at its `;`, at the next \f or at the end of its group.
void LecteurRtf::validerPolice()
{
    if (m_policeCommencee) {
        m_policeEnCours.nom = m_policeEnCours.nom.trimmed();
        m_policeEnCours.symboles = tableSymboles(m_policeEnCours.nom, m_policeEnCours.pageCode);
        m_etat.polices->insert(m_numeroPoliceEnCours, m_policeEnCours);
    }
    m_policeCommencee = false;
    m_policeEnCours = Police{};
}

void LecteurRtf::traiterTexteTablePolices(QStringView texte)
{
    for (const QChar c : texte) {
        if (c == u';') {
            validerPolice();
        } else if (m_policeCommencee && m_policeEnCours.nom.size() < kNomPoliceMax
                   && c.unicode() >= 0x20) {
            m_policeEnCours.nom.append(c);
        }
    }
}

void LecteurRtf::traiterTexteTableCouleurs(QStringView texte)
{
    for (const QChar c : texte) {
        if (c != u';')
            continue;
        if (m_rouge < 0 && m_vert < 0 && m_bleu < 0)
            m_etat.couleurs->append(std::nullopt);
        else
            m_etat.couleurs->append(qRgb(qMax(m_rouge, 0), qMax(m_vert, 0), qMax(m_bleu, 0)));
        m_rouge = m_vert = m_bleu = -1;
    }
}

} // namespace rtf
