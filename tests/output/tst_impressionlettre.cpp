#include "support/pdfmots.h"

#include "output/composition.h"
#include "output/impressionlettre.h"
#include "platform/imprimante.h"
#include "richtext/richtextbox.h"
#include "store/journal.h"
#include "support/banc.h"
#include "support/lettreessai.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QMarginsF kDecalagesMm(4, 4, 4, 4);
constexpr double kTolerance = 0.05; // cm
constexpr double kGauche = 1200 * kCmParTwip;
constexpr double kBlocDroit = (1200 + 5040) * kCmParTwip;

bool pres(double a, double b)
{
    return qAbs(a - b) <= kTolerance;
}

// The recipients of the journal's entries, oldest first.
QStringList destinatairesDuJournal()
{
    QStringList noms;
    for (const EntreeJournal& e : lireJournal())
        noms.prepend(e.destinataire.nom);
    return noms;
}

} // namespace

class TestImpressionLettre : public QObject {
    Q_OBJECT

private:
    std::optional<BancEssai> m_banc;
    ImprimanteEssai* m_imprimante = nullptr;
    std::unique_ptr<RichTextBox> m_txtText;

    // Five recipients; in list order (last name, first name) their ids are
    // 4, 2, 5, 1, 3.
    void cinqDestinataires()
    {
        m_banc->base.executer(QStringLiteral(
            "INSERT INTO Destinataire (Numero_Destinataire, Titre_Destinataire, Nom_Destinataire, Prenom_Destinataire, "
            "Adresse1_Destinataire, Adresse2_Destinataire, CP_Destinataire, Ville_Destinataire, Fonction_Destinataire) VALUES "
            "(1, 'Monsieur', 'Dupont', 'Marc', '1 rue Une', NULL, '10000', 'Troyes', NULL),"
            "(2, 'Madame', 'Bernard', 'Lise', '2 quai Sud', 'Porte 4', '13002', 'Marseille', 'Directrice'),"
            "(3, 'Monsieur', 'Evrard', 'Luc', '3 cours Est', '', '33000', 'Bordeaux', ''),"
            "(4, 'Madame', 'Arnaud', 'Eve', '4 place Ronde', NULL, '69001', 'Lyon', NULL),"
            "(5, 'Monsieur', 'Colin', 'Noe', '5 mail Ouest', NULL, '35000', 'Rennes', NULL)"));
    }

private slots:
    void init()
    {
        m_banc.emplace();
        m_imprimante = &m_banc->imprimante(QPageSize(QPageSize::A4), kDecalagesMm);
        m_txtText = std::make_unique<RichTextBox>();
    }

    void cleanup() { m_banc.reset(); }

