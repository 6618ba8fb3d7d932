#include "support/pdfmots.h"

#include "app/mdgeneral.h"
#include "output/apercu.h"
#include "output/enveloppe.h"
#include "output/reglageenveloppe.h"
#include "platform/imprimante.h"
#include "support/banc.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The printable area of the test printer starts this far from the edges;
// envelopes are measured from the paper's corner all the same.
constexpr double kDecalageGaucheCm = 0.5;
constexpr double kDecalageHautCm = 0.4;
constexpr double kTolerance = 0.05;        // 0.5 mm
constexpr double kToleranceReglage = 0.01; // 0.1 mm

// The corner of a word's box where the text's top-left corner lands when
// the page is turned so many degrees clockwise.
QPointF coinDuDebut(const QRectF& boite, int rotation)
{
    switch (rotation) {
    case 90: return boite.topRight();
    case 180: return boite.bottomRight();
    case 270: return boite.bottomLeft();
    default: return boite.topLeft();
    }
}

struct Attendu {
    double x, y;
    QString texte;
};

} // namespace

Q_DECLARE_METATYPE(QList<Attendu>)

class TestEnveloppe : public QObject {
    Q_OBJECT

private:
    std::optional<BancEssai> m_banc;
    ImprimanteEssai* m_imprimante = nullptr;

    void definirFormat(const QString& format)
    {
        QVERIFY(mdGeneral::EcrireIni(QStringLiteral("Enveloppe"), QStringLiteral("Format"), format, QString()).ok());
    }

    void installerImprimante(QList<int> refus = {})
    {
        m_imprimante = &m_banc->imprimante(QPageSize(QPageSize::A4),
                                           QMarginsF(kDecalageGaucheCm * 10, kDecalageHautCm * 10, 0, 0));
        m_imprimante->refus = std::move(refus);
    }

    // The test printer writes files.
    static QString nomImprimanteEssai() { return QStringLiteral("PDF"); }

    static SaisieEnveloppe saisieIndividuelle()
    {
        SaisieEnveloppe s;
        s.destinataire.titre = QStringLiteral("Madame");
        s.destinataire.nom = QStringLiteral("Durand");
        s.destinataire.prenom = QStringLiteral("Claire");
        s.destinataire.adresse1 = QStringLiteral("12 rue Haute");
        s.destinataire.adresse2 = QStringLiteral("Bâtiment B");
        s.destinataire.cp = QStringLiteral("75011");
        s.destinataire.ville = QStringLiteral("Paris");
        return s;
    }

    // Every expected word at its place in the layout of the format, the
    // envelope turned as that format is fed.
    static void verifierPage(const ContenuPdf& pdf, const QSizeF& page)
    {
        QVERIFY2(qAbs(pdf.pages[0].width() - page.width()) <= kTolerance
                     && qAbs(pdf.pages[0].height() - page.height()) <= kTolerance,
                 qPrintable(QStringLiteral("page de %1 x %2 cm").arg(pdf.pages[0].width()).arg(pdf.pages[0].height())));
    }

    static void verifierPositions(const ContenuPdf& pdf, int page, const QList<Attendu>& attendus, int format = 0)
    {
        const PapierEnveloppe papier = *papierEnveloppe(format);
        const QTransform versLayout = versPapier(papier, {}).inverted();
        for (const Attendu& a : attendus) {
            const MotPdf* mot = pdf.trouver(a.texte, page);
            QVERIFY2(mot, qPrintable(QStringLiteral("« %1 » absent de : %2").arg(a.texte, pdf.texte(page))));
            const QPointF debut = versLayout.map(coinDuDebut(mot->boite, papier.rotationBase));
            const double x = debut.x();
            const double y = debut.y();
            QVERIFY2(qAbs(x - a.x) <= kTolerance && qAbs(y - a.y) <= kTolerance,
                     qPrintable(QStringLiteral("« %1 » à (%2, %3) cm au lieu de (%4, %5)")
                                    .arg(a.texte)
                                    .arg(x)
                                    .arg(y)
                                    .arg(a.x)
                                    .arg(a.y)));
        }
    }

private slots:
    void init()
    {
        m_banc.emplace();
        installerImprimante();
    }

