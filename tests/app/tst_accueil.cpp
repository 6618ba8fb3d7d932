#include "app/controles.h"
#include "app/filtrecaracteres.h"
#include "app/frmaccueil.h"
#include "platform/connexion.h"
#include "richtext/richtextbox.h"
#include "support/banc.h"
#include "support/outilsfenetre.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <unistd.h>

using Position = AnimationEtapes::Position;

namespace {

// Ticks Timer1 by hand until the step change ends; returns the tick count.
int finirMouvement(FrmAccueil& f)
{
    int ticks = 0;
    while (f.Timer1()->isActive() && ticks < 200) {
        f.Timer1_Timer();
        ++ticks;
    }
    return ticks;
}

} // namespace

class TestAccueil : public QObject {
    Q_OBJECT

private slots:
    void init() { m_banc.emplace(); }

    void cleanup() { m_banc.reset(); }

    void fenetreAuDemarrage()
    {
        FrmAccueil f;
        QCOMPARE(f.windowTitle(), QStringLiteral(" Tilvo - Lettres"));
        QCOMPARE(f.size(), QSize(947, 602));
        QVERIFY(f.demarrage().baseOuverte);
        QCOMPARE(f.iEtapeCourante(), 0);
        QVERIFY(!f.Timer1()->isActive());
        QCOMPARE(f.Timer1()->interval(), 1);
        QCOMPARE(f.positionPanneau(0), (Position{2640, 1440}));
        for (int i = 1; i < 5; ++i)
            QCOMPARE(f.positionPanneau(i), (Position{2640, 10440}));
        QCOMPARE(controle<QGroupBox>(f, "barMenu(0)")->geometry(), QRect(176, 96, 753, 489));
        QCOMPARE(controle<QPushButton>(f, "cmdMenu(2)")->text(), QStringLiteral("Objet / Autres"));
        QCOMPARE(controle<QPushButton>(f, "cmdMenu(4)")->geometry(), QRect(16, 232, 105, 33));
        QCOMPARE(controle<QToolButton>(f, "cmdImport")->toolTip(),
                 QStringLiteral("Importer les contacts de Tilvo - Organiseur"));
        QCOMPARE(controle<QComboBox>(f, "cmbFormuleLettre")->count(), 7);
        QCOMPARE(controle<QComboBox>(f, "cmbFormuleLettre")->itemText(2),
                 QStringLiteral("Veuillez agréer, <TitreDest>, l'expression de mes sentiments distingués."));
        QCOMPARE(controle<QComboBox>(f, "cmbTitreDest")->itemText(3), QStringLiteral("Madame, Monsieur"));
        QVERIFY(controle<QComboBox>(f, "cmbTitreDest")->currentText().isEmpty());
        QVERIFY(controle<QRadioButton>(f, "optDiffusion(0)")->isChecked());
        QVERIFY(controle<QRadioButton>(f, "optModeleLettre(0)")->isChecked());
        QVERIFY(controle<QLineEdit>(f, "txtDateLettre")->text().isEmpty());
        QVERIFY(controle<QLabel>(f, "Label27")->font().families().contains(QStringLiteral("Z003")));
        QVERIFY(!controle<QToolButton>(f, "cmdOption")->icon().isNull());
        QVERIFY(!f.txtText()->isReadOnly());
        QVERIFY(m_banc->dialogues.messages.isEmpty());

        f.show();
        QVERIFY(controle<QLabel>(f, "lblDestUnique(0)")->isVisibleTo(&f));
        QVERIFY(!controle<QTreeView>(f, "lsvDest")->isVisibleTo(&f));
        QCoreApplication::processEvents();
        QVERIFY(m_banc->dialogues.messages.isEmpty());
    }

