#include "support/pdfmots.h"

#include "output/etiquettes.h"
#include "support/banc.h"

#include <QtTest>

namespace {

constexpr double kTolerance = 0.05; // 0.5 mm

std::vector<AdresseEnveloppe> adresses(int nombre)
{
    std::vector<AdresseEnveloppe> liste;
    for (int i = 1; i <= nombre; ++i) {
        const QString nom = QStringLiteral("D%1 Durand").arg(i, 2, 10, QLatin1Char('0'));
        liste.push_back(
            {nom, nom, QStringLiteral("12 rue Haute"), QString(), QStringLiteral("75011"), QStringLiteral("Paris")});
    }
    return liste;
}

} // namespace

class TestEtiquettes : public QObject {
    Q_OBJECT

private:
    std::optional<BancEssai> m_banc;
    ImprimanteEssai* m_imprimante = nullptr;

private slots:
    void init()
    {
        m_banc.emplace();
        m_imprimante = &m_banc->imprimante(QPageSize(QPageSize::A4), QMarginsF(5, 4, 5, 4));
    }
    void cleanup() { m_banc.reset(); }

    void planches_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("debut");
        for (const QString& nom : nomsFormatsEtiquettes())
            QTest::newRow(qPrintable(nom)) << nom << 3;
        QTest::newRow("sur mesure") << QString() << 2;
    }

    // Every address starts inside its own label, the labels before the
    // first one asked for left blank, the next sheet begun when one is full.
    void planches()
    {
        QFETCH(QString, nom);
        QFETCH(int, debut);
        const FormatEtiquettes format = formatEtiquettes(nom).value_or(FormatEtiquettes{4, 10, 45, 25, 10, 12, 47, 27});
        const int nombre = format.parPlanche() - debut + 1 + 2; // two on the second sheet
        QCOMPARE(imprimerEtiquettes(format, debut, adresses(nombre)), QString());

        QCOMPARE(m_imprimante->fichiers().size(), 1);
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers()[0]);
        QVERIFY2(pdf.erreur.isEmpty(), qPrintable(pdf.erreur));
        QCOMPARE(pdf.pages.size(), 2);
        QVERIFY(qAbs(pdf.pages[0].width() - 21.0) <= kTolerance && qAbs(pdf.pages[0].height() - 29.7) <= kTolerance);
        for (int i = 0; i < nombre; ++i) {
            const int rang = debut - 1 + i;
            const int page = rang / format.parPlanche();
            const int place = rang % format.parPlanche();
            const QString premier = QStringLiteral("D%1").arg(i + 1, 2, 10, QLatin1Char('0'));
            const MotPdf* mot = pdf.trouver(premier, page);
            QVERIFY2(mot, qPrintable(premier + QStringLiteral(" absent de : ") + pdf.texte(page)));
            const double x = (format.margeGaucheMm + (place % format.colonnes) * format.pasHorizontalMm
                              + kMargeEtiquetteXMm)
                / 10.0;
            const double y = (format.margeHautMm + (place / format.colonnes) * format.pasVerticalMm
                              + kMargeEtiquetteYMm)
                / 10.0;
            QVERIFY2(qAbs(mot->boite.left() - x) <= kTolerance && qAbs(mot->boite.top() - y) <= kTolerance,
                     qPrintable(QStringLiteral("%1 à (%2, %3) au lieu de (%4, %5)")
                                    .arg(premier)
                                    .arg(mot->boite.left())
                                    .arg(mot->boite.top())
                                    .arg(x)
                                    .arg(y)));
        }
        QVERIFY(pdf.texte(0).contains(QStringLiteral("75011 PARIS")));
    }

    // An address too long even at the smallest size: named, nothing printed.
    void adresseTropLongue()
    {
        std::vector<AdresseEnveloppe> liste = adresses(2);
        liste[1].qui = QStringLiteral("destinataire n° 2 (D02 Durand)");
        liste[1].adresse1 = QStringLiteral("Zone artisanale intercommunale des Portes de la Méditerranée Nord");
        QCOMPARE(imprimerEtiquettes(*formatEtiquettes(QStringLiteral("3x11")), 1, liste),
                 QStringLiteral("Ces adresses ne tiennent pas sur une étiquette, même en 7 points : "
                                "destinataire n° 2 (D02 Durand).\nAucune étiquette n'a été imprimée."));
        QVERIFY(m_imprimante->fichiers().isEmpty());
    }
};

QTEST_MAIN(TestEtiquettes)
#include "tst_etiquettes.moc"