    void cleanup() { m_banc.reset(); }

    void formatsSansCases_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("0") << "0" << QSizeF(16.2, 11.4) << 6.0 << 6.0;
        QTest::newRow("1") << "1" << QSizeF(22.0, 11.0) << 11.0 << 6.0;
        QTest::newRow("5") << "5" << QSizeF(11.0, 22.0) << 11.0 << 15.0;
    }

    void formatsSansCases()
    {
        QFETCH(QString, format);
        QFETCH(QSizeF, page);
        QFETCH(double, x);
        QFETCH(double, y);
        definirFormat(format);
        ImprimerEnveloppe(saisieIndividuelle());

        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].texte,
                 QStringLiteral("Êtes-vous sûr de vouloir imprimer l'enveloppe ?"));
        QCOMPARE(m_banc->dialogues.messages[0].titre, QStringLiteral("Confirmation"));
        QCOMPARE(m_imprimante->fichiers().size(), 1);
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers()[0]);
        QVERIFY2(pdf.erreur.isEmpty(), qPrintable(pdf.erreur));
        QCOMPARE(pdf.pages.size(), 1);
        verifierPage(pdf, page);
        verifierPositions(pdf, 0, {{x, y, "Madame"}, {x, y + 1, "12"}, {x, y + 2, "Bâtiment"}, {x, y + 3, "75011"}},
                          format.toInt());
        // The postcode and the town share the fourth line, the town in capitals.
        const QTransform versLayout = versPapier(*papierEnveloppe(format.toInt()), {}).inverted();
        QCOMPARE(versLayout.map(pdf.trouver("PARIS")->boite.center()).y(),
                 versLayout.map(pdf.trouver("75011")->boite.center()).y());
    }

    // A line too wide for the envelope goes on under itself at 10 points,
    // every word inside the sheet and above the next line.
    void ligneLongueRepliee()
    {
        definirFormat(QStringLiteral("1"));
        SaisieEnveloppe s = saisieIndividuelle();
        s.destinataire.adresse1 = QStringLiteral("Caisse primaire d'assurance maladie des Bouches-du-Rhône, "
                                                 "service des relations avec les assurés");
        ImprimerEnveloppe(s);
        QCOMPARE(m_imprimante->fichiers().size(), 1);
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers()[0]);
        QVERIFY2(pdf.texte(0).contains(s.destinataire.adresse1), qPrintable(pdf.texte(0)));
        const double basDeLaLigne = pdf.trouver(QStringLiteral("Bâtiment"))->boite.top();
        const QStringList motsDeLaLigne = s.destinataire.adresse1.split(QLatin1Char(' '));
        QSet<double> lignes;
        for (const MotPdf& m : pdf.mots) {
            if (!motsDeLaLigne.contains(m.texte))
                continue;
            QVERIFY2(m.boite.left() >= 11.0 - kTolerance && m.boite.right() <= pdf.pages[0].width(),
                     qPrintable(m.texte));
            QVERIFY2(m.boite.bottom() < basDeLaLigne, qPrintable(m.texte));
            lignes.insert(m.boite.top());
        }
        QCOMPARE(lignes.size(), 2);
    }

    // A line that fits in no way: the recipient is named and not one
    // envelope prints, not even those before it.
    void ligneTropLongueRefusee()
    {
        m_banc->base.executer(QStringLiteral(
            "INSERT INTO Destinataire (Numero_Destinataire, Nom_Destinataire, Adresse1_Destinataire) VALUES "
            "(1, 'Un', '1 rue Courte'), (2, 'Deux', 'Zone-artisanale-intercommunale-des-Portes-de-la-Méditerranée-Nord-et-Sud-Ouest-Provence-Alpes')"));
        definirFormat(QStringLiteral("1"));
        SaisieEnveloppe saisie;
        saisie.individuel = false;
        saisie.ids = {1, 2};
        ImprimerEnveloppe(saisie);
        QVERIFY(m_imprimante->fichiers().isEmpty());
        QCOMPARE(m_banc->dialogues.messages.size(), 2);
        QCOMPARE(m_banc->dialogues.messages[1].icone, Icone::Exclamation);
        QCOMPARE(
            m_banc->dialogues.messages[1].texte,
            QStringLiteral(
                "L'adresse de destinataire n° 2 (Deux) ne tient pas sur l'enveloppe, même en 10 points : "
                "la ligne « Zone-artisanale-intercommunale-des-Portes-de-la-Méditerranée-Nord-et-Sud-Ouest-Provence-Alpes » est trop longue.\n"
                "Aucune enveloppe n'a été imprimée."));
    }

    void formatsACases_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<QList<Attendu>>("attendus");
        QTest::newRow("2") << "2" << QSizeF(16.2, 11.4)
                           << QList<Attendu>{{3.3, 4.1, "Madame"}, {3.3, 5.3, "12"}, {3.3, 6.6, "Bâtiment"},
                                             {2.9, 8.3, "7"},      {3.7, 8.2, "5"},  {4.4, 8.2, "0"},
                                             {5.1, 8.2, "1"},      {5.7, 8.2, "8"},  {6.6, 8.2, "PARIS"}};
        QTest::newRow("3") << "3" << QSizeF(22.0, 11.0)
                           << QList<Attendu>{{9.0, 4.2, "Madame"}, {9.0, 5.5, "12"}, {9.0, 6.8, "Bâtiment"},
                                             {8.8, 7.7, "7"},      {9.4, 7.7, "5"},  {10.1, 7.7, "0"},
                                             {10.8, 7.7, "1"},     {11.5, 7.7, "8"}, {12.8, 7.7, "PARIS"}};
        QTest::newRow("4") << "4" << QSizeF(11.0, 22.0)
                           << QList<Attendu>{{9.0, 14.2, "Madame"}, {9.0, 15.5, "12"}, {9.0, 16.8, "Bâtiment"},
                                             {8.8, 17.7, "7"},      {9.4, 17.7, "5"},  {10.1, 17.7, "0"},
                                             {10.8, 17.7, "1"},     {11.5, 17.7, "8"}, {12.8, 17.7, "PARIS"}};
    }

    // One postcode character per box, the town on the line of the boxes.
    void formatsACases()
    {
        QFETCH(QString, format);
        QFETCH(QSizeF, page);
        QFETCH(QList<Attendu>, attendus);
        definirFormat(format);
        SaisieEnveloppe saisie = saisieIndividuelle();
        saisie.destinataire.cp = QStringLiteral("75018");
        ImprimerEnveloppe(saisie);

        QCOMPARE(m_imprimante->fichiers().size(), 1);
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers()[0]);
        QVERIFY2(pdf.erreur.isEmpty(), qPrintable(pdf.erreur));
        QCOMPARE(pdf.pages.size(), 1);
        verifierPage(pdf, page);
        verifierPositions(pdf, 0, attendus, format.toInt());
    }

    // The preview's envelope is the printed one: same page, same words at
    // the same places (the postcode boxes are drawn, not written).
    void apercuCommeImprime()
    {
        definirFormat(QStringLiteral("4"));
        ImprimerEnveloppe(saisieIndividuelle());
        std::vector<DispositionEnveloppe> dispositions;
        QString message;
        QVERIFY2(disposerToutes(4, adressesAImprimer(saisieIndividuelle()), dispositions, message),
                 qPrintable(message));
        ApercuEnveloppes apercu(4, std::move(dispositions), {QStringLiteral("Madame Durand Claire")});
        QCOMPARE(apercu.legende(0), QStringLiteral("Enveloppe 1 sur 1 — Madame Durand Claire"));
        const QString chemin = QDir(m_banc->dossierPapier()).filePath(QStringLiteral("apercu.pdf"));
        apercu.imprimante().setOutputFileName(chemin);
        {
            QPainter peintre(&apercu.imprimante());
            apercu.dessiner(peintre, false);
        }
        const ContenuPdf imprime = lirePdf(m_imprimante->fichiers().value(0));
        verifierPage(imprime, {11.0, 22.0});
        QCOMPARE(differenceMots(lirePdf(chemin), imprime, 0.01), QString());
    }

    void codesPostauxCourtsEtLongs()
    {
        definirFormat(QStringLiteral("3"));
        SaisieEnveloppe saisie = saisieIndividuelle();
        saisie.destinataire.adresse2.clear();
        saisie.destinataire.cp = QStringLiteral("123456");
        ImprimerEnveloppe(saisie);
        saisie.destinataire.cp = QStringLiteral("9876");
        ImprimerEnveloppe(saisie);

        QCOMPARE(m_imprimante->fichiers().size(), 2);
        const ContenuPdf six = lirePdf(m_imprimante->fichiers()[0]);
        QCOMPARE(six.texte(0), QStringLiteral("Madame Durand Claire 12 rue Haute 1 2 3 4 5 PARIS"));
        const ContenuPdf quatre = lirePdf(m_imprimante->fichiers()[1]);
        QCOMPARE(quatre.texte(0), QStringLiteral("Madame Durand Claire 12 rue Haute 9 8 7 6 PARIS"));
        verifierPositions(quatre, 0, {{8.8, 7.7, "9"}, {10.8, 7.7, "6"}, {12.8, 7.7, "PARIS"}}, 3);
    }

    // An empty title still leaves its separating space; an empty second
    // address line leaves the postcode line in its place.
    void champsVides()
    {
        definirFormat(QStringLiteral("0"));
        SaisieEnveloppe saisie = saisieIndividuelle();
        saisie.destinataire.titre.clear();
        saisie.destinataire.adresse2.clear();
        ImprimerEnveloppe(saisie);

        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers().value(0));
        QCOMPARE(pdf.texte(0), QStringLiteral("Durand Claire 12 rue Haute 75011 PARIS"));
        const double espace = 0.25 * 14 * kCmParPoint; // a space of Liberation Serif 14 pt
        verifierPositions(pdf, 0, {{6.0 + espace, 6.0, "Durand"}, {6.0, 9.0, "75011"}});
    }

    // Each envelope sets the printer up afresh: landscape does not stay.
    void formatCinqApresFormatZero()
    {
        definirFormat(QStringLiteral("0"));
        ImprimerEnveloppe(saisieIndividuelle());
        definirFormat(QStringLiteral("5"));
        ImprimerEnveloppe(saisieIndividuelle());
        definirFormat(QStringLiteral("0"));
        ImprimerEnveloppe(saisieIndividuelle());

        QCOMPARE(m_imprimante->fichiers().size(), 3);
        const QList<QSizeF> pages{{16.2, 11.4}, {11.0, 22.0}, {16.2, 11.4}};
        for (int i = 0; i < 3; ++i) {
            const ContenuPdf pdf = lirePdf(m_imprimante->fichiers()[i]);
            QCOMPARE(pdf.pages.size(), 1);
            verifierPage(pdf, pages[i]);
        }
        verifierPositions(lirePdf(m_imprimante->fichiers()[1]), 0, {{11.0, 15.0, "Madame"}}, 5);
    }

    void reglageDeLImprimante_data()
    {
        QTest::addColumn<QString>("format");
        for (const char* f : {"0", "1", "2", "3", "4", "5"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }

    // The printer's calibration moves and turns every line exactly as it
    // says, on every format; other printers' calibrations do not apply.
    void reglageDeLImprimante()
    {
        QFETCH(QString, format);
        definirFormat(format);
        QVERIFY(enregistrerReglageEnveloppe(QStringLiteral("Une autre"), {10, 10, 90}).ok());
        ImprimerEnveloppe(saisieIndividuelle());
        const ReglageEnveloppe reglage{3.5, -2, 180};
        QVERIFY(enregistrerReglageEnveloppe(nomImprimanteEssai(), reglage).ok());
        QCOMPARE(lireReglageEnveloppe(nomImprimanteEssai()), reglage);
        ImprimerEnveloppe(saisieIndividuelle());

        QCOMPARE(m_imprimante->fichiers().size(), 2);
        const ContenuPdf avant = lirePdf(m_imprimante->fichiers()[0]);
        const ContenuPdf apres = lirePdf(m_imprimante->fichiers()[1]);
        QCOMPARE(apres.pages.value(0), avant.pages.value(0));
        const PapierEnveloppe papier = *papierEnveloppe(format.toInt());
        const QTransform deplacement = versPapier(papier, {}).inverted() * versPapier(papier, reglage);
        QCOMPARE(apres.mots.size(), avant.mots.size());
        for (const MotPdf& mot : avant.mots) {
            const QRectF attendu = deplacement.mapRect(mot.boite);
            const bool trouve = std::any_of(apres.mots.cbegin(), apres.mots.cend(), [&](const MotPdf& m) {
                return m.texte == mot.texte && qAbs(m.boite.left() - attendu.left()) <= kToleranceReglage
                    && qAbs(m.boite.top() - attendu.top()) <= kToleranceReglage;
            });
            QVERIFY2(trouve,
                     qPrintable(QStringLiteral("« %1 » pas à (%2, %3) cm : %4")
                                    .arg(mot.texte)
                                    .arg(attendu.left())
                                    .arg(attendu.top())
                                    .arg(apres.texte(0))));
        }
    }

    void refus_data()
    {
        QTest::addColumn<QString>("format"); // "-": no key at all
        QTest::addColumn<bool>("individuel");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("message");
        const QString sansFormat = QStringLiteral(
            "Attention ! Le format d'enveloppe n'a pas été défini. Veuillez le saisir dans les options.");
        const QString sansDestinataire = QStringLiteral("Attention ! Vous n'avez pas sélectionné de destinataire.");
        QTest::newRow("clé absente, avant le test des destinataires") << "-" << false << QStringList() << sansFormat;
        QTest::newRow("format vide") << "" << true << QStringList() << sansFormat;
        QTest::newRow("format qui n'est pas un nombre") << "abc" << true << QStringList() << sansFormat;
        QTest::newRow("format hors des codes") << "9" << true << QStringList() << sansFormat;
        QTest::newRow("aucun destinataire choisi") << "1" << false << QStringList() << sansDestinataire;
    }

    void refus()
    {
        QFETCH(QString, format);
        QFETCH(bool, individuel);
        QFETCH(QStringList, ids);
        QFETCH(QString, message);
        if (format != QLatin1String("-"))
            definirFormat(format);
        SaisieEnveloppe saisie = saisieIndividuelle();
        saisie.individuel = individuel;
        for (const QString& id : ids)
            saisie.ids << id.toLongLong();
        ImprimerEnveloppe(saisie);

        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].texte, message);
        QCOMPARE(m_banc->dialogues.messages[0].titre, QStringLiteral("Erreur"));
        QCOMPARE(m_banc->dialogues.messages[0].icone, Icone::Exclamation);
        QCOMPARE(m_banc->dialogues.messages[0].boutons, Boutons::Ok);
        QVERIFY(m_imprimante->fichiers().isEmpty());
    }

    void sansImprimanteParDefaut()
    {
        definirFormat(QStringLiteral("0"));
        m_imprimante->aucune = true;
        ImprimerEnveloppe(saisieIndividuelle());

        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].texte, QStringLiteral("Aucune imprimante par défaut n'est configurée."));
        QCOMPARE(m_banc->dialogues.messages[0].icone, Icone::Exclamation);
        QVERIFY(m_imprimante->fichiers().isEmpty());
    }

    void reponseNon()
    {
        definirFormat(QStringLiteral("0"));
        m_banc->dialogues.reponses.enqueue(Reponse::Non);
        ImprimerEnveloppe(saisieIndividuelle());
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QVERIFY(m_imprimante->fichiers().isEmpty());
    }

    // Mass mode: one job per selected recipient, in list order, read from
    // the database (an absent column as empty text).
    void enNombre()
    {
        m_banc->base.executer(QStringLiteral(
            "INSERT INTO Destinataire (Numero_Destinataire, Titre_Destinataire, Nom_Destinataire, Prenom_Destinataire, "
            "Adresse1_Destinataire, Adresse2_Destinataire, CP_Destinataire, Ville_Destinataire) VALUES "
            "(1, 'Monsieur', 'Arnaud', 'Paul', '1 place Nette', NULL, '69001', 'Lyon'),"
            "(2, 'Madame', 'Bernard', 'Lise', '2 quai Sud', 'Porte 4', '13002', 'Marseille'),"
            "(3, 'Madame', 'Colin', 'Anne', '3 rue Basse', '', '33000', 'Bordeaux')"));
        definirFormat(QStringLiteral("1"));
        SaisieEnveloppe saisie;
        saisie.individuel = false;
        saisie.ids = {3, 1};
        ImprimerEnveloppe(saisie);

        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].texte,
                 QStringLiteral("Êtes-vous sûr de vouloir imprimer les 2 enveloppes ?"));
        QCOMPARE(m_banc->dialogues.messages[0].boutons, Boutons::OuiNon);
        QCOMPARE(m_banc->dialogues.progressions,
                 QStringList({"début: Impression des enveloppes (2)", "Impression de l'enveloppe 1 sur 2",
                              "Impression de l'enveloppe 2 sur 2", "fin"}));
        QCOMPARE(m_imprimante->fichiers().size(), 2);
        const ContenuPdf colin = lirePdf(m_imprimante->fichiers()[0]);
        QCOMPARE(colin.texte(0), QStringLiteral("Madame Colin Anne 3 rue Basse 33000 BORDEAUX"));
        verifierPositions(colin, 0, {{11.0, 6.0, "Madame"}, {11.0, 9.0, "33000"}});
        QCOMPARE(lirePdf(m_imprimante->fichiers()[1]).texte(0),
                 QStringLiteral("Monsieur Arnaud Paul 1 place Nette 69001 LYON"));
    }

    // A failed envelope shows its failure and the next one is attempted.
    void echecDUneEnveloppe()
    {
        m_banc->base.executer(QStringLiteral(
            "INSERT INTO Destinataire (Numero_Destinataire, Nom_Destinataire) VALUES (1, 'Un'), (2, 'Deux'), (3, 'Trois')"));
        installerImprimante({2});
        definirFormat(QStringLiteral("0"));
        SaisieEnveloppe saisie;
        saisie.individuel = false;
        saisie.ids = {1, 2, 3};
        ImprimerEnveloppe(saisie);

        QCOMPARE(m_banc->dialogues.messages.size(), 2);
        QCOMPARE(m_banc->dialogues.messages[1].texte, QStringLiteral("Bourrage papier."));
        QCOMPARE(m_banc->dialogues.messages[1].icone, Icone::Arret);
        QCOMPARE(m_banc->dialogues.messages[1].titre, titreApplication());
        QCOMPARE(m_imprimante->fichiers().size(), 2);
        QCOMPARE(lirePdf(m_imprimante->fichiers()[1]).texte(0), QStringLiteral("Trois"));
    }

    // Stopping between two envelopes keeps what was printed; a recipient
    // gone from the database is named before anything prints.
    void arretEtDestinataireDisparu()
    {
        m_banc->base.executer(QStringLiteral(
            "INSERT INTO Destinataire (Numero_Destinataire, Nom_Destinataire) VALUES (1, 'Un'), (2, 'Deux')"));
        definirFormat(QStringLiteral("0"));
        SaisieEnveloppe saisie;
        saisie.individuel = false;
        saisie.ids = {1, 2};
        m_banc->dialogues.arreterApres = 1;
        ImprimerEnveloppe(saisie);
        QCOMPARE(m_imprimante->fichiers().size(), 1);
        QCOMPARE(m_banc->dialogues.progressions.last(), QStringLiteral("fin"));

        m_banc->dialogues.arreterApres = -1;
        saisie.ids = {2, 7, 1};
        ImprimerEnveloppe(saisie);
        QCOMPARE(m_imprimante->fichiers().size(), 1);
        QCOMPARE(m_banc->dialogues.messages.last().icone, Icone::Exclamation);
        QCOMPARE(m_banc->dialogues.messages.last().texte,
                 QStringLiteral(
                     "Les enveloppes n'ont pas été imprimées : Le destinataire n° 7 n'existe plus dans la base."));
    }
};

QTEST_MAIN(TestEnveloppe)
#include "tst_enveloppe.moc"
