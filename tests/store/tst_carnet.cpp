#include "platform/erreurbase.h"
#include "platform/recordset.h"
#include "store/destinataires.h"
#include "store/expediteurs.h"
#include "store/personnes.h"
#include "store/requetes.h"
#include "support/basetemporaire.h"

#include <QSqlQuery>
#include <QtTest>

class TestCarnet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data() { lignesDesDeuxMoteurs(); }

    void libellesEtNumeros()
    {
        QCOMPARE(libellePersonne(7, "", "Durand", "Paul"), QStringLiteral("7-  Durand Paul"));
        QCOMPARE(libellePersonne(7, "Monsieur", "Durand", ""), QStringLiteral("7- Monsieur Durand "));
        QCOMPARE(libellePersonne(12, "", "", ""), QStringLiteral("12-   "));
        QCOMPARE(nomComplet("", "Durand", "Paul"), QStringLiteral(" Durand Paul"));

        QCOMPARE(numeroEnTete(QStringLiteral("12- Madame Lenoir Anne")), 12);
        QCOMPARE(numeroEnTete(QStringLiteral("40000")), 40000);
        QCOMPARE(numeroEnTete(QStringLiteral("007x")), 7);
        QCOMPARE(numeroEnTete(QString()), kAucunEnregistrement);
        QCOMPARE(numeroEnTete(QStringLiteral("Madame 12")), kAucunEnregistrement);
        QCOMPARE(numeroEnTete(QStringLiteral(" 12")), kAucunEnregistrement);
        QCOMPARE(numeroEnTete(QStringLiteral("99999999999999999999- trop grand")), kAucunEnregistrement);
    }

    void idsAuDelaDe32Bits()
    {
        MOTEUR_ESSAI(moteur);
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        base.executer(
            (moteur == BaseTemporaire::Moteur::Serveur
                 ? QStringLiteral(
                     "SELECT setval(pg_get_serial_sequence('expediteur', 'numero_expediteur'), 2147483647);")
                 : QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES ('Expediteur', 2147483647);"))
            + QStringLiteral("INSERT INTO Expediteur (Numero_Expediteur, Nom_Expediteur) VALUES (-7, 'Moins');"));
        FicheExpediteur fiche;
        fiche.nom = QStringLiteral("Grand");
        const RecordId id = ecrireExpediteur(kAucunEnregistrement, fiche);
        QCOMPARE(id, RecordId(2147483648));
        QCOMPARE(libellesExpediteurs(),
                 (QStringList{QStringLiteral("2147483648-  Grand "), QStringLiteral("-7-  Moins ")}));

        for (const QString& libelle : libellesExpediteurs()) {
            const RecordId n = numeroExpediteurDe(libelle);
            QVERIFY2(n != kAucunEnregistrement, qPrintable(libelle));
            fiche = lireExpediteur(n);
            fiche.ville = QStringLiteral("Lyon");
            QCOMPARE(ecrireExpediteur(n, fiche), n);
            QCOMPARE(lireExpediteur(n).ville, QStringLiteral("Lyon"));
            effacerExpediteur(n);
        }
        QVERIFY(libellesExpediteurs().isEmpty());
    }

    void expediteurCreeModifieSupprime()
    {
        MOTEUR_ESSAI(moteur);
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        // Every field empty: the row holds "" everywhere, never an absent value.
        const RecordId vide = ecrireExpediteur(kAucunEnregistrement, {});
        QVERIFY(vide > 0);
        QCOMPARE(compter(QStringLiteral("Expediteur"),
                         QStringLiteral(
                             "Titre_Expediteur = '' AND Nom_Expediteur = '' "
                             "AND Prenom_Expediteur = '' AND Adresse1_Expediteur = '' AND Adresse2_Expediteur = '' "
                             "AND CP_Expediteur = '' AND Ville_Expediteur = '' AND Tel1_Expediteur = '' "
                             "AND Tel2_Expediteur = '' AND Fonction_Expediteur = ''")),
                 1);

        FicheExpediteur fiche{"Docteur", "Martin", "Léa",   "1 rue Haute", "Bât. B",
                              "75001",   "Paris",  "01 02", "06 07",       "Gérante"};
        const RecordId id = ecrireExpediteur(kAucunEnregistrement, fiche);
        QVERIFY(id != vide);
        QCOMPARE(lireExpediteur(id), fiche);
        QCOMPARE(numeroExpediteurDe(libellePersonne(id, fiche.titre, fiche.nom, fiche.prenom)), id);

        fiche.ville = QStringLiteral("  Lyon "); // stored exactly as typed
        QCOMPARE(ecrireExpediteur(id, fiche), id);
        QCOMPARE(lireExpediteur(id), fiche);
        QCOMPARE(compter(QStringLiteral("Expediteur")), 2);

        effacerExpediteur(id);
        QCOMPARE(compter(QStringLiteral("Expediteur")), 1);
        QCOMPARE(numeroExpediteurDe(QString::number(id) + QStringLiteral("- Docteur Martin Léa")),
                 kAucunEnregistrement);
        QCOMPARE(numeroExpediteurDe(QString()), kAucunEnregistrement);
        QCOMPARE(numeroExpediteurDe(QStringLiteral("Martin")), kAucunEnregistrement);
        // Saving into a row deleted meanwhile fails loudly and creates nothing.
        QVERIFY_THROWS_EXCEPTION(ErreurBase, ecrireExpediteur(id, fiche));
        QCOMPARE(compter(QStringLiteral("Expediteur")), 1);
    }

    // Ids beyond 16 bits designate their row; absent values read as "".
    void destinataireAuNumeroEleve()
    {
        MOTEUR_ESSAI(moteur);
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        base.executer(
            QStringLiteral("INSERT INTO Destinataire (Numero_Destinataire, Titre_Destinataire, Nom_Destinataire, "
                           "Prenom_Destinataire) VALUES (40000, 'Madame', NULL, 'Inès');"));
        QCOMPARE(libellesDestinataires(lignesDestinataires()), QStringList{QStringLiteral("40000- Madame  Inès")});
        QCOMPARE(numeroDestinataireDe(QStringLiteral("40000- Madame  Inès")), 40000);
        QCOMPARE(lireDestinataire(40000).nom, QString(""));
        QCOMPARE(lireDestinataire(40000).prenom, QStringLiteral("Inès"));
    }

    void destinataireCreeModifieSupprime()
    {
        MOTEUR_ESSAI(moteur);
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        FicheDestinataire fiche{"Maître", "Roux",      "Jean",    "2 place",        "",
                                "13000",  "Marseille", "Notaire", "jean@exemple.fr"};
        const RecordId id = ecrireDestinataire(kAucunEnregistrement, fiche);
        QCOMPARE(lireDestinataire(id), fiche);
        fiche.mail = QStringLiteral("pas une adresse");
        QCOMPARE(ecrireDestinataire(id, fiche), id);
        QCOMPARE(lireDestinataire(id).mail, QStringLiteral("pas une adresse"));
        const RecordId autre = ecrireDestinataire(kAucunEnregistrement, {});
        QCOMPARE(compter(QStringLiteral("Destinataire"),
                         QStringLiteral("Mail_Destinataire = '' AND Nom_Destinataire = ''")),
                 1);
        effacerDestinataire(id);
        QCOMPARE(lignesDestinataires().ids, QStringList{QString::number(autre)});
        QVERIFY_THROWS_EXCEPTION(ErreurBase, effacerDestinataire(id));
    }

    // Two desktops on one recipient: the second save does not silently
    // overwrite the first, unless asked to.
    void enregistrementsConcurrents()
    {
        MOTEUR_ESSAI(moteur);
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        const RecordId id = ecrireDestinataire(kAucunEnregistrement, {"", "Roux", "Jean", "", "", "", "Paris", "", ""});
        const FicheDestinataire affichee = lireDestinataire(id);
        villeChangeeAilleurs(id, QStringLiteral("Lyon"));

        FicheDestinataire saisie = affichee;
        saisie.prenom = QStringLiteral("Jeanne");
        QVERIFY_THROWS_EXCEPTION(ErreurConflit, ecrireDestinataire(id, saisie, &affichee));
        QCOMPARE(lireDestinataire(id).ville, QStringLiteral("Lyon"));
        QCOMPARE(lireDestinataire(id).prenom, QStringLiteral("Jean"));
        QCOMPARE(ecrireDestinataire(id, saisie, nullptr), id); // "Écraser"
        QCOMPARE(lireDestinataire(id), saisie);

        effacerDestinataire(id);
        QVERIFY_THROWS_EXCEPTION(ErreurConflit, ecrireDestinataire(id, saisie, &saisie));
        QCOMPARE(compter(QStringLiteral("Destinataire")), 0);
    }

    // What one desktop writes reaches the others' subscriptions, not its own.
    void modificationsAnnonceesAuxAutresPostes()
    {
        SERVEUR_SEULEMENT();
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, BaseTemporaire::Moteur::Serveur);
        QObject abonnement;
        QStringList tables;
        cnLettre().surModificationAilleurs(&abonnement, [&tables](const QString& t) { tables << t; });
        ajouterDestinataire(QStringLiteral("Ici"));
        const RecordId id = ajouterDestinataire(QStringLiteral("Roux"));
        villeChangeeAilleurs(id, QStringLiteral("Lyon"));
        QTRY_COMPARE_WITH_TIMEOUT(tables, QStringList{QStringLiteral("Destinataire")}, 2000);
        const qint64 avant = cnLettre().modifications();
        villeChangeeAilleurs(id, QStringLiteral("Nantes"));
        QTRY_VERIFY_WITH_TIMEOUT(cnLettre().modifications() > avant, 2000);
    }

    // A server lost during work: a French message, then the next command
    // opens the connection again.
    void serveurPerduPuisRetrouve()
    {
        SERVEUR_SEULEMENT();
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, BaseTemporaire::Moteur::Serveur);
        ajouterDestinataire(QStringLiteral("Roux"));
        const int processus = entier(QStringLiteral("SELECT pg_backend_pid()"));
        {
            Connexion autre(QStringLiteral("administration"));
            autre.ouvrirServeur(cnLettre().parametresServeur());
            QVERIFY(QSqlQuery(autre.base()).exec(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(processus)));
        }
        try {
            lignesDestinataires();
            QFAIL("La lecture aurait dû échouer.");
        } catch (const ErreurBase& e) {
            QVERIFY2(e.raison().contains(QStringLiteral("connexion au serveur de la base de données a été perdue")),
                     qPrintable(e.raison()));
        }
        QVERIFY(!cnLettre().estOuverte());
        try {
            QVERIFY(cnLettre().retablir());
        } catch (const ErreurBase& e) {
            QFAIL(qPrintable(e.raison()));
        }
        QCOMPARE(lignesDestinataires().ids.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCarnet)
#include "tst_carnet.moc"
