#include "app/frmrestauration.h"

#include "app/mdgeneral.h"
#include "platform/connexion.h"
#include "platform/dialogues.h"
#include "platform/sauvegarde.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRoleChemin = Qt::UserRole;

QString dateEnFrancais(const Sauvegarde& s)
{
    const QString date = QLocale(QLocale::French, QLocale::France).toString(s.date, QStringLiteral("d MMMM yyyy"));
    return s.rang == 1 ? date : QStringLiteral("%1 (%2)").arg(date).arg(s.rang);
}

} // namespace

FrmRestauration::FrmRestauration(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmRestauration"));
    setWindowTitle(QStringLiteral("Restaurer une sauvegarde"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_lsvSauvegardes = new QTreeWidget(this);
    m_lsvSauvegardes->setObjectName(QStringLiteral("lsvSauvegardes"));
    m_lsvSauvegardes->setRootIsDecorated(false);
    m_lsvSauvegardes->setHeaderLabels({QStringLiteral("Date"), QStringLiteral("Expéditeurs"),
                                       QStringLiteral("Destinataires"), QStringLiteral("Modèles")});
    m_lsvSauvegardes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* cmdRestaurer = new QPushButton(QStringLiteral("Restaurer"), this);
    cmdRestaurer->setObjectName(QStringLiteral("cmdRestaurer"));
    auto* cmdAnnuler = new QPushButton(QStringLiteral("Annuler"), this);
    cmdAnnuler->setObjectName(QStringLiteral("cmdAnnuler"));
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(cmdRestaurer);
    boutons->addWidget(cmdAnnuler);

    auto* page = new QVBoxLayout(this);
    page->addWidget(
        new QLabel(QStringLiteral("Sauvegardes de vos données, de la plus récente à la plus ancienne :"), this));
    page->addWidget(m_lsvSauvegardes);
    page->addLayout(boutons);
    resize(560, 320);

    connect(cmdRestaurer, &QPushButton::clicked, this, &FrmRestauration::restaurer);
    connect(cmdAnnuler, &QPushButton::clicked, this, &QWidget::close);
    remplir();
}

void FrmRestauration::remplir()
{
    m_lsvSauvegardes->clear();
    for (const Sauvegarde& s : listerSauvegardes(mdGeneral::DossierSauvegardes())) {
        const ContenuSauvegarde c = examinerSauvegarde(s.chemin);
        QStringList colonnes{dateEnFrancais(s)};
        if (c.probleme.isEmpty())
            colonnes << QString::number(c.expediteurs) << QString::number(c.destinataires)
                     << QString::number(c.modeles);
        else
            colonnes << QStringLiteral("endommagée");
        auto* ligne = new QTreeWidgetItem(m_lsvSauvegardes, colonnes);
        ligne->setData(0, kRoleChemin, s.chemin);
    }
    if (m_lsvSauvegardes->topLevelItemCount() > 0)
        m_lsvSauvegardes->setCurrentItem(m_lsvSauvegardes->topLevelItem(0));
}

void FrmRestauration::restaurer()
{
    // These backups are copies of this desktop's file: they never replace
    // the office's database.
    if (cnLettre().estServeur()) {
        afficherErreur(
            QStringLiteral(
                "La base de données des lettres est sur le serveur « %1 » : elle se sauvegarde et se restaure sur "
                "le serveur (pg_dump, pg_restore). Demandez-le à la personne qui gère le serveur.")
                .arg(cnLettre().chemin()));
        return;
    }
    const QTreeWidgetItem* ligne = m_lsvSauvegardes->currentItem();
    if (!ligne) {
        afficherErreur(QStringLiteral("Aucune sauvegarde n'est choisie."));
        return;
    }
    const QString chemin = ligne->data(0, kRoleChemin).toString();
    if (const ContenuSauvegarde c = examinerSauvegarde(chemin); !c.probleme.isEmpty()) {
        afficherErreur(c.probleme);
        return;
    }
    if (demanderConfirmation(QStringLiteral("Remplacer vos données actuelles par la sauvegarde du %1 ?\n"
                                            "Les données actuelles seront d'abord sauvegardées.")
                                 .arg(ligne->text(0)))
        != Reponse::Oui)
        return;
    if (const QString p = sauvegarderBase(mdGeneral::CheminMdb(), mdGeneral::DossierSauvegardes(),
                                          QDate::currentDate());
        !p.isEmpty()) {
        afficherErreur(p + QStringLiteral("\nLa restauration n'a pas été faite."));
        return;
    }
    if (const QString p = restaurerSauvegarde(cnLettre().poignee(), chemin); !p.isEmpty()) {
        afficherErreur(p);
        return;
    }
    emit baseRestauree();
    afficherInformation(QStringLiteral("La sauvegarde du %1 a été restaurée.").arg(ligne->text(0)));
    close();
}
