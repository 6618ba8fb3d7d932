// End to end on the real printing path: the system's default printer
// through CUPS, no test seam. Needs a cups-pdf queue as the default printer
// (tools/imprimante-essai.sh makes one); it writes each job to ~/PDF, where
// the paper is read back.
#include "support/pdfmots.h"

#include "app/mdgeneral.h"
#include "output/composition.h"
#include "output/enveloppe.h"
#include "output/impressionlettre.h"
#include "platform/imprimante.h"
#include "richtext/richtextbox.h"
#include "support/basetemporaire.h"
#include "support/dialoguesscriptes.h"
#include "support/lettreessai.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

namespace {

QString dossierCupsPdf()
{
    const passwd* utilisateur = getpwuid(getuid());
    return QString::fromLocal8Bit(utilisateur ? utilisateur->pw_dir : qgetenv("HOME").constData())
        + QStringLiteral("/PDF");
}

QSet<QString> pdfPresents()
{
    const QStringList l = QDir(dossierCupsPdf()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    return QSet<QString>(l.begin(), l.end());
}

// The file the queue wrote for a job named `nom`, once complete.
QString attendrePdf(const QSet<QString>& avant, const QString& nom)
{
    QElapsedTimer chrono;
    chrono.start();
    while (chrono.elapsed() < 60000) {
        for (const QString& f : pdfPresents() - avant) {
            const QString chemin = dossierCupsPdf() + QLatin1Char('/') + f;
            if (f.startsWith(nom) && lirePdf(chemin).erreur.isEmpty())
                return chemin;
        }
        QTest::qWait(200);
    }
    return QString();
}

// The box of the ink on the first page, in pixels at 100 dots per inch
// (a pixel is a quarter of a millimetre).
QRect encre(const QString& pdf)
{
    QTemporaryDir dossier;
    const QString image = dossier.filePath(QStringLiteral("page"));
    QProcess pdftoppm;
    pdftoppm.setStandardErrorFile(QProcess::nullDevice());
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-gray"),
                    QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, image});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return QRect();
    const QImage page = QImage(image + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
    QRect boite;
    for (int y = 0; y < page.height(); ++y) {
        const uchar* ligne = page.constScanLine(y);
        for (int x = 0; x < page.width(); ++x) {
            if (ligne[x] < 128)
                boite |= QRect(x, y, 1, 1);
        }
    }
    return boite;
}

} // namespace

class TestCups : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<BaseTemporaire> m_base;
    QPageLayout m_page; // the default printer's paper and printable area

    // The ink of a job printed through CUPS lies where the same job printed
    // to a PDF file of the same paper puts it (within half a millimetre);
    // where that is has been checked on the PDF files.
    void comparerAvecPdf(const QString& cheminCups, const std::function<void()>& imprimer)
    {
        QTemporaryDir sortie;
        auto* pdf = new ImprimantePdf(sortie.path(), m_page.pageSize(), m_page.margins(QPageLayout::Millimeter));
        installerImprimantes(pdf);
        imprimer();
        const QStringList fichiers = pdf->fichiers();
        installerImprimantes(new ImprimanteParDefaut);
        QCOMPARE(fichiers.size(), 1);
        // As many words and pages (the characters themselves do not survive
        // the queue's PostScript stage).
        const ContenuPdf surPapier = lirePdf(cheminCups);
        const ContenuPdf enPdf = lirePdf(fichiers[0]);
        QCOMPARE(surPapier.pages.size(), enPdf.pages.size());
        QRect attendue = encre(fichiers[0]);
        const QRect obtenue = encre(cheminCups);
        const QSizeF papier = enPdf.pages.value(0);
        if (papier.width() > papier.height()) {
            // A landscape job (an envelope fed short edge first) comes out of
            // the queue as the portrait sheet with the text turned a quarter
            // turn anticlockwise: (x, y) -> (y, width - x). Words then read
            // letter by letter, so only the ink is compared.
            QCOMPARE(qRound(surPapier.pages.value(0).width() * 10), qRound(papier.height() * 10));
            const int largeur = qRound(papier.width() / 2.54 * 100);
            attendue = QRect(QPoint(attendue.top(), largeur - 1 - attendue.right()),
                             QPoint(attendue.bottom(), largeur - 1 - attendue.left()));
        } else {
            QCOMPARE(surPapier.mots.size(), enPdf.mots.size());
        }
        QVERIFY(!attendue.isEmpty());
        const auto pres = [](int a, int b) { return qAbs(a - b) <= 2; };
        QVERIFY2(pres(obtenue.left(), attendue.left()) && pres(obtenue.top(), attendue.top())
                     && pres(obtenue.right(), attendue.right()) && pres(obtenue.bottom(), attendue.bottom()),
                 qPrintable(QStringLiteral("encre (%1, %2)-(%3, %4) au lieu de (%5, %6)-(%7, %8) (1/100 pouce)")
                                .arg(obtenue.left())
                                .arg(obtenue.top())
                                .arg(obtenue.right())
                                .arg(obtenue.bottom())
                                .arg(attendue.left())
                                .arg(attendue.top())
                                .arg(attendue.right())
                                .arg(attendue.bottom())));
    }

