// The letter text built from the template and the entry, without controls.
#include "output/composition.h"

#include <QtTest>

namespace {

const QString kSeptTabs = QStringLiteral("\\tab \\tab \\tab \\tab \\tab \\tab \\tab ");

SaisieLettre saisieComplete()
{
    SaisieLettre s;
    s.titreExp = QStringLiteral("M.");
    s.nomExp = QStringLiteral("Martin");
    s.prenomExp = QStringLiteral("Jean");
    s.adresse1Exp = QStringLiteral("3 rue Haute");
    s.cpExp = QStringLiteral("69001");
    s.villeExp = QStringLiteral("Lyon");
    s.titreDest = QStringLiteral("Madame");
    s.nomDest = QStringLiteral("Durand");
    s.prenomDest = QStringLiteral("Anne");
    s.adresse1Dest = QStringLiteral("5 place Bellecour");
    s.cpDest = QStringLiteral("69002");
    s.villeDest = QStringLiteral("Lyon");
    s.formuleLettre = QStringLiteral("Veuillez agréer, <TitreDest>, l'expression de ma considération distinguée.");
    s.depuisModele = false;
    return s;
}

} // namespace

class TestComposition : public QObject {
    Q_OBJECT

private slots:
    // Each placeholder of the template is filled once; what a value brings
    // in is never filled again.
    void reperesRemplisUneSeuleFois()
    {
        SaisieLettre s = saisieComplete();
        s.nomDest = QStringLiteral("<CorpsLettre>");
        s.prenomDest = QStringLiteral("<nomdest>");
        s.villeDest = QStringLiteral("<TitreDest>");
        const QString lettre = TexteLettreIndividuelle(s, QStringLiteral("{\\rtf1 CORPS}"));
        QVERIFY(lettre.contains(kSeptTabs + QStringLiteral("Madame <CorpsLettre> <nomdest> \\par ")));
        QVERIFY(lettre.contains(QStringLiteral("69002 <TitreDest> \\par ")));
        QCOMPARE(lettre.count(QStringLiteral("CORPS")), 1);
    }

    void echappementRtf()
    {
        QCOMPARE(EchapperRtf(QStringLiteral("Bât. {A} C:\\dossier")), QStringLiteral("Bât. \\{A\\} C:\\\\dossier"));
        QCOMPARE(EchapperRtf(QString()), QString());
    }

    void dixPointsDevientOnze_data()
    {
        QTest::addColumn<QString>("avant");
        QTest::addColumn<QString>("apres");
        QTest::newRow("mot suivi d'un repere") << "\\pard\\fs20<A>"
                                               << "\\pard\\fs22<A>";
        QTest::newRow("fin de texte") << "\\fs20"
                                      << "\\fs22";
        QTest::newRow("mot suivant") << "{\\fs20\\b x}"
                                     << "{\\fs22\\b x}";
        QTest::newRow("douze points") << "\\fs24 x"
                                      << "\\fs24 x";
        QTest::newRow("mot plus long") << "\\fs200 x"
                                       << "\\fs200 x";
        QTest::newRow("negatif") << "\\fs-20 x"
                                 << "\\fs-20 x";
        QTest::newRow("autre mot") << "\\cfs20 x"
                                   << "\\cfs20 x";
        QTest::newRow("texte tape") << "fs20 et \\\\fs20"
                                    << "fs20 et \\\\fs20";
        QTest::newRow("apres symbole") << "\\'e9\\fs20 \\{fs20"
                                       << "\\'e9\\fs22 \\{fs20";
        QTest::newRow("donnees binaires") << "\\bin5 \\fs20\\fs20"
                                          << "\\bin5 \\fs20\\fs22";
        QTest::newRow("binaire tronque") << "\\bin99 \\fs20"
                                         << "\\bin99 \\fs20";
        QTest::newRow("barre finale") << "x\\"
                                      << "x\\";
    }

    void dixPointsDevientOnze()
    {
        QFETCH(QString, avant);
        QFETCH(QString, apres);
        QCOMPARE(PasserEnOnzePoints(avant), apres);
    }

    void toutVideLettreBlanche()
    {
        SaisieLettre vide;
        vide.depuisModele = false;
        QString attendu = ModeleLettre();
        attendu.replace(QStringLiteral("<SignatureLettre>"), QStringLiteral(" ")); // first name, space, last name
        attendu.replace(QStringLiteral("<TitreDest>,"), QStringLiteral("Madame, Monsieur,"));
        // Four sender lines, two blank, three for the recipient, one blank:
        // six more to bring the date below the envelope window.
        attendu.replace(QStringLiteral("<BlancAvantDate>"), QStringLiteral("\\par ").repeated(6));
        static const QRegularExpression repere(QStringLiteral("<[A-Za-z0-9]+>"));
        attendu.replace(repere, QString());
        attendu.replace(QStringLiteral("\\fs20"), QStringLiteral("\\fs22"));
        const QString lettre = TexteLettreIndividuelle(vide, QString());
        QCOMPARE(lettre, attendu);
        QVERIFY(lettre.contains(QStringLiteral("\\par \\par Madame, Monsieur, \\par \\par ")));
        QVERIFY(lettre.contains(QStringLiteral(" \\par ") + kSeptTabs + QStringLiteral(" \\par ") + kSeptTabs
                                + QStringLiteral(" \\par ")));
        QVERIFY(!lettre.contains(QStringLiteral("Téléphone")));
        QVERIFY(!lettre.contains(QStringLiteral("Objet")));
    }

