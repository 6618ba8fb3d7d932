// Reading RTF: golden cases, formatting, code pages, nested documents,
// pictures and what the reader does with text that is not RTF.
#include "outils.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QTextLayout>
#include <QUrl>

using namespace essais;

class TestLecteurRtf : public QObject {
    Q_OBJECT

private slots:
    void casDores_data();
    void casDores();
    void formatsDesCaracteres();
    void formatsDesParagraphes();
    void tabulationsDuModeleDeLettre();
    void documentImbriqueGardeSesTables();
    void images_data();
    void images();
    void texteQuiNEstPasDuRtf();
    void chargementSansHistorique();
    void decodageDuFichier();
};

void TestLecteurRtf::casDores_data()
{
    QTest::addColumn<QString>("dossier");
    const QDir cas(dossierDonneesEssai() + "/cases");
    const QStringList noms = cas.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY(noms.size() >= 6);
    for (const QString& nom : noms)
        QTest::newRow(qPrintable(nom)) << cas.filePath(nom);
}

// The text read, then the round trip: what we write reads to the same text
// and writes again to the same RTF.
void TestLecteurRtf::casDores()
{
    QFETCH(QString, dossier);
    QTextDocument document;
    QString erreur;
    QVERIFY(rtf::lireRtf(rtf::decoderFichier(lireOctets(dossier + "/input.rtf")), document, &erreur));
    QCOMPARE(texte(document), QString::fromUtf8(lireOctets(dossier + "/expected.txt")));

    const QString ecrit = rtf::ecrireRtf(document);
    QTextDocument relu;
    QVERIFY(rtf::lireRtf(ecrit, relu));
    QCOMPARE(texte(relu), texte(document));
    QCOMPARE(rtf::ecrireRtf(relu), ecrit);
}