private slots:
    void initTestCase()
    {
        const QPrinterInfo parDefaut = QPrinterInfo::defaultPrinter();
        if (parDefaut.isNull()) {
            if (qEnvironmentVariableIsSet("TILVO_CUPS_EXIGE"))
                QFAIL("L'imprimante d'essai devait être prête mais aucune imprimante par défaut n'est joignable.");
            QSKIP(
                "Aucun serveur CUPS joignable avec une imprimante par défaut : impression de bout en bout non essayée "
                "(tools/imprimante-essai.sh, en root, en prépare une).");
        }
        if (!parDefaut.makeAndModel().contains(QStringLiteral("CUPS-PDF"), Qt::CaseInsensitive))
            QSKIP("L'imprimante par défaut n'est pas une file cups-pdf : rien ne serait relu, essai sauté.");
        m_page = QPrinter(parDefaut, QPrinter::HighResolution).pageLayout();
        m_base = std::make_unique<BaseTemporaire>();
        installerDialoguesScriptes();
    }

    void cleanupTestCase() { m_base.reset(); }

    void lettre()
    {
        const SaisieLettre saisie = saisieComplete();
        RichTextBox txtText;
        txtText.setTextRTF(TexteLettreIndividuelle(saisie, QString()));
        const QSet<QString> avant = pdfPresents();
        ImprimerLettre({true, {}}, *txtText.document());

        const QString chemin = attendrePdf(avant, QStringLiteral("Lettre"));
        QVERIFY2(!chemin.isEmpty(), "la file cups-pdf n'a rien écrit pour la lettre");
        comparerAvecPdf(chemin, [&] { ImprimerLettre({true, {}}, *txtText.document()); });
    }

    void enveloppe()
    {
        QVERIFY(
            mdGeneral::EcrireIni(QStringLiteral("Enveloppe"), QStringLiteral("Format"), QStringLiteral("0"), QString())
                .ok());
        SaisieEnveloppe saisie;
        saisie.destinataire.titre = QStringLiteral("Madame");
        saisie.destinataire.nom = QStringLiteral("Durand");
        saisie.destinataire.prenom = QStringLiteral("Claire");
        saisie.destinataire.cp = QStringLiteral("75011");
        saisie.destinataire.ville = QStringLiteral("Paris");
        const QSet<QString> avant = pdfPresents();
        ImprimerEnveloppe(saisie);

        const QString chemin = attendrePdf(avant, QStringLiteral("Enveloppe"));
        QVERIFY2(!chemin.isEmpty(), "la file cups-pdf n'a rien écrit pour l'enveloppe");
        comparerAvecPdf(chemin, [&] { ImprimerEnveloppe(saisie); });
    }
};

QTEST_MAIN(TestCups)
#include "tst_cups.moc"
