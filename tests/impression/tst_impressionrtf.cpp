#include "impression/pdfmots.h"

#include "output/impressionrtf.h"
#include "output/impressionrtf_pages.h"
#include "platform/imprimante.h"
#include "richtext/richtextbox.h"
#include "support/dialoguesscriptes.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <climits>

namespace {

// The test printer's printable area starts 6 mm from the left edge and
// 5 mm from the top, as on a real printer.
const QMarginsF kDecalagesMm(6, 5, 6, 5);
constexpr double kTolerance = 0.05;   // cm

QString rtfDeParagraphes(const QStringList& paragraphes, const QString& separateur = QStringLiteral("\\par "))
{
    return QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\fs22 ")
           + paragraphes.join(separateur) + QStringLiteral("}");
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
    std::unique_ptr<QTemporaryDir> m_sortie;
    ImprimantePdf* m_imprimante = nullptr;

private slots:
    void init()
    {
        m_sortie = std::make_unique<QTemporaryDir>();
        m_imprimante = new ImprimantePdf(m_sortie->path(), QPageSize(QPageSize::A4), kDecalagesMm);
        installerImprimantes(m_imprimante);
    }

    void cleanup() { installerImprimantes(new ImprimanteParDefaut); }

    // Margins from the paper's edge, physical offsets subtracted; an
    // overflow ends the arithmetic.
    void rectangle()
    {
        PageImprimante page;
        page.largeurPage = 11906;
        page.hauteurPage = 16838;
        page.decalageGauche = 340;
        page.decalageHaut = 283;
        const auto r = rectangleDessin(page, 1200, 1500, 1200, 1500);
        QVERIFY(r);
        QCOMPARE(r->gauche, 860);
        QCOMPARE(r->haut, 1217);
        QCOMPARE(r->droite, 11906 - 1200 - 340);
        QCOMPARE(r->bas, 16838 - 1500 - 283);
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

    // The page loop: as many pages as the formatter needs; a page that does
    // not move on ends the job; a failed new page is a failure.
    void bouclePages()
    {
        QList<int> demandes;
        int nouvelles = 0;
        const auto nouvelle = [&] { ++nouvelles; return true; };
        const auto pagesDe = [&](int parPage) {
            return [&, parPage](int premier) { demandes << premier; return premier + parPage; };
        };

        QCOMPARE(imprimerPages(0, pagesDe(40), nouvelle), std::optional<int>(1));
        QCOMPARE(demandes, QList<int>{0});
        demandes.clear();
        QCOMPARE(imprimerPages(80, pagesDe(40), nouvelle), std::optional<int>(2));
        QCOMPARE(demandes, QList<int>({0, 40}));
        QCOMPARE(nouvelles, 1);
        demandes.clear();
        QCOMPARE(imprimerPages(81, pagesDe(40), nouvelle), std::optional<int>(3));
        QCOMPARE(demandes, QList<int>({0, 40, 80}));

        int appels = 0;
        const auto bloque = [&](int premier) { ++appels; return premier == 0 ? 10 : 10; };
        QCOMPARE(imprimerPages(100, bloque, nouvelle), std::optional<int>(2));
        QCOMPARE(appels, 2);
        QCOMPARE(imprimerPages(100, pagesDe(40), [] { return false; }), std::nullopt);
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
        QVERIFY2(qAbs(mot->boite.left() - 1200 * kCmParTwip) <= kTolerance, qPrintable(QString::number(mot->boite.left())));
        QVERIFY2(qAbs(mot->boite.top() - 1500 * kCmParTwip) <= kTolerance, qPrintable(QString::number(mot->boite.top())));
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
                     qPrintable(QStringLiteral("%1 %2 %3 %4").arg(m.texte).arg(m.boite.top()).arg(m.boite.bottom()).arg(bas)));
        }
        QCOMPARE(vus, lignes.mid(0, 80));
        QVERIFY(pdf.trouver(QStringLiteral("Ligne1"), 0));
        QVERIFY(pdf.trouver(QStringLiteral("Ligne80"), 1));
        QCOMPARE(pdf.trouver(QStringLiteral("Ligne80"), 1)->boite.top() > 1500 * kCmParTwip - kTolerance, true);
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

    // A text too long to print in one go prints under a progress window,
    // whose "Annuler" stops the job.
    void longTexteAnnule()
    {
        DialoguesScriptes& dialogues = installerDialoguesScriptes();
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
        QVERIFY(QDir(m_sortie->path()).entryList(QDir::Files).isEmpty());

        installerImprimantes(new ImprimantePdf(m_sortie->path() + QStringLiteral("/absent")));
        const Reussite imprime = ImprimerRTF(*txt.document(), 1200, 1500, 1200, 1500);
        QVERIFY(!imprime.ok());
        QVERIFY(imprime.raison().contains(QStringLiteral("absent")));
        QVERIFY(!DefinirCibleImprimante(txt, 1000, 1300).ok());
    }

    // rtfcat pdf prints a file with the letter margins through ImprimerRTF.
    void rtfcatPdf()
    {
        QFile rtf(m_sortie->filePath(QStringLiteral("lettre.rtf")));
        QVERIFY(rtf.open(QIODevice::WriteOnly));
        rtf.write(rtfDeParagraphes({QStringLiteral("Bonjour")}).toLatin1());
        rtf.close();
        const QString sortie = m_sortie->filePath(QStringLiteral("lettre.pdf"));
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

        rtfcat.start(QStringLiteral(RTFCAT), {QStringLiteral("pdf"), m_sortie->filePath(QStringLiteral("absent.rtf")), sortie});
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
        const double attendu = (largeurA4Twips - 2300) * txt.logicalDpiX() / 1440 + 2 * txt.document()->documentMargin();
        QVERIFY2(qAbs(txt.lineWrapColumnOrWidth() - attendu) <= 1, qPrintable(QString::number(txt.lineWrapColumnOrWidth())));
        QVERIFY(m_imprimante->fichiers().size() <= 1);
        QCOMPARE(DefinirCibleImprimante(txt, 6000, 6000).raison(),
                 QStringLiteral("Les marges demandées ne laissent aucune place au texte sur la page."));
    }
};

QTEST_MAIN(TestImpressionRtf)
#include "tst_impressionrtf.moc"