    // The composed letter on paper: sender at the left margin, recipient,
    // date, place and signature 5040 twips further right, the first line at
    // the top margin, all in Arial (Liberation Sans) 11 points.
    void lettreComposee()
    {
        m_txtText->setTextRTF(TexteLettreIndividuelle(saisieComplete(), QString()));
        const QString avant = m_txtText->TextRTF();
        ImprimerLettre({true, {}}, *m_txtText->document());

        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].texte, QStringLiteral("Êtes-vous sûr de vouloir imprimer la lettre ?"));
        QCOMPARE(m_banc->dialogues.messages[0].titre, QStringLiteral("Confirmation"));
        QCOMPARE(m_banc->dialogues.messages[0].boutons, Boutons::OuiNon);
        QCOMPARE(m_banc->dialogues.messages[0].icone, Icone::Aucune);
        QCOMPARE(m_txtText->TextRTF(), avant);
        QCOMPARE(m_imprimante->fichiers().size(), 1);
        QCOMPARE(lireJournal().size(), 1);
        QCOMPARE(texteEnvoye(lireJournal()[0].numero), avant);
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers()[0]);
        QVERIFY2(pdf.erreur.isEmpty(), qPrintable(pdf.erreur));
        QCOMPARE(pdf.pages.size(), 1);

        const MotPdf* premier = &pdf.mots.first();
        QCOMPARE(premier->texte, QStringLiteral("Monsieur"));
        QVERIFY2(pres(premier->boite.left(), kGauche), qPrintable(QString::number(premier->boite.left())));
        QVERIFY2(pres(premier->boite.top(), 1500 * kCmParTwip), qPrintable(QString::number(premier->boite.top())));
        for (const char* mot : {"5", "44000", "Objet", "Cordialement."})
            QVERIFY2(pdf.trouver(QString::fromUtf8(mot))
                         && pres(pdf.trouver(QString::fromUtf8(mot))->boite.left(), kGauche),
                     mot);
        for (const char* mot : {"Madame", "12", "75011", "Le", "À"})
            QVERIFY2(pdf.trouver(QString::fromUtf8(mot))
                         && pres(pdf.trouver(QString::fromUtf8(mot))->boite.left(), kBlocDroit),
                     mot);
        // The signature is the last line: Jean Martin, right block.
        QCOMPARE(pdf.mots.last().texte, QStringLiteral("Martin"));
        QVERIFY(pres(pdf.mots[pdf.mots.size() - 2].boite.left(), kBlocDroit));

        // 11 points of Liberation Sans: the word box is 1.117 em high.
        const double hauteurPoints = premier->boite.height() / kCmParPoint;
        QVERIFY2(qAbs(hauteurPoints - 11 * 1.117) < 0.3, qPrintable(QString::number(hauteurPoints)));
        QProcess pdffonts;
        pdffonts.start(QStringLiteral("pdffonts"), {m_imprimante->fichiers()[0]});
        QVERIFY(pdffonts.waitForFinished());
        const QString polices = QString::fromUtf8(pdffonts.readAllStandardOutput());
        QVERIFY2(polices.contains(QStringLiteral("LiberationSans")) || polices.contains(QStringLiteral("Arial")),
                 qPrintable(polices));
    }

    // A six-line recipient block whose long line wraps twice: every word of
    // the block stands at the block's edge or right of it, the block fits above
    // the bottom of a DL envelope's window (9.5 cm) and the date and place
    // come below it.
    void blocDestinataireDansLaFenetre()
    {
        SaisieLettre s = saisieComplete();
        s.adresse1Dest = QStringLiteral("Caisse primaire d'assurance maladie des Bouches-du-Rhône, "
                                        "service des relations avec les assurés");
        s.adresse2Dest = QStringLiteral("8 rue Jules Moulet");
        s.cpDest = QStringLiteral("13006");
        s.villeDest = QStringLiteral("Marseille");
        m_txtText->setTextRTF(TexteLettreIndividuelle(s, QString()));
        ImprimerLettre({true, {}}, *m_txtText->document());
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers().value(0));
        QVERIFY2(pdf.erreur.isEmpty(), qPrintable(pdf.erreur));

        const double haut = pdf.trouver(QStringLiteral("Madame"))->boite.top();
        const MotPdf* ville = pdf.trouver(QStringLiteral("Marseille"));
        QVERIFY(ville);
        QSet<int> lignes;
        for (const MotPdf& m : pdf.mots) {
            if (m.boite.top() < haut - kTolerance || m.boite.top() > ville->boite.top() + kTolerance)
                continue;
            QVERIFY2(m.boite.left() >= kBlocDroit - kTolerance, qPrintable(m.texte));
            lignes.insert(qRound(m.boite.top() * 100));
        }
        QCOMPARE(lignes.size(), 6);
        QVERIFY2(ville->boite.bottom() <= 9.5, qPrintable(QString::number(ville->boite.bottom())));
        for (const char* mot : {"Le", "À"}) {
            const MotPdf* m = pdf.trouver(QString::fromUtf8(mot));
            QVERIFY2(m && m->boite.top() >= 9.5 && pres(m->boite.left(), kBlocDroit), mot);
        }
    }

    void lettreVideUnePageBlanche()
    {
        ImprimerLettre({true, {}}, *m_txtText->document());
        QCOMPARE(m_imprimante->fichiers().size(), 1);
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers()[0]);
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(pdf.mots.isEmpty());
    }

    // Rows 2 and 5 of a five-row list: two letters, for those recipients,
    // in that order, each its own job; the letter area keeps its
    // placeholders.
    void enNombreLignesDeuxEtCinq()
    {
        cinqDestinataires();
        SaisieLettre saisie = saisieComplete();
        saisie.lignesDestinataires = 5;
        m_txtText->setTextRTF(TexteLettreEnNombre(saisie, QString()));
        const QString avant = m_txtText->TextRTF();
        ImprimerLettre({false, {2, 3}}, *m_txtText->document());

        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].texte,
                 QStringLiteral("Êtes-vous sûr de vouloir imprimer les 2 lettres ?"));
        QCOMPARE(m_banc->dialogues.progressions,
                 QStringList({"début: Impression des lettres (2)", "Impression de la lettre 1 sur 2",
                              "Impression de la lettre 2 sur 2", "fin"}));
        QCOMPARE(m_txtText->TextRTF(), avant);
        QVERIFY(m_txtText->toPlainText().contains(QStringLiteral("<NomDest>")));
        QCOMPARE(m_imprimante->fichiers().size(), 2);

        const ContenuPdf bernard = lirePdf(m_imprimante->fichiers()[0]);
        QVERIFY2(bernard.texte(0).contains(
                     QStringLiteral("Madame Bernard Lise Directrice 2 quai Sud Porte 4 13002 Marseille")),
                 qPrintable(bernard.texte(0)));
        QVERIFY(pres(bernard.trouver(QStringLiteral("Porte"))->boite.left(), kBlocDroit));
        QVERIFY(pres(bernard.trouver(QStringLiteral("Directrice"))->boite.left(), kBlocDroit));
        const ContenuPdf evrard = lirePdf(m_imprimante->fichiers()[1]);
        QVERIFY2(evrard.texte(0).contains(QStringLiteral("Monsieur Evrard Luc 3 cours Est 33000 Bordeaux")),
                 qPrintable(evrard.texte(0)));
        QVERIFY(!evrard.texte(0).contains(QStringLiteral("<")));
    }

    void refus_data()
    {
        QTest::addColumn<bool>("individuel");
        QTest::addColumn<bool>("sansImprimante");
        QTest::addColumn<QString>("message");
        QTest::newRow("aucun destinataire choisi")
            << false << false << QStringLiteral("Attention ! Vous n'avez pas sélectionné de destinataire.");
        QTest::newRow("pas d'imprimante")
            << true << true << QStringLiteral("Aucune imprimante par défaut n'est configurée.");
    }

    void refus()
    {
        QFETCH(bool, individuel);
        QFETCH(bool, sansImprimante);
        QFETCH(QString, message);
        m_imprimante->aucune = sansImprimante;
        ImprimerLettre({individuel, {}}, *m_txtText->document());
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].texte, message);
        QCOMPARE(m_banc->dialogues.messages[0].titre, QStringLiteral("Erreur"));
        QCOMPARE(m_banc->dialogues.messages[0].icone, Icone::Exclamation);
        QVERIFY(m_imprimante->fichiers().isEmpty());
    }

    void reponseNon()
    {
        cinqDestinataires();
        m_banc->dialogues.reponses << Reponse::Non << Reponse::Non;
        ImprimerLettre({true, {}}, *m_txtText->document());
        ImprimerLettre({false, {1}}, *m_txtText->document());
        QCOMPARE(m_banc->dialogues.messages.size(), 2);
        QVERIFY(m_imprimante->fichiers().isEmpty());
    }

    // A recipient gone from the database stops the run with a message that
    // names it and counts the letters printed before it.
    void echecReporte()
    {
        cinqDestinataires();
        m_txtText->setTextRTF(TexteLettreEnNombre(saisieComplete(), QString()));
        ImprimerLettre({false, {4, 9, 1}}, *m_txtText->document());
        QCOMPARE(m_imprimante->fichiers().size(), 1);
        QCOMPARE(m_banc->dialogues.messages.size(), 2);
        const auto& m = m_banc->dialogues.messages[1];
        QCOMPARE(m.icone, Icone::Exclamation);
        QVERIFY2(m.texte.startsWith(QStringLiteral("La lettre du destinataire n° 9 n'a pas pu être imprimée")),
                 qPrintable(m.texte));
        QVERIFY(m.texte.contains(QStringLiteral("1 lettre(s) sur 3")));
        QCOMPARE(m_banc->dialogues.progressions.last(), QStringLiteral("fin"));
        QCOMPARE(destinatairesDuJournal(), QStringList{QStringLiteral("Madame Eve Arnaud")});
    }

    void arretEntreDeuxLettres()
    {
        cinqDestinataires();
        m_txtText->setTextRTF(TexteLettreEnNombre(saisieComplete(), QString()));
        m_banc->dialogues.arreterApres = 2;
        ImprimerLettre({false, {4, 2, 5}}, *m_txtText->document());
        QCOMPARE(m_imprimante->fichiers().size(), 2);
        QCOMPARE(m_banc->dialogues.messages.last().texte,
                 QStringLiteral("Impression interrompue : 2 lettre(s) sur 3 ont été imprimées."));
        QCOMPARE(m_banc->dialogues.progressions.last(), QStringLiteral("fin"));
        QCOMPARE(destinatairesDuJournal(),
                 (QStringList{QStringLiteral("Madame Eve Arnaud"), QStringLiteral("Madame Lise Bernard")}));
    }

    // A journal that cannot be written is said once; every letter still prints.
    void journalEnEchec()
    {
        cinqDestinataires();
        m_banc->base.executer(QStringLiteral("DROP TABLE Journal"));
        m_txtText->setTextRTF(TexteLettreEnNombre(saisieComplete(), QString()));
        ImprimerLettre({false, {4, 2}}, *m_txtText->document());
        QCOMPARE(m_imprimante->fichiers().size(), 2);
        QCOMPARE(m_banc->dialogues.messages.size(), 2);
        QVERIFY2(m_banc->dialogues.messages[1].texte.startsWith(
                     QStringLiteral("L'envoi a bien eu lieu, mais il n'a pas pu être noté")),
                 qPrintable(m_banc->dialogues.messages[1].texte));
    }
};

QTEST_MAIN(TestImpressionLettre)
#include "tst_impressionlettre.moc"
