#include "app/frmetiquettes.h"

#include "output/etiquettes.h"
#include "platform/dialogues.h"
#include "platform/erreurbase.h"
#include "platform/fenetres.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>

namespace {

QDoubleSpinBox* millimetres(QWidget* parent, const QString& nom)
{
    auto* s = new QDoubleSpinBox(parent);
    s->setObjectName(nom);
    s->setRange(0, 297);
    s->setDecimals(2);
    s->setSuffix(QStringLiteral(" mm"));
    return s;
}

QSpinBox* entier(QWidget* parent, const QString& nom, int max)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(nom);
    s->setRange(1, max);
    return s;
}

} // namespace

FrmEtiquettes::FrmEtiquettes(const QList<RecordId>& idsDestinataires, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ids(idsDestinataires)
{
    setObjectName(QStringLiteral("FrmEtiquettes"));
    setWindowTitle(QStringLiteral("Imprimer des étiquettes"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_planche = new QComboBox(this);
    m_planche->setObjectName(QStringLiteral("cmbPlanche"));
    for (const QString& nom : nomsFormatsEtiquettes()) {
        const FormatEtiquettes f = *formatEtiquettes(nom);
        m_planche->addItem(QStringLiteral("%1 x %2 (%3 x %4 mm)")
                               .arg(f.colonnes)
                               .arg(f.rangees)
                               .arg(QLocale(QLocale::French).toString(f.largeurMm))
                               .arg(QLocale(QLocale::French).toString(f.hauteurMm)),
                           nom);
    }
    m_planche->addItem(QStringLiteral("Sur mesure"), QString());
    m_colonnes = entier(this, QStringLiteral("spnColonnes"), 20);
    m_rangees = entier(this, QStringLiteral("spnRangees"), 40);
    m_largeur = millimetres(this, QStringLiteral("spnLargeur"));
    m_hauteur = millimetres(this, QStringLiteral("spnHauteur"));
    m_margeHaut = millimetres(this, QStringLiteral("spnMargeHaut"));
    m_margeGauche = millimetres(this, QStringLiteral("spnMargeGauche"));
    m_pasHorizontal = millimetres(this, QStringLiteral("spnPasHorizontal"));
    m_pasVertical = millimetres(this, QStringLiteral("spnPasVertical"));
    m_debut = entier(this, QStringLiteral("spnDebut"), 20 * 40);

    auto* grille = new QFormLayout;
    grille->addRow(QStringLiteral("Planche :"), m_planche);
    grille->addRow(QStringLiteral("Colonnes :"), m_colonnes);
    grille->addRow(QStringLiteral("Rangées :"), m_rangees);
    grille->addRow(QStringLiteral("Largeur d'une étiquette :"), m_largeur);
    grille->addRow(QStringLiteral("Hauteur d'une étiquette :"), m_hauteur);
    grille->addRow(QStringLiteral("Marge du haut :"), m_margeHaut);
    grille->addRow(QStringLiteral("Marge de gauche :"), m_margeGauche);
    grille->addRow(QStringLiteral("Pas horizontal :"), m_pasHorizontal);
    grille->addRow(QStringLiteral("Pas vertical :"), m_pasVertical);
    grille->addRow(QStringLiteral("Commencer à l'étiquette n° :"), m_debut);

    // A sheet sold shows its measures; only "Sur mesure" lets them change.
    const auto montrer = [this] {
        const auto f = formatEtiquettes(m_planche->currentData().toString());
        for (QWidget* w : std::initializer_list<QWidget*>{m_colonnes, m_rangees, m_largeur, m_hauteur, m_margeHaut,
                                                          m_margeGauche, m_pasHorizontal, m_pasVertical})
            w->setEnabled(!f);
        if (!f)
            return;
        m_colonnes->setValue(f->colonnes);
        m_rangees->setValue(f->rangees);
        m_largeur->setValue(f->largeurMm);
        m_hauteur->setValue(f->hauteurMm);
        m_margeHaut->setValue(f->margeHautMm);
        m_margeGauche->setValue(f->margeGaucheMm);
        m_pasHorizontal->setValue(f->pasHorizontalMm);
        m_pasVertical->setValue(f->pasVerticalMm);
    };
    connect(m_planche, &QComboBox::currentIndexChanged, this, montrer);
    montrer();

    auto* cmdImprimer = new QPushButton(QStringLiteral("Imprimer"), this);
    cmdImprimer->setObjectName(QStringLiteral("cmdImprimer"));
    auto* cmdAnnuler = new QPushButton(QStringLiteral("Annuler"), this);
    cmdAnnuler->setObjectName(QStringLiteral("cmdAnnuler"));
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(cmdImprimer);
    boutons->addWidget(cmdAnnuler);
    auto* page = new QVBoxLayout(this);
    page->addLayout(grille);
    page->addLayout(boutons);
    connect(cmdImprimer, &QPushButton::clicked, this, &FrmEtiquettes::imprimer);
    connect(cmdAnnuler, &QPushButton::clicked, this, &QWidget::close);
    clavierDeDialogue(this, cmdImprimer);
}

// Closes once printed; any refusal is shown and the window stays.
void FrmEtiquettes::imprimer()
{
    const FormatEtiquettes format{m_colonnes->value(),      m_rangees->value(),    m_largeur->value(),
                                  m_hauteur->value(),       m_margeHaut->value(),  m_margeGauche->value(),
                                  m_pasHorizontal->value(), m_pasVertical->value()};
    QString erreur = verifierFormatEtiquettes(format);
    if (erreur.isEmpty() && m_debut->value() > format.parPlanche())
        erreur = QStringLiteral("La planche n'a que %1 étiquettes.").arg(format.parPlanche());
    if (erreur.isEmpty()) {
        try {
            erreur = imprimerEtiquettes(format, m_debut->value(), adressesDesDestinataires(m_ids));
        } catch (const ErreurBase& e) {
            erreur = QStringLiteral("Les étiquettes n'ont pas été imprimées : %1").arg(e.raison());
        }
    }
    if (!erreur.isEmpty()) {
        afficherErreur(erreur);
        return;
    }
    close();
}
