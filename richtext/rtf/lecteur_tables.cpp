#include "lecteur.h"

#include <QRegularExpression>

namespace rtf {

namespace {
constexpr qsizetype kNomPoliceMax = 255;
} // namespace

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
        } else if (m_policeCommencee && m_policeEnCours.nom.size() < kNomPoliceMax && c.unicode() >= 0x20) {
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

namespace rtf {

// SYMBOL code [\f "font"] [\u]: the character stands in the field's result
// when the writer left the result empty.
void LecteurRtf::lireInstructionChamp()
{
    static const QRegularExpression symbole(QStringLiteral(R"re(^\s*SYMBOL\s+(0x[0-9A-Fa-f]+|\d+)(.*)$)re"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression police(QStringLiteral(R"re(\\f\s*(?:"([^"]*)"|(\S+)))re"));
    static const QRegularExpression unicode(QStringLiteral(R"re(\\u(\s|$))re"));
    m_symboleChamp = 0;
    const QRegularExpressionMatch champ = symbole.match(m_instructionChamp);
    if (!champ.hasMatch())
        return;
    const QString code = champ.captured(1);
    bool nombre = false;
    const uint valeur = code.startsWith(u"0x", Qt::CaseInsensitive) ? code.mid(2).toUInt(&nombre, 16)
                                                                    : code.toUInt(&nombre);
    if (!nombre || valeur < 0x20 || valeur > 0xFFFF || QChar::isSurrogate(valeur))
        return;
    const QString options = champ.captured(2);
    const QRegularExpressionMatch p = police.match(options);
    const QString nom = !p.hasMatch() ? QStringLiteral("Symbol") : p.captured(1) + p.captured(2);
    const auto* table = unicode.match(options).hasMatch() ? nullptr : tableSymboles(nom, -1);
    m_symboleChamp = table && valeur < 0x100 ? (*table)[valeur] : char16_t(valeur);
    m_debutResultatChamp = m_curseur.position() + m_texte.size();
}

void LecteurRtf::terminerChamp()
{
    if (m_symboleChamp && m_curseur.position() + m_texte.size() == m_debutResultatChamp)
        ajouterCaractere(m_symboleChamp);
    m_symboleChamp = 0;
}

} // namespace rtf