void TestLecteurRtf::formatsDesCaracteres()
{
    QTextDocument d;
    rtf::lireRtf(rtf::decoderFichier(lireOctets(dossierDonneesEssai() + "/cases/wordpad/input.rtf")), d);
    const auto f = [&d](const QString& mot) { return formatEn(d, positionDe(d, mot)); };
    QCOMPARE(f("Premi").fontWeight(), QFont::Normal);
    QCOMPARE(f("Premi").property(QTextFormat::FontFamilies).toStringList(), QStringList{"Arial"});
    QCOMPARE(f("Premi").fontPointSize(), 11.0);
    QCOMPARE(f("en gras").fontWeight(), QFont::Bold);
    QVERIFY(f("italique").fontItalic());
    QVERIFY(!f("italique").fontUnderline());
    QVERIFY(f("soulign").fontUnderline());
    QVERIFY(f("barr").fontStrikeOut());
    QCOMPARE(f("Titre").property(QTextFormat::FontFamilies).toStringList(), QStringList{"Times New Roman"});
    QCOMPARE(f("Titre").fontPointSize(), 14.0);
    QCOMPARE(f("Titre").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(f("droite").foreground().color(), QColor(0, 128, 0));
    QCOMPARE(f("Retrait").foreground().style(), Qt::NoBrush); // \cf0: automatic colour
    QCOMPARE(f("2 H").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(f("2O").verticalAlignment(), QTextCharFormat::AlignSubScript);
    QCOMPARE(f("O ").verticalAlignment(), QTextCharFormat::AlignNormal);
    QCOMPARE(f("surlign").background().color(), QColor(255, 0, 0));
    QCOMPARE(f("surlign").fontPointSize(), 10.0);

    // A size of 0 or half a point is the smallest size, never 0.
    QTextDocument petit;
    rtf::lireRtf(QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\fs0 a\\fs1 b}"), petit);
    QCOMPARE(formatEn(petit, 0).fontPointSize(), 1.0);
    QCOMPARE(formatEn(petit, 1).fontPointSize(), 1.0);
}

void TestLecteurRtf::formatsDesParagraphes()
{
    QTextDocument d;
    rtf::lireRtf(rtf::decoderFichier(lireOctets(dossierDonneesEssai() + "/cases/wordpad/input.rtf")), d);
    const double px = pixelsParTwip();
    const QTextBlockFormat premier = d.findBlockByNumber(0).blockFormat();
    QCOMPARE(premier.bottomMargin(), 200 * px);
    QCOMPARE(premier.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(premier.lineHeight(), 115.0);
    QVERIFY(premier.alignment() & Qt::AlignLeft);
    QCOMPARE(d.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignHCenter);
    QVERIFY(d.findBlockByNumber(2).blockFormat().alignment() & Qt::AlignRight);
    const QTextBlockFormat retrait = d.findBlockByNumber(3).blockFormat();
    QCOMPARE(retrait.leftMargin(), 720 * px);
    QCOMPARE(retrait.rightMargin(), 360 * px);
    QCOMPARE(retrait.textIndent(), -360 * px);
    QCOMPARE(retrait.bottomMargin(), 0.0); // \pard starts afresh
    const QList<QTextOption::Tab> tabs = retrait.tabPositions();
    QCOMPARE(tabs.size(), 2);
    QCOMPARE(tabs[0].position, 1440 * px);
    QCOMPARE(tabs[0].type, QTextOption::LeftTab);
    QCOMPARE(tabs[1].position, 5040 * px);
    QCOMPARE(tabs[1].type, QTextOption::RightTab);

    QTextDocument page;
    rtf::lireRtf(R"({\rtf1 un\page deux\par\pard\pagebb trois\par\pard\sl-300 quatre\par\pard\sl300 cinq})", page);
    QCOMPARE(page.findBlockByNumber(0).blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
    QCOMPARE(page.findBlockByNumber(1).blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    QCOMPARE(page.findBlockByNumber(2).blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    QCOMPARE(page.findBlockByNumber(3).blockFormat().lineHeightType(), int(QTextBlockFormat::FixedHeight));
    QCOMPARE(page.findBlockByNumber(3).blockFormat().lineHeight(), 300 * px);
    QCOMPARE(page.findBlockByNumber(4).blockFormat().lineHeightType(), int(QTextBlockFormat::MinimumHeight));
}

// Seven default tabs (720 twips each) put the recipient block 5040 twips
// from the margin; \deftab changes the step.
void TestLecteurRtf::tabulationsDuModeleDeLettre()
{
    QTextDocument d;
    rtf::lireRtf(QString::fromLatin1(lireOctets(dossierDonneesEssai() + "/cases/modele-lettre/input.rtf")), d);
    const double px = pixelsParTwip();
    QCOMPARE(d.defaultTextOption().tabStopDistance(), 720 * px);
    d.setTextWidth(800);
    d.documentLayout()->documentSize();
    const QTextBlock destinataire = d.findBlockByNumber(6);
    QVERIFY(destinataire.text().startsWith(QString(7, u'\t') + "<TitreDest>"));
    const QTextLine ligne = destinataire.layout()->lineAt(0);
    QCOMPARE(qRound(ligne.cursorToX(7) - ligne.x()), qRound(5040 * px));

    QTextDocument autre;
    rtf::lireRtf(R"({\rtf1\deftab1134 a\tab b})", autre);
    QCOMPARE(autre.defaultTextOption().tabStopDistance(), 1134 * px);

    // After a list's bullet, a hanging indent's tab goes to the indent.
    QTextDocument liste;
    rtf::lireRtf(R"({\rtf1\pard\li720\fi-360 \bullet\tab Lait\par})", liste);
    liste.setTextWidth(800);
    liste.documentLayout()->documentSize();
    const QTextLine puce = liste.begin().layout()->lineAt(0);
    QCOMPARE(qRound(puce.cursorToX(2)), qRound(720 * px));
}

// A model body is a whole document inside the letter: its fonts and colours
// hold inside its group only.
void TestLecteurRtf::documentImbriqueGardeSesTables()
{
    QTextDocument d;
    rtf::lireRtf(rtf::decoderFichier(lireOctets(dossierDonneesEssai() + "/cases/lettre-avec-corps/input.rtf")), d);
    const auto f = [&d](const QString& mot) { return formatEn(d, positionDe(d, mot)); };
    const auto famille = [](const QTextCharFormat& c) {
        return c.property(QTextFormat::FontFamilies).toStringList().value(0);
    };
    QCOMPARE(famille(f("Objet du corps")), "Times New Roman");
    QCOMPARE(f("Objet du corps").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(d.findBlock(positionDe(d, "Objet du corps")).blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(famille(f("Bleu")), "Arial");
    QCOMPARE(f("Bleu").foreground().color(), QColor(0, 0, 255));
    QCOMPARE(f("Bleu").fontPointSize(), 11.0);
    QCOMPARE(famille(f("Veuillez")), "Arial");
}

namespace {

QByteArray enPng(const QImage& image, const char* format = "PNG")
{
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    image.save(&tampon, format);
    return octets;
}

QImage imageEssai()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    image.setPixelColor(1, 1, Qt::red);
    return image;
}

} // namespace

void TestLecteurRtf::images_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<bool>("image");
    QTest::addColumn<double>("largeurTwips");
    const QByteArray png = enPng(imageEssai());
    const QByteArray hexa = png.toHex();
    const QByteArray jpeg = enPng(imageEssai(), "JPEG").toHex();
    QTest::newRow("png en hexa") << "{\\rtf1 avant{\\pict\\pngblip\\picw4\\pich3\\picwgoal600\\pichgoal450\n" + hexa
            + "}apres}" << true << 600.0;
    QTest::newRow("png en binaire") << "{\\rtf1 avant{\\pict\\pngblip\\picwgoal600\\pichgoal450\\bin"
            + QByteArray::number(png.size()) + " " + png
            + "}apres}" << true << 600.0;
    QTest::newRow("jpeg a l'echelle")
        << "{\\rtf1 avant{\\pict\\jpegblip\\picwgoal600\\pichgoal450\\picscalex50\\picscaley50 " + jpeg + "}apres}"
        << true << 300.0;
    QTest::newRow("dans shppict") << "{\\rtf1 avant{\\*\\shppict{\\pict\\pngblip\\picwgoal600\\pichgoal450 " + hexa
            + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}apres}"
                                  << true << 600.0;
    QTest::newRow("sans taille voulue") << "{\\rtf1 avant{\\pict\\pngblip " + hexa + "}apres}" << true << 60.0;
    QTest::newRow("metafichier") << QByteArray("{\\rtf1 avant{\\pict\\wmetafile8\\picw100\\pich100 0102030405}apres}")
                                 << false << 0.0;
    QTest::newRow("hexa impair") << "{\\rtf1 avant{\\pict\\pngblip " + hexa + "0}apres}" << false << 0.0;
    QTest::newRow("pas de l'hexa") << "{\\rtf1 avant{\\pict\\pngblip " + hexa + "zz}apres}" << false << 0.0;
    QTest::newRow("donnees tronquees") << "{\\rtf1 avant{\\pict\\pngblip " + hexa.left(40) + "}apres}" << false << 0.0;
    QTest::newRow("taille demesuree") << "{\\rtf1 avant{\\pict\\pngblip\\picw2147483647\\pich2147483647"
                                         "\\picwgoal2147483647\\pichgoal2147483647\\picscalex2147483647 "
            + hexa + "}apres}" << true << 60.0;
}

void TestLecteurRtf::images()
{
    QFETCH(QByteArray, rtf);
    QFETCH(bool, image);
    QFETCH(double, largeurTwips);
    QTextDocument d;
    QVERIFY(rtf::lireRtf(rtf::decoderFichier(rtf), d));
    const QString attendu = image ? QStringLiteral("avant\uFFFCapres\n") : QStringLiteral("avantapres\n");
    QCOMPARE(texte(d), attendu);
    if (!image)
        return;
    const QTextImageFormat format = formatEn(d, 5).toImageFormat();
    QVERIFY(format.isValid());
    QCOMPARE(qRound(format.width() / pixelsParTwip()), qRound(largeurTwips));
    const QImage lue = d.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
    QCOMPARE(lue.size(), QSize(4, 3));
}

// Plain text given where RTF is expected is shown as it is, with a French
// explanation; nothing given means an empty document.
void TestLecteurRtf::texteQuiNEstPasDuRtf()
{
    QTextDocument d;
    QString erreur;
    QVERIFY(!rtf::lireRtf(QStringLiteral("Bonjour {Madame}\nSuite"), d, &erreur));
    QCOMPARE(texte(d), QStringLiteral("Bonjour {Madame}\nSuite\n"));
    QVERIFY(erreur.contains(QStringLiteral("RTF")));

    QVERIFY(rtf::lireRtf(QStringLiteral("  \n"), d, &erreur));
    QVERIFY(d.isEmpty());
    QVERIFY(rtf::lireRtf(QStringLiteral("\n {\\rtf1 x}"), d));
    QCOMPARE(texte(d), QStringLiteral("x\n"));
}

void TestLecteurRtf::chargementSansHistorique()
{
    QTextDocument d;
    QTextCursor(&d).insertText(QStringLiteral("ancien"));
    QVERIFY(d.isUndoAvailable());
    rtf::lireRtf(QStringLiteral("{\\rtf1 nouveau}"), d);
    QCOMPARE(texte(d), QStringLiteral("nouveau\n"));
    QVERIFY(!d.isUndoAvailable());
    QVERIFY(d.isUndoRedoEnabled());
    QVERIFY(!d.isModified());
}

// Bytes above 127 are read in the declared code page; \bin data passes
// through byte for byte.
void TestLecteurRtf::decodageDuFichier()
{
    QCOMPARE(rtf::decoderFichier("{\\rtf1\\ansi caf\xe9 \x80}"), QStringLiteral("{\\rtf1\\ansi café €}"));
    QCOMPARE(rtf::decoderFichier("{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0}"),
             QStringLiteral("{\\rtf1\\ansi\\ansicpg1251 Пр}"));
    const QByteArray binaire("{\\rtf1\\bin4 \x81\x00\xe9}x}", 18);
    const QString lu = rtf::decoderFichier(binaire);
    QCOMPARE(lu.size(), 18);
    QCOMPARE(lu.mid(12, 4), QString::fromUtf16(u"\u0081\u0000é}", 4));
    QCOMPARE(rtf::decoderFichier("\\binfsxn1 \xe9"), QStringLiteral("\\binfsxn1 é"));

    // The bullet of a list written in a Symbol font.
    QTextDocument d;
    rtf::lireRtf(QStringLiteral(
                     "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}{\\listtext\\f1\\'b7\\tab}Point \\'b7}"),
                 d);
    QCOMPARE(texte(d), QStringLiteral("•\tPoint ·\n"));
}

QTEST_MAIN(TestLecteurRtf)
#include "tst_lecteur_rtf.moc"
