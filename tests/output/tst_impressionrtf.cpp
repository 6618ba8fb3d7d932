#include "support/pdfmots.h"

#include "output/apercu.h"
#include "output/impressionrtf.h"
#include "output/impressionrtf_pages.h"
#include "output/pagelettre.h"
#include "platform/imprimante.h"
#include "richtext/richtextbox.h"
#include "support/banc.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>

namespace {

// The test printer's printable area starts 6 mm from the left edge and
// 5 mm from the top, as on a real printer.
const QMarginsF kDecalagesMm(6, 5, 6, 5);
constexpr double kTolerance = 0.05; // cm

QString rtfDeParagraphes(const QStringList& paragraphes, const QString& separateur = QStringLiteral("\\par "))
{
    return QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\fs22 ") + paragraphes.join(separateur)
        + QStringLiteral("}");
}

QStringList numerotees(const QString& prefixe, int nombre)
{
    QStringList lignes;
    for (int i = 1; i <= nombre; ++i)
        lignes << prefixe + QString::number(i);
    return lignes;
}

} // namespace

class TestImpressionRtf : public QObject {
    Q_OBJECT

private:
    std::optional<BancEssai> m_banc;
    ImprimanteEssai* m_imprimante = nullptr;

private slots:
    void init()
    {
        m_banc.emplace();
        m_imprimante = &m_banc->imprimante(QPageSize(QPageSize::A4), kDecalagesMm);
    }

    void cleanup() { m_banc.reset(); }

    // Margins past the integer range end the arithmetic (the margins
    // themselves are measured on paper below).
    void rectangleHorsLimites()
    {
        PageImprimante page;
        page.largeurPage = 11906;
        page.hauteurPage = 16838;
        page.decalageGauche = 340;
        page.decalageHaut = 283;
        QVERIFY(rectangleDessin(page, 1200, 1500, 1200, 1500));
        QVERIFY(!rectangleDessin(page, INT_MIN, 1500, 1200, 1500));
        QVERIFY(!rectangleDessin(page, 1200, 1500, INT_MIN + 1, 1500));
        page.decalageHaut = INT_MIN;
        QVERIFY(!rectangleDessin(page, 1200, 1500, 1200, 1500));
    }

    void twipsArrondis()
    {
        QCOMPARE(pixelsEnTwips(2.5, 1440), 2);
        QCOMPARE(pixelsEnTwips(3.5, 1440), 4);
        QCOMPARE(pixelsEnTwips(300, 1200), 360);
        QCOMPARE(pixelsEnTwips(10.4, 1440), 10);
    }

    // The page loop (page counts are checked on paper below): a page that
    // does not move on ends the job; a failed new page is a failure.
    void bouclePages()
    {
        const auto nouvelle = [] { return true; };
        int appels = 0;
        const auto bloque = [&](int) {
            ++appels;
            return 10;
        };
        QCOMPARE(imprimerPages(100, bloque, nouvelle), std::optional<int>(2));
        QCOMPARE(appels, 2);
        const auto parQuarante = [](int premier) { return premier + 40; };
        QCOMPARE(imprimerPages(100, parQuarante, [] { return false; }), std::nullopt);
    }

