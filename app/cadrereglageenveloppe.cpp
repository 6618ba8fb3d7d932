#include "app/cadrereglageenveloppe.h"

#include "output/pageessaienveloppe.h"
#include "output/reglageenveloppe.h"
#include "platform/dialogues.h"
#include "platform/imprimante.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QDoubleSpinBox* decalage(QWidget* parent, const QString& nom, double valeur)
{
    auto* s = new QDoubleSpinBox(parent);
    s->setObjectName(nom);
    s->setRange(-kDecalageMaxMm, kDecalageMaxMm);
    s->setSingleStep(kPasDecalageMm);
    s->setDecimals(1);
    s->setSuffix(QStringLiteral(" mm"));
    s->setValue(valeur);
    return s;
}

// The name the settings are kept under: the printer envelopes go to.
QString imprimanteDesEnveloppes()
{
    ImprimanteObtenue obtenue = imprimantes().nouvelleImprimante();
    if (!obtenue)
        return {};
    std::unique_ptr<QPrinter> imprimante = std::move(obtenue).valeur();
    const QString nom = nomImprimanteReglage(*imprimante);
    imprimantes().rendre(std::move(imprimante));
    return nom;
}

} // namespace

CadreReglageEnveloppe::CadreReglageEnveloppe(QWidget* parent)
    : QGroupBox(QStringLiteral("Réglage de l'imprimante pour les enveloppes"), parent),
      m_imprimante(imprimanteDesEnveloppes())
{
    setObjectName(QStringLiteral("fraReglageEnveloppe"));
    const ReglageEnveloppe reglage = lireReglageEnveloppe(m_imprimante);
    m_decalageX = decalage(this, QStringLiteral("spnDecalageX"), reglage.decalageXMm);
    m_decalageY = decalage(this, QStringLiteral("spnDecalageY"), reglage.decalageYMm);
    m_rotation = new QComboBox(this);
    m_rotation->setObjectName(QStringLiteral("cmbRotation"));
    for (int degres : {0, 90, 180, 270})
        m_rotation->addItem(QStringLiteral("%1°").arg(degres), degres);
    m_rotation->setCurrentIndex(m_rotation->findData(reglage.rotation));
    auto* pageEssai = new QPushButton(QStringLiteral("Imprimer une page d'essai"), this);
    pageEssai->setObjectName(QStringLiteral("cmdPageEssai"));
    connect(pageEssai, &QPushButton::clicked, this, &CadreReglageEnveloppe::imprimerPageEssai);

    auto* grille = new QFormLayout(this);
    auto* nom = new QLabel(m_imprimante.isEmpty() ? QStringLiteral("(aucune imprimante)") : m_imprimante, this);
    nom->setObjectName(QStringLiteral("lblImprimante"));
    grille->addRow(QStringLiteral("Imprimante :"), nom);
    grille->addRow(QStringLiteral("Décalage horizontal :"), m_decalageX);
    grille->addRow(QStringLiteral("Décalage vertical :"), m_decalageY);
    grille->addRow(QStringLiteral("Rotation :"), m_rotation);
    grille->addRow(pageEssai);
}

QString CadreReglageEnveloppe::enregistrer() const
{
    if (m_imprimante.isEmpty())
        return {};
    return enregistrerReglageEnveloppe(m_imprimante,
                                       {m_decalageX->value(), m_decalageY->value(), m_rotation->currentData().toInt()})
        .raison();
}

// The page is printed with the values shown, so they are stored first.
void CadreReglageEnveloppe::imprimerPageEssai()
{
    QString raison = enregistrer();
    if (raison.isEmpty())
        raison = imprimerPageEssaiEnveloppe();
    if (!raison.isEmpty())
        afficherErreur(raison);
}
