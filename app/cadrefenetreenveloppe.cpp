#include "app/cadrefenetreenveloppe.h"

#include "output/fenetreenveloppe.h"

#include <QDoubleSpinBox>
#include <QFormLayout>

namespace {

QDoubleSpinBox* mesure(QWidget* parent, const QString& nom, double minimum, double maximum, double valeur)
{
    auto* s = new QDoubleSpinBox(parent);
    s->setObjectName(nom);
    s->setRange(minimum, maximum);
    s->setSingleStep(1);
    s->setDecimals(0);
    s->setSuffix(QStringLiteral(" mm"));
    s->setValue(valeur);
    return s;
}

} // namespace

CadreFenetreEnveloppe::CadreFenetreEnveloppe(QWidget* parent)
    : QGroupBox(QStringLiteral("Fenêtre d'enveloppe (aperçu, enveloppe 110 x 220)"), parent)
{
    setObjectName(QStringLiteral("fraFenetreEnveloppe"));
    const FenetreEnveloppe f = lireFenetreEnveloppe();
    m_largeur = mesure(this, QStringLiteral("spnLargeurFenetre"), 10, kLargeurDlMm, f.largeurMm);
    m_hauteur = mesure(this, QStringLiteral("spnHauteurFenetre"), 10, kHauteurDlMm, f.hauteurMm);
    m_droite = mesure(this, QStringLiteral("spnDroiteFenetre"), 0, kLargeurDlMm, f.droiteMm);
    m_bas = mesure(this, QStringLiteral("spnBasFenetre"), 0, kHauteurDlMm, f.basMm);
    auto* grille = new QFormLayout(this);
    grille->addRow(QStringLiteral("Largeur :"), m_largeur);
    grille->addRow(QStringLiteral("Hauteur :"), m_hauteur);
    grille->addRow(QStringLiteral("Distance au bord droit :"), m_droite);
    grille->addRow(QStringLiteral("Distance au bord inférieur :"), m_bas);
}

Reussite CadreFenetreEnveloppe::enregistrer() const
{
    return ecrireFenetreEnveloppe({m_largeur->value(), m_hauteur->value(), m_droite->value(), m_bas->value()});
}
