#include "app/frmaccueil.h"
#include "store/requetes.h"
#include "support/banc.h"
#include "support/outilsfenetre.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QSqlQuery>
#include <QToolButton>
#include <QTreeView>

class TestAccueilCarnet : public QObject {
    Q_OBJECT

private slots:
    void init() { m_banc.emplace(); }

    void cleanup() { m_banc.reset(); }

    void expediteurEnregistreSansChoixPuisModifie()
    {
        FrmAccueil f;
        auto* choix = controle<QComboBox>(f, "cmbExpediteur");
        // A nameless sender or recipient is refused; nothing is stored.
        controle<QLineEdit>(f, "txtVilleExp")->setText(QStringLiteral("Lyon"));
        controle<QLineEdit>(f, "txtNomExp")->setText(QStringLiteral("  "));
        controle<QToolButton>(f, "cmdModifExp")->click();
        controle<QToolButton>(f, "cmdModifDest")->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 2);
        QCOMPARE(m_banc->dialogues.messages[0].texte,
                 QStringLiteral("Veuillez saisir au moins un nom ou un prénom pour cet expéditeur."));
        QCOMPARE(m_banc->dialogues.messages[1].texte,
                 QStringLiteral("Veuillez saisir au moins un nom ou un prénom pour ce destinataire."));
        QCOMPARE(compter("Expediteur") + compter("Destinataire"), 0);
        m_banc->dialogues.messages.clear();

        // A first name alone, chooser empty: a new sender labelled "id-   Léa".
        controle<QLineEdit>(f, "txtNomExp")->clear();
        controle<QLineEdit>(f, "txtPrenomExp")->setText(QStringLiteral("Léa"));
        controle<QToolButton>(f, "cmdModifExp")->click();
        const int premier = entier("SELECT MAX(Numero_Expediteur) FROM Expediteur");
        QCOMPARE(choix->currentText(), QString::number(premier) + QStringLiteral("-   Léa"));
        QCOMPARE(elements(choix), QStringList{choix->currentText()});