    void texteCourtAuxMarges()
    {
        RichTextBox txt;
        txt.setTextRTF(rtfDeParagraphes({QStringLiteral("Bonjour Madame")}));
        const QString avant = txt.TextRTF();
        const Reussite imprime = ImprimerRTF(*txt.document(), 1200, 1500, 1200, 1500);
        QVERIFY2(imprime.ok(), qPrintable(imprime.raison()));
        QCOMPARE(txt.TextRTF(), avant);

        QCOMPARE(m_imprimante->fichiers().size(), 1);
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers()[0]);
        QVERIFY2(pdf.erreur.isEmpty(), qPrintable(pdf.erreur));
        QCOMPARE(pdf.pages.size(), 1);
        const MotPdf* mot = pdf.trouver(QStringLiteral("Bonjour"));
        QVERIFY(mot);
        QVERIFY2(qAbs(mot->boite.left() - 1200 * kCmParTwip) <= kTolerance,
                 qPrintable(QString::number(mot->boite.left())));
        QVERIFY2(qAbs(mot->boite.top() - 1500 * kCmParTwip) <= kTolerance,
                 qPrintable(QString::number(mot->boite.top())));
    }

    void texteVideUnePageBlanche()
    {
        RichTextBox txt;
        QVERIFY(ImprimerRTF(*txt.document(), 1200, 1500, 1200, 1500).ok());
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers().value(0));
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(pdf.mots.isEmpty());
    }

    // Lines run over to the next page, none lost nor printed twice, each
    // page's text inside the margins; lines wrap at the right margin.
    void plusieursPages()
    {
        QStringList lignes;
        for (int i = 1; i <= 80; ++i)
            lignes << QStringLiteral("Ligne%1").arg(i);
        lignes << QString(60, QLatin1Char('x')).replace(QStringLiteral("xxxxx"), QStringLiteral("mot "));
        RichTextBox txt;
        txt.setTextRTF(rtfDeParagraphes(lignes));
        QVERIFY(ImprimerRTF(*txt.document(), 1200, 1500, 1200, 1500).ok());

        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers().value(0));
        QCOMPARE(pdf.pages.size(), 2);
        QStringList vus;
        const double droite = pdf.pages[0].width() - 1200 * kCmParTwip;
        const double bas = pdf.pages[0].height() - 1500 * kCmParTwip;
        for (const MotPdf& m : pdf.mots) {
            if (m.texte.startsWith(QLatin1String("Ligne")))
                vus << m.texte;
            QVERIFY2(m.boite.left() >= 1200 * kCmParTwip - kTolerance && m.boite.right() <= droite + kTolerance,
                     qPrintable(m.texte));
            QVERIFY2(m.boite.top() >= 1500 * kCmParTwip - kTolerance && m.boite.bottom() <= bas + kTolerance,
                     qPrintable(
                         QStringLiteral("%1 %2 %3 %4").arg(m.texte).arg(m.boite.top()).arg(m.boite.bottom()).arg(bas)));
        }
        QCOMPARE(vus, lignes.mid(0, 80));
        QVERIFY(pdf.trouver(QStringLiteral("Ligne1"), 0));
        QVERIFY(pdf.trouver(QStringLiteral("Ligne80"), 1));
        QCOMPARE(pdf.trouver(QStringLiteral("Ligne80"), 1)->boite.top() > 1500 * kCmParTwip - kTolerance, true);
    }

    // The preview draws what prints: its pages, put on paper by the
    // preview's own printer, hold the same words at the same places.
    void apercuCommeImprime()
    {
        QStringList paragraphes = numerotees(QStringLiteral("Paragraphe "), 90);
        paragraphes[3] = QStringLiteral("\\qc\\b Centr\\'e9 en gras\\b0\\par\\pard\\li720 Retrait d'un demi-pouce");
        RichTextBox txt;
        txt.setTextRTF(rtfDeParagraphes(paragraphes));
        QVERIFY(ImprimerRTF(*txt.document(), kMargeGaucheLettre, kMargeHautLettre, kMargeDroiteLettre, kMargeBasLettre)
                    .ok());

        std::vector<LettreApercu> lettres;
        lettres.push_back({std::unique_ptr<QTextDocument>(txt.document()->clone()), QString()});
        QString raison;
        const auto apercu = ApercuLettres::creer(std::move(lettres), raison);
        QVERIFY2(apercu, qPrintable(raison));
        const QString chemin = QDir(m_banc->dossierPapier()).filePath(QStringLiteral("apercu.pdf"));
        apercu->imprimante().setOutputFileName(chemin);
        {
            QPainter peintre(&apercu->imprimante());
            apercu->dessiner(peintre, true);
        }
        const ContenuPdf imprime = lirePdf(m_imprimante->fichiers().value(0));
        QVERIFY(imprime.pages.size() > 1);
        QCOMPARE(apercu->nombrePages(), imprime.pages.size());
        QCOMPARE(differenceMots(lirePdf(chemin), imprime, 0.01), QString());
    }

    // A text that fills exactly two pages gives two pages, not three.
    void exactementDeuxPages()
    {
        RichTextBox txt;
        QStringList lignes{QStringLiteral("L1")};
        txt.setTextRTF(rtfDeParagraphes(lignes));
        // Grow the text line by line until it needs two pages, then until
        // just before a third.
        int pages = 1;
        while (pages < 3) {
            lignes << QStringLiteral("L%1").arg(lignes.size() + 1);
            txt.setTextRTF(rtfDeParagraphes(lignes));
            QVERIFY(ImprimerRTF(*txt.document(), 1200, 1500, 1200, 1500).ok());
            pages = int(lirePdf(m_imprimante->fichiers().last()).pages.size());
            if (pages == 3)
                break;
            QVERIFY(lignes.size() < 400);
        }
        const QString deuxPages = m_imprimante->fichiers()[m_imprimante->fichiers().size() - 2];
        const ContenuPdf pdf = lirePdf(deuxPages);
        QCOMPARE(pdf.pages.size(), 2);
        QVERIFY(pdf.trouver(QStringLiteral("L%1").arg(lignes.size() - 1), 1));
    }

    // However long the text, every line is printed once, on one page, in
    // order: the first line of a page is not also at the bottom of the one
    // before.
    void longTexteSansLigneRepetee()
    {
        const QStringList lignes = numerotees(QStringLiteral("L"), 11000);
        RichTextBox txt;
        txt.setTextRTF(rtfDeParagraphes(lignes));
        QVERIFY(ImprimerRTF(*txt.document(), 1200, 1500, 1200, 1500).ok());
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers().value(0));
        QVERIFY2(pdf.pages.size() >= 200, qPrintable(QString::number(pdf.pages.size())));
        QStringList vus;
        for (const MotPdf& m : pdf.mots)
            vus << m.texte;
        QCOMPARE(vus, lignes);
    }

    // The text layout used to stall for minutes past some 70,000 lines alike
    // (empty paragraphs, one word repeated): they print, every page holding
    // its lines.
    void longTexteDeLignesPareilles()
    {
        RichTextBox txt;
        txt.setTextRTF(QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ")
                       + QStringLiteral("a\\par ").repeated(74999) + QStringLiteral("a}"));
        QVERIFY(ImprimerRTF(*txt.document(), 1200, 1500, 1200, 1500).ok());
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers().value(0));
        QCOMPARE(pdf.mots.size(), 75000);
        QVERIFY(!pdf.texte(int(pdf.pages.size()) - 1).isEmpty());
    }

    // 5,000 pages, one paragraph each: none blank, none missing.
    void cinqMillePages()
    {
        const QStringList pages = numerotees(QStringLiteral("P"), 5000);
        RichTextBox txt;
        txt.setTextRTF(rtfDeParagraphes(pages, QStringLiteral("\\page ")));
        QVERIFY(ImprimerRTF(*txt.document(), 1200, 1500, 1200, 1500).ok());
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers().value(0));
        QCOMPARE(pdf.pages.size(), 5000);
        for (int p = 0; p < 5000; ++p)
            QCOMPARE(pdf.texte(p), pages[p]);
    }

    // \chpgn prints the number of the page it lands on.
    void numerosDePage()
    {
        RichTextBox txt;
        txt.setTextRTF(
            rtfDeParagraphes(QStringList(12, QStringLiteral("Page \\chpgn  sur 12")), QStringLiteral("\\page ")));
        QVERIFY(ImprimerRTF(*txt.document(), 1200, 1500, 1200, 1500).ok());
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers().value(0));
        QCOMPARE(pdf.pages.size(), 12);
        for (int p = 0; p < 12; ++p)
            QCOMPARE(pdf.texte(p), QStringLiteral("Page %1 sur 12").arg(p + 1));
    }

    // A text too long to print in one go prints under a progress window,
    // whose "Annuler" stops the job.
    void longTexteAnnule()
    {
        DialoguesScriptes& dialogues = m_banc->dialogues;
        dialogues.arreterApres = 10; // percent
        RichTextBox txt;
        txt.setTextRTF(rtfDeParagraphes(numerotees(QString(400, u'x') + u' ', kCaracteresDUnTrait / 400)));
        QCOMPARE(ImprimerRTF(*txt.document(), 1200, 1500, 1200, 1500).raison(), QStringLiteral("Impression annulée."));
        QCOMPARE(dialogues.progressions.first(), QStringLiteral("début: Impression (100)"));
        QCOMPARE(dialogues.progressions.last(), QStringLiteral("fin"));
        QVERIFY(!QFile::exists(m_imprimante->fichiers().value(0)));
    }

    // A picture taller than a page does not hold the job up: what does not
    // fit on its page is cut, and the text after it comes on the next page
    // that has text.
    void imageTropHaute()
    {
        RichTextBox txt;
        txt.setTextRTF(rtfDeParagraphes({QStringLiteral("Avant")}));
        txt.moveCursor(QTextCursor::End);
        txt.textCursor().insertBlock();
        QImage image(200, 2000, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QVERIFY(txt.insererImage(image));
        txt.moveCursor(QTextCursor::End);
        txt.textCursor().insertText(QStringLiteral("\nApres"));
        QVERIFY(ImprimerRTF(*txt.document(), 1200, 1500, 1200, 1500).ok());
        const ContenuPdf pdf = lirePdf(m_imprimante->fichiers().value(0));
        QCOMPARE(pdf.pages.size(), 2);
        QVERIFY(pdf.trouver(QStringLiteral("Avant"), 0));
        QVERIFY(pdf.trouver(QStringLiteral("Apres"), int(pdf.pages.size()) - 1));
    }

    void refus()
    {
        RichTextBox txt;
        txt.setPlainText(QStringLiteral("texte"));
        QCOMPARE(ImprimerRTF(*txt.document(), 6000, 1500, 6000, 1500).raison(),
                 QStringLiteral("Les marges demandées ne laissent aucune place au texte sur la page."));
        QCOMPARE(ImprimerRTF(*txt.document(), INT_MIN, 1500, 1200, 1500).raison(),
                 QStringLiteral("Les marges demandées dépassent les dimensions de la page."));
        QVERIFY(QDir(m_banc->dossierPapier()).entryList(QDir::Files).isEmpty());

        installerImprimantes(new ImprimantePdf(m_banc->dossierPapier() + QStringLiteral("/absent")));
        const Reussite imprime = ImprimerRTF(*txt.document(), 1200, 1500, 1200, 1500);
        QVERIFY(!imprime.ok());
        QVERIFY(imprime.raison().contains(QStringLiteral("absent")));
        QVERIFY(!DefinirCibleImprimante(txt, 1000, 1300).ok());
    }

    // rtfcat pdf prints a file with the letter margins through ImprimerRTF.
    void rtfcatPdf()
    {
        QFile rtf(m_banc->dossierPapier() + QStringLiteral("/lettre.rtf"));
        QVERIFY(rtf.open(QIODevice::WriteOnly));
        rtf.write(rtfDeParagraphes({QStringLiteral("Bonjour")}).toLatin1());
        rtf.close();
        const QString sortie = m_banc->dossierPapier() + QStringLiteral("/lettre.pdf");
        QProcess rtfcat;
        rtfcat.start(QStringLiteral(RTFCAT), {QStringLiteral("pdf"), rtf.fileName(), sortie});
        QVERIFY(rtfcat.waitForFinished(60000));
        QCOMPARE(rtfcat.exitCode(), 0);
        const ContenuPdf pdf = lirePdf(sortie);
        QCOMPARE(pdf.pages.size(), 1);
        const MotPdf* mot = pdf.trouver(QStringLiteral("Bonjour"));
        QVERIFY(mot);
        QVERIFY(qAbs(mot->boite.left() - 1200 * kCmParTwip) <= kTolerance);
        QVERIFY(qAbs(mot->boite.top() - 1500 * kCmParTwip) <= kTolerance);

        rtfcat.start(QStringLiteral(RTFCAT),
                     {QStringLiteral("pdf"), m_banc->dossierPapier() + QStringLiteral("/absent.rtf"), sortie});
        QVERIFY(rtfcat.waitForFinished(60000));
        QCOMPARE(rtfcat.exitCode(), 1);
        QVERIFY(QString::fromLocal8Bit(rtfcat.readAllStandardError()).contains(QStringLiteral("absent.rtf")));
    }

    // The editor's lines are page width - 2300 twips long.
    void cibleImprimante()
    {
        RichTextBox txt;
        const Reussite cible = DefinirCibleImprimante(txt, 1000, 1300);
        QVERIFY2(cible.ok(), qPrintable(cible.raison()));
        QCOMPARE(txt.lineWrapMode(), QTextEdit::FixedPixelWidth);
        const double largeurA4Twips = 210 / 25.4 * 1440;
        const double attendu = (largeurA4Twips - 2300) * txt.logicalDpiX() / 1440
            + 2 * txt.document()->documentMargin();
        QVERIFY2(qAbs(txt.lineWrapColumnOrWidth() - attendu) <= 1,
                 qPrintable(QString::number(txt.lineWrapColumnOrWidth())));
        QVERIFY(m_imprimante->fichiers().size() <= 1);
        QCOMPARE(DefinirCibleImprimante(txt, 6000, 6000).raison(),
                 QStringLiteral("Les marges demandées ne laissent aucune place au texte sur la page."));
    }
};

QTEST_MAIN(TestImpressionRtf)
#include "tst_impressionrtf.moc"