    void demarrageSansBase()
    {
        QFile::remove(m_banc->base.cheminBase());
        cnLettre().fermer();
        FrmAccueil f;
        QVERIFY(!f.demarrage().baseOuverte);
        QCOMPARE(f.iEtapeCourante(), 0);
        QCOMPARE(f.positionPanneau(0), (Position{2640, 1440}));
        QCOMPARE(controle<QComboBox>(f, "cmbExpediteur")->count(), 0);
        QCOMPARE(controle<QComboBox>(f, "cmbCategorieModele")->count(), 0);
        QVERIFY(!controle<QLabel>(f, "lblDestMult")->isVisibleTo(&f));
        QVERIFY(m_banc->dialogues.messages.isEmpty());
        f.show();
        QTRY_COMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].titre, QStringLiteral("Erreur"));
        QVERIFY(m_banc->dialogues.messages[0].texte.contains(m_banc->base.cheminBase()));
        f.hide();
        f.show();
        QCoreApplication::processEvents();
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
    }

    void baseIncompleteAnnonceeAuDemarrage()
    {
        m_banc->base.executer(
            QStringLiteral("DROP TABLE Modele; ALTER TABLE Destinataire DROP COLUMN Mail_Destinataire;"));
        cnLettre().fermer();
        {
            FrmAccueil f;
            f.show();
            QTRY_COMPARE(m_banc->dialogues.messages.size(), 1);
            QVERIFY2(
                m_banc->dialogues.messages[0].texte.contains(QStringLiteral(
                    "incomplète ; il y manque :\n- la colonne Mail_Destinataire de la table Destinataire\n- la table Modele\n")),
                qPrintable(m_banc->dialogues.messages[0].texte));
        }
        cnLettre().fermer();
        QVERIFY(QFile(m_banc->base.cheminBase()).resize(0));
        FrmAccueil f;
        f.show();
        QTRY_COMPARE(m_banc->dialogues.messages.size(), 2);
        QVERIFY(m_banc->dialogues.messages[1].texte.contains(
            QStringLiteral("- la table Expediteur\n- la table Destinataire\n"
                           "- la table Categorie_Modele\n- la table Sous_Categorie_Modele\n- la table Modele\n")));
    }

    void baseEnLectureSeuleAnnoncee()
    {
        cnLettre().fermer();
        const QFileDevice::Permissions lecture = QFileDevice::ReadOwner | QFileDevice::ReadGroup
            | QFileDevice::ReadOther;
        const QFileDevice::Permissions parcours = lecture | QFileDevice::ExeOwner | QFileDevice::ExeGroup
            | QFileDevice::ExeOther | QFileDevice::WriteOwner;
        QVERIFY(QFile::setPermissions(m_banc->base.cheminBase(), lecture));
        QVERIFY(QFile::setPermissions(m_banc->base.dossier(), parcours));
        QVERIFY(QFile::setPermissions(m_banc->base.dossier() + QStringLiteral("/Save"), parcours));
        // The superuser writes to any file: start as an ordinary user.
        const bool superutilisateur = geteuid() == 0;
        if (superutilisateur)
            QVERIFY(seteuid(65534) == 0);
        FrmAccueil f;
        if (superutilisateur)
            QVERIFY(seteuid(0) == 0);
        f.show();
        QTRY_COMPARE(m_banc->dialogues.messages.size(), 1);
        QVERIFY(m_banc->dialogues.messages[0].texte.contains(
            QStringLiteral("ouverte en lecture seule : les modifications ne pourront pas être enregistrées")));

        controle<QLineEdit>(f, "txtNomExp")->setText(QStringLiteral("Durand"));
        controle<QToolButton>(f, "cmdModifExp")->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 2);
        const QString refus = m_banc->dialogues.messages[1].texte;
        QVERIFY2(refus.contains(
                     QStringLiteral("en lecture seule : les modifications ne peuvent pas être enregistrées")),
                 qPrintable(refus));
        QVERIFY2(refus.contains(QStringLiteral("\nDétail technique : attempt to write a readonly database")),
                 qPrintable(refus));
    }

    void baseVerrouilleeAuDemarrageReprisePlusTard()
    {
        m_banc->base.executer(
            QStringLiteral("INSERT INTO Expediteur (Numero_Expediteur, Nom_Expediteur) VALUES (3, 'Roux');"));
        cnLettre().fermer();
        Connexion autre(QStringLiteral("autre"));
        autre.ouvrir(m_banc->base.cheminBase());
        QSqlQuery verrou(autre.base());
        QVERIFY(verrou.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        FrmAccueil f;
        f.show();
        QTRY_COMPARE(m_banc->dialogues.messages.size(), 1);
        const QString texte = m_banc->dialogues.messages[0].texte;
        QVERIFY2(texte.contains(QStringLiteral("occupée par un autre programme")), qPrintable(texte));
        QVERIFY(texte.contains(QStringLiteral("\nDétail technique : database is locked")));

        // Once the other program lets go, the next command opens the base.
        QVERIFY(verrou.exec(QStringLiteral("ROLLBACK")));
        controle<QLineEdit>(f, "txtNomExp")->setText(QStringLiteral("Blanc"));
        controle<QToolButton>(f, "cmdModifExp")->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(controle<QComboBox>(f, "cmbExpediteur")->count(), 2);
        QVERIFY(controle<QComboBox>(f, "cmbExpediteur")->currentText().endsWith(QStringLiteral("-  Blanc ")));
    }

    void changementDEtapeTicParTic()
    {
        FrmAccueil f;
        auto* panneau0 = controle<QGroupBox>(f, "barMenu(0)");
        controle<QPushButton>(f, "cmdMenu(1)")->click();
        QVERIFY(f.Timer1()->isActive());
        QCOMPARE(f.iEtapeCible(), 1);
        for (int i = 0; i < 16; ++i)
            f.Timer1_Timer();
        QCOMPARE(f.positionPanneau(0), (Position{10640, 1440}));
        QCOMPARE(panneau0->x(), 709);
        f.Timer1_Timer();
        f.Timer1_Timer();
        QCOMPARE(f.positionPanneau(1), (Position{2640, 1440}));
        QVERIFY(f.Timer1()->isActive());
        QCOMPARE(f.iEtapeCourante(), 0);
        f.Timer1_Timer();
        QVERIFY(!f.Timer1()->isActive());
        QCOMPARE(f.iEtapeCourante(), 1);
        QCOMPARE(f.positionPanneau(0), (Position{2660, 10440}));
        QCOMPARE(panneau0->pos(), QPoint(177, 696));

        // The button of the current step: nothing moves.
        controle<QPushButton>(f, "cmdMenu(1)")->click();
        QVERIFY(!f.Timer1()->isActive());

        // A third step chosen during the move.
        controle<QPushButton>(f, "cmdMenu(2)")->click();
        for (int i = 0; i < 4; ++i)
            f.Timer1_Timer();
        controle<QPushButton>(f, "cmdMenu(3)")->click();
        QCOMPARE(f.iEtapeCible(), 3);
        QCOMPARE(finirMouvement(f), 18 + 1);
        QCOMPARE(f.iEtapeCourante(), 3);
        QCOMPARE(f.positionPanneau(2), (Position{2640, 8440}));
        QCOMPARE(f.positionPanneau(1), (Position{2660, 10440}));
        QCOMPARE(f.positionPanneau(3), (Position{2640, 1440}));
    }

    void leTimerFaitAvancerLesPanneaux()
    {
        FrmAccueil f;
        controle<QPushButton>(f, "cmdMenu(2)")->click();
        QTRY_VERIFY(!f.Timer1()->isActive());
        QCOMPARE(f.iEtapeCourante(), 2);
    }

    void traitementRefuseSansModele()
    {
        FrmAccueil f;
        controle<QPushButton>(f, "cmdMenu(4)")->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].titre, QStringLiteral("Erreur"));
        QVERIFY(!f.Timer1()->isActive());
        QCOMPARE(f.iEtapeCible(), 0);

        // Mass mode with an empty mass list: refused as well.
        controle<QRadioButton>(f, "optModeleLettre(1)")->setChecked(true);
        controle<QRadioButton>(f, "optDiffusion(1)")->setChecked(true);
        controle<QPushButton>(f, "cmdMenu(4)")->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 2);
        QVERIFY(!f.Timer1()->isActive());
    }

    void traitementIndividuelEtEnNombre()
    {
        m_banc->base.executer(QStringLiteral(
            "INSERT INTO Destinataire (Titre_Destinataire, Nom_Destinataire, Prenom_Destinataire) VALUES"
            " ('Madame', 'Arnaud', 'Lise'), ('Monsieur', 'Blanc', 'Marc'), ('', 'Colin', 'Noé'), ('', 'Dumas', 'Éva');"));
        FrmAccueil f;
        controle<QRadioButton>(f, "optModeleLettre(1)")->setChecked(true);
        controle<QLineEdit>(f, "txtNomExp")->setText(QStringLiteral("Expéditrice"));
        controle<QPushButton>(f, "cmdMenu(4)")->click();
        QVERIFY(m_banc->dialogues.messages.isEmpty());
        QVERIFY(f.txtText()->toPlainText().contains(QStringLiteral("Expéditrice")));
        QCOMPARE(controle<QToolButton>(f, "cmdImprimerLettre")->toolTip(), QStringLiteral("Imprimer la lettre"));
        QCOMPARE(controle<QToolButton>(f, "cmdImprimerEnv")->toolTip(), QStringLiteral("Imprimer l'enveloppe"));
        finirMouvement(f);
        QCOMPARE(f.iEtapeCourante(), 4);

        // Again on "Traitement": composed afresh over the edits, nothing moves.
        f.txtText()->setPlainText(QStringLiteral("modifié"));
        controle<QRadioButton>(f, "optDiffusion(1)")->setChecked(true);
        auto* liste = controle<QTreeView>(f, "lsvDest");
        for (int ligne : {0, 2, 3})
            liste->selectionModel()->select(liste->model()->index(ligne, 1),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCOMPARE(f.NombreDestinatairesSelectionnes(), 3);
        controle<QPushButton>(f, "cmdMenu(4)")->click();
        QVERIFY(!f.Timer1()->isActive());
        QVERIFY(!f.txtText()->toPlainText().contains(QStringLiteral("modifié")));
        QCOMPARE(controle<QToolButton>(f, "cmdImprimerLettre")->toolTip(), QStringLiteral("Imprimer les 3 lettres"));
        QCOMPARE(controle<QToolButton>(f, "cmdImprimerEnv")->toolTip(), QStringLiteral("Imprimer les 3 enveloppes"));
        QVERIFY(m_banc->dialogues.messages.isEmpty());
    }

    void saisieLettreLitLesControles()
    {
        m_banc->base.executer(QStringLiteral("INSERT INTO Destinataire (Nom_Destinataire) VALUES ('A'), ('B');"));
        FrmAccueil f;
        controle<QComboBox>(f, "cmbTitreExp")->setEditText(QStringLiteral("Maître"));
        controle<QLineEdit>(f, "txtTel2Exp")->setText(QStringLiteral("06"));
        controle<QLineEdit>(f, "txtMailDest")->setText(QStringLiteral("x@y.fr"));
        controle<QLineEdit>(f, "txtFonctionDest")->setText(QStringLiteral("Directrice"));
        controle<QLineEdit>(f, "txtPieceLettre")->setText(QStringLiteral("Facture"));
        controle<QComboBox>(f, "cmbFormuleLettre")->setCurrentIndex(1);
        controle<QRadioButton>(f, "optModeleLettre(1)")->setChecked(true);
        const SaisieLettre s = f.saisieLettre();
        QCOMPARE(s.titreExp, QStringLiteral("Maître"));
        QCOMPARE(s.tel2Exp, QStringLiteral("06"));
        QCOMPARE(s.fonctionDest, QStringLiteral("Directrice"));
        QCOMPARE(s.pieceLettre, QStringLiteral("Facture"));
        QCOMPARE(s.formuleLettre, QStringLiteral("Sincèrement."));
        QVERIFY(!s.depuisModele);
        QCOMPARE(s.lignesDestinataires, 2);
        QCOMPARE(s.lignesModeles, 0);
        QVERIFY(s.idModeleCourant.isEmpty());
    }

    void modes()
    {
        FrmAccueil f;
        f.show();
        controle<QRadioButton>(f, "optDiffusion(1)")->click();
        QVERIFY(!controle<QLabel>(f, "lblDestUnique(0)")->isVisible());
        for (const char* nom :
             {"lblDestMult", "lsvDest", "Line1", "cmbDestinataire", "txtNomDest", "lblDestUnique(8)", "cmdModifDest"})
            QVERIFY2(f.findChild<QWidget*>(nom)->isVisible(), nom);
        controle<QRadioButton>(f, "optDiffusion(0)")->click();
        QVERIFY(controle<QLabel>(f, "lblDestUnique(0)")->isVisible());
        for (const char* nom : {"lblDestMult", "lsvDest", "Line1"})
            QVERIFY2(!f.findChild<QWidget*>(nom)->isVisible(), nom);

        const QStringList corps{"lblCorps(0)",      "lblCorps(1)",        "lblCorps(2)",
                                "lblCorps(3)",      "cmbCategorieModele", "cmbSousCategorieModele",
                                "lsvModele",        "cmdModele",          "cmdFiche",
                                "cmdAjouterModele", "cmdSupprimerModele", "cmdModifierModele"};
        controle<QRadioButton>(f, "optModeleLettre(1)")->click();
        for (const QString& nom : corps)
            QVERIFY2(!f.findChild<QWidget*>(nom)->isVisibleTo(&f), qPrintable(nom));
        QVERIFY(controle<QLabel>(f, "Label20")->isVisibleTo(&f));
        controle<QRadioButton>(f, "optModeleLettre(0)")->click();
        for (const QString& nom : corps)
            QVERIFY2(f.findChild<QWidget*>(nom)->isVisibleTo(&f), qPrintable(nom));
    }

    void lesChoixRefusentLaFrappe()
    {
        m_banc->base.executer(QStringLiteral("INSERT INTO Expediteur (Nom_Expediteur) VALUES ('Durand'), ('Abel');"));
        FrmAccueil f;
        f.show();
        for (const char* nom : {"cmbExpediteur", "cmbDestinataire", "cmbCategorieModele", "cmbSousCategorieModele"}) {
            auto* c = controle<QComboBox>(f, nom);
            c->setFocus();
            QTest::keyClicks(c, QStringLiteral("12 ab"));
            QTest::keyClick(c, Qt::Key_Backspace);
            QVERIFY2(c->currentText().isEmpty(), nom);
        }
        auto* expediteur = controle<QComboBox>(f, "cmbExpediteur");
        QTest::keyClick(expediteur, Qt::Key_Down); // arrows still pick an item
        QCOMPARE(controle<QLineEdit>(f, "txtNomExp")->text(), QStringLiteral("Abel"));
        QCOMPARE(expediteur->currentText(), QStringLiteral("2-  Abel "));

        for (const char* nom : {"cmbTitreExp", "cmbFormuleLettre"}) {
            auto* c = controle<QComboBox>(f, nom);
            c->setEditText(QString());
            QTest::keyClicks(c, QStringLiteral("Docteur"));
            QCOMPARE(c->currentText(), QStringLiteral("Docteur"));
        }
        QKeyEvent collage(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
        QVERIFY(!FiltreCaracteres::estCaractereTape(collage));

        // In the open list, letters do not search; Enter still picks.
        expediteur->showPopup();
        QTest::keyClicks(expediteur->view(), QStringLiteral("1"));
        QTest::keyClick(expediteur->view(), Qt::Key_Return);
        QCOMPARE(expediteur->currentText(), QStringLiteral("2-  Abel "));
        QTest::keyClick(expediteur, Qt::Key_Down);
        QCOMPARE(controle<QLineEdit>(f, "txtNomExp")->text(), QStringLiteral("Durand"));
    }

    void echecDeLaBasePendantUneCommande()
    {
        FrmAccueil f;
        controle<QLineEdit>(f, "txtNomExp")->setText(QStringLiteral("Durand"));
        cnLettre().fermer();
        controle<QToolButton>(f, "cmdModifExp")->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        const auto& m = m_banc->dialogues.messages[0];
        QCOMPARE(m.titre, QStringLiteral("Erreur"));
        QCOMPARE(m.icone, Icone::Exclamation);
        QVERIFY(m.texte.startsWith(QStringLiteral("L'expéditeur n'a pas pu être enregistré.")));
        QVERIFY(m.texte.contains(QStringLiteral("La base de données n'est pas ouverte.")));
        // Nothing typed is lost, and the window goes on working.
        QCOMPARE(controle<QLineEdit>(f, "txtNomExp")->text(), QStringLiteral("Durand"));
        mdGeneral::OuvrirBase();
        controle<QToolButton>(f, "cmdModifExp")->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(controle<QComboBox>(f, "cmbExpediteur")->count(), 1);
    }

private:
    std::optional<BancEssai> m_banc;
};

QTEST_MAIN(TestAccueil)
#include "tst_accueil.moc"