        // Fields of the chosen sender changed and saved: the same row.
        controle<QComboBox>(f, "cmbTitreExp")->setEditText(QStringLiteral("Docteur"));
        controle<QLineEdit>(f, "txtNomExp")->setText(QStringLiteral("Martin"));
        controle<QLineEdit>(f, "txtTel1Exp")->setText(QStringLiteral("01 02 03 04 05"));
        controle<QToolButton>(f, "cmdModifExp")->click();
        QCOMPARE(compter("Expediteur"), 1);
        QCOMPARE(choix->currentText(), QString::number(premier) + QStringLiteral("- Docteur Martin Léa"));
        QCOMPARE(controle<QComboBox>(f, "cmbTitreExp")->currentText(), QStringLiteral("Docteur"));
        QCOMPARE(controle<QLineEdit>(f, "txtTel1Exp")->text(), QStringLiteral("01 02 03 04 05"));
        QVERIFY(!f.bNouvelExpediteur());
        QVERIFY(m_banc->dialogues.messages.isEmpty());
    }

    void nouvelExpediteurEtChoixDansLaListe()
    {
        m_banc->base.executer(
            "INSERT INTO Expediteur (Numero_Expediteur, Titre_Expediteur, Nom_Expediteur, Prenom_Expediteur,"
            " Ville_Expediteur) VALUES (5, 'Madame', 'Roux', 'Anne', 'Lyon'), (6, '', 'abel', 'Luc', 'Nice');");
        FrmAccueil f;
        auto* choix = controle<QComboBox>(f, "cmbExpediteur");
        QCOMPARE(elements(choix), (QStringList{"6-  abel Luc", "5- Madame Roux Anne"}));

        controle<QToolButton>(f, "cmdAjouterExp")->click();
        QVERIFY(f.bNouvelExpediteur());
        controle<QLineEdit>(f, "txtNomExp")->setText(QStringLiteral("Zola"));
        // Picking a sender leaves new-sender entry: the save modifies it.
        choisirElement(choix, "5- Madame Roux Anne");
        QVERIFY(!f.bNouvelExpediteur());
        QCOMPARE(controle<QLineEdit>(f, "txtVilleExp")->text(), QStringLiteral("Lyon"));
        controle<QLineEdit>(f, "txtVilleExp")->setText(QStringLiteral("Lille"));
        controle<QToolButton>(f, "cmdModifExp")->click();
        QCOMPARE(compter("Expediteur"), 2);
        QCOMPARE(compter("Expediteur", "Numero_Expediteur = 5 AND Ville_Expediteur = 'Lille'"), 1);

        // New-sender entry saves a new row even though a sender was shown.
        controle<QToolButton>(f, "cmdAjouterExp")->click();
        QVERIFY(choix->currentText().isEmpty());
        QVERIFY(controle<QLineEdit>(f, "txtVilleExp")->text().isEmpty());
        controle<QLineEdit>(f, "txtNomExp")->setText(QStringLiteral("Blanc"));
        controle<QToolButton>(f, "cmdModifExp")->click();
        QCOMPARE(compter("Expediteur"), 3);
        QCOMPARE(choix->count(), 3);
        QVERIFY(choix->currentText().endsWith(QStringLiteral("-  Blanc ")));
    }

    void expediteurInvalideEtSuppression()
    {
        m_banc->base.executer(
            "INSERT INTO Expediteur (Numero_Expediteur, Nom_Expediteur) VALUES (5, 'Roux'), (6, 'Abel');");
        FrmAccueil f;
        auto* choix = controle<QComboBox>(f, "cmbExpediteur");
        const QString invalide = QStringLiteral("Veuillez sélectionner un expéditeur valide.");

        // Delete in new-sender entry: reported, nothing deleted, entry left.
        controle<QToolButton>(f, "cmdAjouterExp")->click();
        controle<QToolButton>(f, "cmdSupprExp")->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].texte, invalide);
        QCOMPARE(m_banc->dialogues.messages[0].icone, Icone::Exclamation);
        QVERIFY(!f.bNouvelExpediteur());
        QCOMPARE(compter("Expediteur"), 2);

        // A chooser text naming no row: save stores nothing.
        choix->setEditText(QStringLiteral("99- Personne"));
        controle<QToolButton>(f, "cmdModifExp")->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 2);
        QCOMPARE(compter("Expediteur"), 2);

        // Enter answers "No": the sender and the fields stay.
        choisirElement(choix, "5-  Roux ");
        controle<QLineEdit>(f, "txtPrenomExp")->setText(QStringLiteral("non enregistré"));
        m_banc->dialogues.reponses.enqueue(std::nullopt);
        controle<QToolButton>(f, "cmdSupprExp")->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 3);
        QCOMPARE(m_banc->dialogues.messages[2].texte,
                 QStringLiteral("Êtes-vous sûr de vouloir supprimer cet expéditeur ?"));
        QCOMPARE(m_banc->dialogues.messages[2].titre, QStringLiteral("Confirmation"));
        QCOMPARE(m_banc->dialogues.messages[2].boutons, Boutons::OuiNon);
        QCOMPARE(compter("Expediteur"), 2);
        QCOMPARE(controle<QLineEdit>(f, "txtPrenomExp")->text(), QStringLiteral("non enregistré"));

        m_banc->dialogues.reponses.enqueue(Reponse::Oui);
        controle<QToolButton>(f, "cmdSupprExp")->click();
        QCOMPARE(compter("Expediteur", "Numero_Expediteur = 5"), 0);
        QCOMPARE(elements(choix), QStringList{"6-  Abel "});
        QVERIFY(choix->currentText().isEmpty());
        QVERIFY(controle<QLineEdit>(f, "txtNomExp")->text().isEmpty());
    }

    void rechercheDUnDestinataire()
    {
        m_banc->base.executer(
            "INSERT INTO Destinataire (Numero_Destinataire, Titre_Destinataire, Nom_Destinataire, Prenom_Destinataire,"
            " Ville_Destinataire) VALUES (1, 'Madame', 'Durand', 'Zoé', 'Lyon'), (2, 'Monsieur', 'Lefèvre', 'Éric', 'Nîmes'),"
            " (3, 'Monsieur', 'Martin', 'Paul', 'Saint-Étienne');");
        FrmAccueil f;
        f.show();
        auto* recherche = controle<QLineEdit>(f, "txtRechercheDest");
        const auto propositions = [] {
            auto* liste = qobject_cast<QAbstractItemView*>(QApplication::activePopupWidget());
            QStringList l;
            for (int i = 0; liste && i < liste->model()->rowCount(); ++i)
                l << liste->model()->index(i, 0).data().toString();
            return l;
        };
        // Case and accents ignored, in the name or the town, never the title.
        QTest::keyClicks(recherche, QStringLiteral("ETIENNE"));
        QCOMPARE(propositions(), QStringList{"3- Monsieur Martin Paul"});
        recherche->clear();
        QTest::keyClicks(recherche, QStringLiteral("mon"));
        QCOMPARE(propositions(), QStringList{});
        recherche->clear();
        QTest::keyClicks(recherche, QStringLiteral("fevre e"));
        QCOMPARE(propositions(), QStringList{"2- Monsieur Lefèvre Éric"});

        // Enter picks the match: chosen and shown as from the chooser.
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
        QCOMPARE(controle<QComboBox>(f, "cmbDestinataire")->currentText(), QStringLiteral("2- Monsieur Lefèvre Éric"));
        QCOMPARE(controle<QLineEdit>(f, "txtVilleDest")->text(), QStringLiteral("Nîmes"));
        QVERIFY(recherche->text().isEmpty());
        QVERIFY(m_banc->dialogues.messages.isEmpty());
    }

    void fermetureAvecUnDestinataireEnCours()
    {
        FrmAccueil f;
        f.show();
        controle<QToolButton>(f, "cmdAjouterDest")->click();
        controle<QLineEdit>(f, "txtNomDest")->setText(QStringLiteral("Dupont"));

        m_banc->dialogues.reponses.enqueue(Reponse::Annuler);
        QVERIFY(!f.close());
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].texte,
                 QStringLiteral("Les modifications du destinataire n'ont pas été enregistrées. "
                                "Voulez-vous les enregistrer avant de quitter ?"));
        QCOMPARE(m_banc->dialogues.messages[0].boutons, Boutons::EnregistrerAnnuler);
        QCOMPARE(controle<QLineEdit>(f, "txtNomDest")->text(), QStringLiteral("Dupont"));

        m_banc->dialogues.reponses.enqueue(Reponse::Oui);
        QVERIFY(f.close());
        QCOMPARE(compter("Destinataire", "Nom_Destinataire = 'Dupont'"), 1);
        QCOMPARE(m_banc->dialogues.messages.size(), 2);
    }

    void destinatairesChoixEtListe()
    {
        m_banc->base.executer(
            "INSERT INTO Destinataire (Numero_Destinataire, Titre_Destinataire, Nom_Destinataire, Prenom_Destinataire)"
            " VALUES (1, 'Madame', 'Durand', 'Zoé'), (2, '', 'durand', 'Éric'), (3, 'Monsieur', 'Élie', 'Jean'),"
            " (40000, 'Madame', 'Abel', NULL);");
        FrmAccueil f;
        auto* choix = controle<QComboBox>(f, "cmbDestinataire");
        auto* liste = controle<QTreeView>(f, "lsvDest");
        QCOMPARE(elements(choix),
                 (QStringList{"40000- Madame Abel ", "2-  durand Éric", "1- Madame Durand Zoé",
                              "3- Monsieur Élie Jean"}));
        QCOMPARE(colonne(liste, 0), (QStringList{"40000", "2", "1", "3"}));
        QCOMPARE(colonne(liste, 1),
                 (QStringList{"Madame Abel ", " durand Éric", "Madame Durand Zoé", "Monsieur Élie Jean"}));
        QVERIFY(liste->isColumnHidden(0));
        QCOMPARE(liste->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Liste des destinataires"));
        QCOMPARE(f.NombreDestinatairesSelectionnes(), 0);

        liste->selectionModel()->select(liste->model()->index(3, 1),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        liste->selectionModel()->select(liste->model()->index(0, 1),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QCOMPARE(f.NombreDestinatairesSelectionnes(), 2);
        QCOMPARE(f.idsDestinatairesSelectionnes(), (QList<RecordId>{40000, 3}));

        // Save a new recipient: listed at its place, the selection is gone.
        controle<QToolButton>(f, "cmdAjouterDest")->click();
        QVERIFY(f.bNouveauDestinataire());
        controle<QLineEdit>(f, "txtNomDest")->setText(QStringLiteral("Dupont"));
        controle<QLineEdit>(f, "txtMailDest")->setText(QStringLiteral("pas-une-adresse"));
        controle<QToolButton>(f, "cmdModifDest")->click();
        QVERIFY(!f.bNouveauDestinataire());
        QCOMPARE(f.NombreDestinatairesSelectionnes(), 0);
        QCOMPARE(colonne(liste, 1).indexOf(QStringLiteral(" Dupont ")), 1);
        QVERIFY(choix->currentText().endsWith(QStringLiteral("-  Dupont ")));
        QCOMPARE(controle<QLineEdit>(f, "txtMailDest")->text(), QStringLiteral("pas-une-adresse"));

        // Picking a recipient leaves new-recipient entry; the save modifies it.
        controle<QToolButton>(f, "cmdAjouterDest")->click();
        choisirElement(choix, "40000- Madame Abel ");
        QVERIFY(!f.bNouveauDestinataire());
        controle<QLineEdit>(f, "txtPrenomDest")->setText(QStringLiteral("Inès"));
        controle<QToolButton>(f, "cmdModifDest")->click();
        QCOMPARE(choix->currentText(), QStringLiteral("40000- Madame Abel Inès"));
        QCOMPARE(compter("Destinataire"), 5);

        // Delete in new-recipient entry, then "No", then yes.
        controle<QToolButton>(f, "cmdAjouterDest")->click();
        controle<QToolButton>(f, "cmdSupprDest")->click();
        QCOMPARE(m_banc->dialogues.messages.last().texte,
                 QStringLiteral("Veuillez sélectionner un destinataire valide."));
        choisirElement(choix, "40000- Madame Abel Inès");
        m_banc->dialogues.reponses.enqueue(Reponse::Non);
        controle<QToolButton>(f, "cmdSupprDest")->click();
        QCOMPARE(m_banc->dialogues.messages.last().texte,
                 QStringLiteral("Êtes-vous sûr de vouloir supprimer ce destinataire ?"));
        QCOMPARE(compter("Destinataire"), 5);
        controle<QToolButton>(f, "cmdSupprDest")->click(); // no scripted answer: Yes
        QCOMPARE(compter("Destinataire"), 4);
        QCOMPARE(liste->model()->rowCount(), 4);
        QCOMPARE(choix->count(), 4);
        QVERIFY(choix->currentText().isEmpty());
    }

    void valeursStockeesGardeesAuOctetPres()
    {
        // A long address (imported, say) and a town whose bytes are not
        // UTF-8: changing another field must not rewrite either.
        const QString longue = QStringLiteral("Hôpital Saint-Éloi, ") + QString(40000, QLatin1Char('x'));
        m_banc->base.executer(
            QStringLiteral("INSERT INTO Destinataire (Numero_Destinataire, Nom_Destinataire, Adresse1_Destinataire,"
                           " Ville_Destinataire) VALUES (4, 'Long', '%1', CAST(X'4C79FF6F6E' AS TEXT));")
                .arg(longue));
        FrmAccueil f;
        choisirElement(controle<QComboBox>(f, "cmbDestinataire"), "4-  Long ");
        auto* adresse = controle<QLineEdit>(f, "txtAdresse1Dest");
        QCOMPARE(adresse->text(), longue);
        QCOMPARE(adresse->cursorPosition(), 0); // shown from its start
        controle<QLineEdit>(f, "txtFonctionDest")->setText(QStringLiteral("Directrice"));
        controle<QToolButton>(f, "cmdModifDest")->click();
        QVERIFY(m_banc->dialogues.messages.isEmpty());
        QSqlQuery q(cnLettre().base());
        QVERIFY(q.exec(QStringLiteral(
            "SELECT Adresse1_Destinataire, hex(Ville_Destinataire), Fonction_Destinataire FROM Destinataire")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), longue);
        QCOMPARE(q.value(1).toString(), QStringLiteral("4C79FF6F6E"));
        QCOMPARE(q.value(2).toString(), QStringLiteral("Directrice"));
    }

    // Saved on another desktop since it was shown: the save asks, and
    // "Écraser" stores what was typed, "Recharger" shows the stored card.
    void destinataireModifieSurUnAutrePoste()
    {
        const RecordId id = ajouterDestinataire(QStringLiteral("Roux"));
        FrmAccueil f;
        choisirElement(controle<QComboBox>(f, "cmbDestinataire"), QString::number(id) + "-  Roux ");
        auto* ville = controle<QLineEdit>(f, "txtVilleDest");
        villeChangeeAilleurs(id, QStringLiteral("Lyon"));
        ville->setText(QStringLiteral("Paris"));
        m_banc->dialogues.reponses.enqueue(Reponse::Non);
        controle<QToolButton>(f, "cmdModifDest")->click();
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QVERIFY(m_banc->dialogues.messages[0].texte.startsWith(
            QStringLiteral("Ce destinataire a été modifié sur un autre poste.")));
        QCOMPARE(m_banc->dialogues.messages[0].boutons, Boutons::RechargerEcraser);
        QCOMPARE(ville->text(), QStringLiteral("Lyon"));

        villeChangeeAilleurs(id, QStringLiteral("Nantes"));
        ville->setText(QStringLiteral("Paris"));
        m_banc->dialogues.reponses.enqueue(Reponse::Oui);
        controle<QToolButton>(f, "cmdModifDest")->click();
        QCOMPARE(colonne(requetes::destinataire(id), QStringLiteral("Ville_Destinataire")),
                 QStringList{QStringLiteral("Paris")});
    }

    // On a shared server, what another desktop adds reaches the lists by
    // itself, and what the user is typing stays.
    void listesSuiventLesAutresPostes()
    {
        EXIGER_SERVEUR_ESSAI(serveur);
        m_banc.reset();
        m_banc.emplace(BaseTemporaire::Contenu::Vide, BaseTemporaire::Moteur::Serveur);
        const RecordId id = ajouterDestinataire(QStringLiteral("Roux"));
        FrmAccueil f;
        auto* choix = controle<QComboBox>(f, "cmbDestinataire");
        choisirElement(choix, QString::number(id) + "-  Roux ");
        controle<QLineEdit>(f, "txtVilleDest")->setText(QStringLiteral("en cours de saisie"));
        surUnAutrePoste([](Connexion& autre) {
            Recordset rs(autre);
            rs.open(requetes::tousDestinataires());
            rs.addNew();
            rs.setValue(QStringLiteral("Nom_Destinataire"), QStringLiteral("Abel"));
            rs.update();
        });
        QTRY_COMPARE_WITH_TIMEOUT(choix->count(), 2, 2000);
        QCOMPARE(controle<QTreeView>(f, "lsvDest")->model()->rowCount(), 2);
        QCOMPARE(choix->currentText(), QString::number(id) + "-  Roux ");
        QCOMPARE(controle<QLineEdit>(f, "txtVilleDest")->text(), QStringLiteral("en cours de saisie"));
    }

private:
    std::optional<BancEssai> m_banc;
};

QTEST_MAIN(TestAccueilCarnet)
#include "tst_accueil_carnet.moc"
