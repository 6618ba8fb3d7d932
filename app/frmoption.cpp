#include "app/frmoption.h"

#include "app/cadrebase.h"
#include "app/cadrefenetreenveloppe.h"
#include "app/cadrereglageenveloppe.h"
#include "app/frmrestauration.h"
#include "app/mdgeneral.h"
#include "platform/dialogues.h"
#include "platform/fenetres.h"
#include "platform/twips.h"
#include "store/reglagesjournal.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Enveloppe");
const QString kCle = QStringLiteral("Format");
constexpr int kNombreFormats = 6;

struct Choix {
    int code;
    const char* libelle;
    const char* indication; // nullptr: no hint label
};

// Top to bottom as on screen: codes 5 and 4 stand in that order.
constexpr Choix kChoix[kNombreFormats] = {
    {0, "Enveloppe 114 x 162", nullptr},
    {1, "Enveloppe 110 x 220", nullptr},
    {2, "Enveloppe 114 x 162 à case", "(impression horizontale)"},
    {3, "Enveloppe 110 x 220 à case", "(impression horizontale)"},
    {5, "Enveloppe 110 x 220", "(impression verticale)"},
    {4, "Enveloppe 110 x 220 à case", "(impression verticale)"},
};

} // namespace

FrmOption::FrmOption(QWidget* parent) : QWidget(parent), m_optEnv(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("FrmOption"));
    setWindowTitle(QStringLiteral("Options"));
    // The original client area; fonts wider than the original one widen it.
    resize(pixelsEcran(3435), pixelsEcran(4440));

    auto* cadre = new QGroupBox(QStringLiteral("Type d'enveloppe :"), this);
    auto* liste = new QVBoxLayout(cadre);
    liste->setSpacing(2);
    for (const Choix& c : kChoix) {
        auto* bouton = new QRadioButton(QString::fromUtf8(c.libelle), cadre);
        bouton->setObjectName(QStringLiteral("optEnv(%1)").arg(c.code));
        m_optEnv->addButton(bouton, c.code);
        liste->addWidget(bouton);
        if (c.indication) {
            auto* indication = new QLabel(QString::fromUtf8(c.indication), cadre);
            indication->setObjectName(QStringLiteral("lblEnv(%1)").arg(c.code));
            indication->setIndent(20);
            liste->addWidget(indication);
        }
    }

    // Created in their order on screen, which Tab follows.
    m_reglage = new CadreReglageEnveloppe(this);
    m_fenetre = new CadreFenetreEnveloppe(this);

    auto* journal = new QGroupBox(QStringLiteral("Journal des envois :"), this);
    m_chkConserverTexte = new QCheckBox(journal);
    m_chkConserverTexte->setObjectName(QStringLiteral("chkConserverTexte"));
    m_chkConserverTexte->setText(QStringLiteral("Conserver le texte des lettres"));
    m_spnMoisJournal = new QSpinBox(journal);
    m_spnMoisJournal->setObjectName(QStringLiteral("spnMoisJournal"));
    m_spnMoisJournal->setRange(0, 600);
    m_spnMoisJournal->setSpecialValueText(QStringLiteral("jamais"));
    auto* duree = new QHBoxLayout;
    duree->addWidget(new QLabel(QStringLiteral("Supprimer les entrées de plus de"), journal));
    duree->addWidget(m_spnMoisJournal);
    duree->addWidget(new QLabel(QStringLiteral("mois"), journal));
    duree->addStretch();
    auto* lignesJournal = new QVBoxLayout(journal);
    lignesJournal->addWidget(m_chkConserverTexte);
    lignesJournal->addLayout(duree);

    m_base = new CadreBase(this);

    auto* cmdRestaurer = new QPushButton(QStringLiteral("Restaurer une sauvegarde…"), this);
    cmdRestaurer->setObjectName(QStringLiteral("cmdRestaurer"));
    connect(cmdRestaurer, &QPushButton::clicked, this, [this] {
        auto* f = new FrmRestauration(this);
        connect(f, &FrmRestauration::baseRestauree, this, &FrmOption::baseRestauree);
        f->show();
    });

    auto* cmdOk = new QPushButton(QStringLiteral("Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    auto* cmdAnnuler = new QPushButton(QStringLiteral("Annuler"), this);
    cmdAnnuler->setObjectName(QStringLiteral("cmdAnnuler"));
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(cmdOk);
    boutons->addWidget(cmdAnnuler);

    // Two columns, the envelope's settings and the others, so that the
    // window fits a small screen.
    auto* enveloppe = new QVBoxLayout;
    enveloppe->addWidget(cadre);
    enveloppe->addWidget(m_reglage);
    enveloppe->addWidget(m_fenetre);
    enveloppe->addStretch();
    auto* autres = new QVBoxLayout;
    autres->addWidget(journal);
    autres->addWidget(m_base);
    autres->addWidget(cmdRestaurer);
    autres->addStretch();
    auto* colonnes = new QHBoxLayout;
    colonnes->addLayout(enveloppe);
    colonnes->addLayout(autres);
    auto* page = new QVBoxLayout(this);
    page->addLayout(colonnes);
    page->addLayout(boutons);

    connect(cmdOk, &QPushButton::clicked, this, &FrmOption::valider);
    connect(cmdAnnuler, &QPushButton::clicked, this, &QWidget::close);
    clavierDeDialogue(this, cmdOk);
    charger();
}

// Shows the stored code; an absent key, or a value that is not one of the
// codes, shows optEnv(0).
void FrmOption::charger()
{
    bool nombre = false;
    const int code = mdGeneral::LireIni(kSection, kCle, QString()).trimmed().toInt(&nombre);
    QAbstractButton* bouton = nombre ? m_optEnv->button(code) : nullptr;
    (bouton ? bouton : m_optEnv->button(0))->setChecked(true);
    const ReglagesJournal reglages = lireReglagesJournal();
    m_chkConserverTexte->setChecked(reglages.conserverTexte);
    m_spnMoisJournal->setValue(reglages.moisConservation);
}

int FrmOption::codeSelectionne() const
{
    return m_optEnv->checkedId();
}

// Stores the selected code and closes; a failed write shows why and keeps
// the dialog open. A database choice that cannot be kept saves nothing.
void FrmOption::valider()
{
    const Resultat<ChoixBase> base = m_base->choix();
    if (!base) {
        afficherErreur(base.raison());
        return;
    }
    QString raison = mdGeneral::EcrireIni(kSection, kCle, QString::number(codeSelectionne()), QString()).raison();
    if (raison.isEmpty())
        raison = m_reglage->enregistrer();
    if (raison.isEmpty())
        raison = m_fenetre->enregistrer().raison();
    if (raison.isEmpty())
        raison = ecrireReglagesJournal({m_chkConserverTexte->isChecked(), m_spnMoisJournal->value()}).raison();
    bool baseChangee = false;
    if (raison.isEmpty()) {
        const Resultat<bool> enregistree = m_base->enregistrer(*base);
        raison = enregistree.raison();
        baseChangee = enregistree && *enregistree;
    }
    if (!raison.isEmpty()) {
        afficherErreur(raison);
        return;
    }
    close();
    // The running program keeps the database it opened.
    if (baseChangee)
        afficherInformation(
            QStringLiteral("La nouvelle base de données sera utilisée au prochain démarrage du programme."));
}