    void expediteurFonctionAdresseEtSignature()
    {
        SaisieLettre s = saisieComplete();
        s.fonctionExp = QStringLiteral("Gérant");
        s.adresse2Exp = QStringLiteral("Bât. {A}");
        const QString lettre = TexteLettreIndividuelle(s, QString());
        QVERIFY(lettre.contains(
            QStringLiteral("\\fs22M. Martin Jean \\par Gérant \\par 3 rue Haute \\par Bât. \\{A\\} \\par 69001 Lyon")));
        QVERIFY(lettre.endsWith(kSeptTabs + QStringLiteral("Jean Martin}")));
    }

    void telephones()
    {
        SaisieLettre s = saisieComplete();
        s.tel2Exp = QStringLiteral("06 00 00 00 02");
        QVERIFY(!TexteLettreIndividuelle(s, QString()).contains(QStringLiteral("Téléphone")));
        s.tel1Exp = QStringLiteral("04 00 00 00 01");
        QVERIFY(TexteLettreIndividuelle(s, QString())
                    .contains(QStringLiteral(
                        "69001 Lyon \\par Téléphone : 04 00 00 00 01 \\par Téléphone : 06 00 00 00 02 \\par \\par")));
        s.tel2Exp.clear();
        QVERIFY(TexteLettreIndividuelle(s, QString())
                    .contains(QStringLiteral("Lyon \\par Téléphone : 04 00 00 00 01 \\par \\par \\par ")));
    }

    void renseignementsDeLaLettre()
    {
        SaisieLettre s = saisieComplete();
        s.dateLettre = QStringLiteral("7 décembre 2026");
        s.villeLettre = QStringLiteral("Lyon");
        s.objetLettre = QStringLiteral("Loyer & charges");
        s.pieceLettre = QStringLiteral("2");
        const QString lettre = TexteLettreIndividuelle(s, QString());
        QVERIFY(lettre.contains(kSeptTabs + QStringLiteral("Le 7 décembre 2026 \\par ") + kSeptTabs
                                + QStringLiteral("À Lyon \\par")));
        QVERIFY(lettre.contains(QStringLiteral("\\par Objet : Loyer & charges \\par Pièce(s) jointe(s) : 2 \\par")));
    }

    void destinataireSurPlusieursLignes()
    {
        SaisieLettre s = saisieComplete();
        s.adresse2Dest = QStringLiteral("C:\\dossier");
        s.fonctionDest = QStringLiteral("Directrice");
        const QString lettre = TexteLettreIndividuelle(s, QString());
        QVERIFY(lettre.contains(
            kSeptTabs + QStringLiteral("Madame Durand Anne \\par ") + kSeptTabs + QStringLiteral("Directrice \\par ")
            + kSeptTabs + QStringLiteral("5 place Bellecour \\par ") + kSeptTabs
            + QStringLiteral("C:\\\\dossier \\par ") + kSeptTabs + QStringLiteral("69002 Lyon \\par")));
        QVERIFY(lettre.contains(QStringLiteral("\\par Madame, \\par")));
    }

    void formuleDePolitesseSelonLeMode()
    {
        const SaisieLettre s = saisieComplete();
        const QString formule = QStringLiteral("Veuillez agréer, %1, l'expression de ma considération distinguée.");
        QVERIFY(TexteLettreIndividuelle(s, QString()).contains(formule.arg(QStringLiteral("Madame"))));

        const QString enNombre = TexteLettreEnNombre(s, QString());
        QVERIFY(enNombre.contains(formule.arg(QStringLiteral("<TitreDest>"))));
        for (const char* repere :
             {"<TitreDest> <NomDest> <PrenomDest>", "<Adr1Dest>", "<CPDest> <VilleDest>", "<TitreDest>,"})
            QVERIFY2(enNombre.contains(QLatin1String(repere)), repere);
        QVERIFY(enNombre.contains(QStringLiteral("M. Martin Jean")));

        FicheDestinataire d;
        d.titre = QStringLiteral("Monsieur");
        d.nom = QStringLiteral("Roux");
        const QString personnalisee = TextePersonnalise(enNombre, d);
        QVERIFY(personnalisee.contains(formule.arg(QStringLiteral("Monsieur"))));
        QVERIFY(personnalisee.contains(QStringLiteral("\\par Monsieur, \\par")));
        QVERIFY(!personnalisee.contains(QLatin1Char('<')));
    }

    void reperesDuCorpsSelonLeMode()
    {
        SaisieLettre s = saisieComplete();
        s.dateLettre = QStringLiteral("1er mai");
        const QString corps = QStringLiteral(
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\fs20 [<NomDest>|<TitreDest>|<SignatureLettre>|<PolitesseLettre>|<NomExp>|<DateLettre>]\\fs24 z}");
        const QString individuelle = TexteLettreIndividuelle(s, corps);
        QVERIFY(individuelle.contains(QStringLiteral(
            "\\fs22 [Durand|Madame|Jean Martin|Veuillez agréer, Madame, l'expression de ma considération distinguée.|Martin|Le 1er mai]\\fs24 z}")));

        const QString enNombre = TexteLettreEnNombre(s, corps);
        QVERIFY(enNombre.contains(QStringLiteral(
            "\\fs22 [<NomDest>|<TitreDest>|Jean Martin|Veuillez agréer, <TitreDest>, l'expression de ma considération distinguée.|Martin|Le 1er mai]")));
        FicheDestinataire d;
        d.titre = QStringLiteral("Maître");
        d.nom = QStringLiteral("{Roux}");
        QVERIFY(TextePersonnalise(enNombre, d)
                    .contains(QStringLiteral("[\\{Roux\\}|Maître|Jean Martin|Veuillez agréer, Maître,")));
    }
};

QTEST_GUILESS_MAIN(TestComposition)
#include "tst_composition.moc"
