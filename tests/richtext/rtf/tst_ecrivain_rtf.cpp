// Writing RTF: 7-bit output, text that comes back as typed (placeholders in
// one piece), every format we write read back the same, pictures kept.
#include "images.h"
#include "outils.h"

#include <QRegularExpression>
#include <QTest>
#include <QUrl>

using namespace essais;

class TestEcrivainRtf : public QObject {
    Q_OBJECT

private slots:
    void enTeteEtAscii();
    void champsDeFusionEnUnMorceau();
    void caracteresParticuliers();
    void formatsRelus();
    void imagesRelues();
};

namespace {

// Writes `source` and reads it back into `relu`.
QString allerRetour(const QTextDocument& source, QTextDocument& relu)
{
    const QString ecrit = rtf::ecrireRtf(source);
    rtf::lireRtf(ecrit, relu);
    return ecrit;
}

} // namespace

void TestEcrivainRtf::enTeteEtAscii()
{
    QTextDocument d;
    QTextCursor(&d).insertText(QStringLiteral("Léa € 日 😀"));
    const QString ecrit = rtf::ecrireRtf(d);
    QVERIFY(ecrit.startsWith(QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036")));
    for (const QChar c : ecrit)
        QVERIFY2(c.unicode() < 128, qPrintable(ecrit));
    QVERIFY(ecrit.contains(QStringLiteral("L\\'e9a \\'80 \\u26085?")));
    QVERIFY(ecrit.contains(QStringLiteral("\\u-10179?\\u-8704?")));
    QVERIFY(ecrit.trimmed().endsWith(u'}'));
}

// Composition and mass personalisation look for placeholders in the RTF
// text: typed one character at a time, they must still come out whole.
void TestEcrivainRtf::champsDeFusionEnUnMorceau()
{
    QTextDocument d;
    rtf::lireRtf(QString::fromLatin1(lireOctets(dossierDonneesEssai() + "/cases/modele-lettre/input.rtf")), d);
    QTextCursor c(&d);
    c.movePosition(QTextCursor::End);
    c.insertBlock();
    for (const QChar lettre : QStringLiteral("Cher <NomDest>, {voir} C:\\dossier"))
        c.insertText(QString(lettre));
    QTextCursor gras(&d);
    gras.setPosition(positionDe(d, "<PolitesseLettre>") - 2);
    gras.setPosition(positionDe(d, "<PolitesseLettre>") - 1, QTextCursor::KeepAnchor);
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    gras.mergeCharFormat(f);

    QTextDocument relu;
    const QString ecrit = allerRetour(d, relu);
    for (const char* champ : {"<TitreExp> <NomExp> <PrenomExp>", "<CorpsLettre>", "<PolitesseLettre>", "<TitreDest>,",
                              "Cher <NomDest>, \\{voir\\} C:\\\\dossier"})
        QVERIFY2(ecrit.contains(QString::fromLatin1(champ)), champ);
    QVERIFY(!ecrit.contains(QRegularExpression(QStringLiteral("<[A-Za-z0-9]*[\\n\\\\{}][A-Za-z0-9]*>"))));
    QCOMPARE(texte(relu), texte(d));
    QCOMPARE(rtf::ecrireRtf(relu), ecrit);
    QCOMPARE(ecrit.count(QStringLiteral("\\tab")), 7 * 6);
}

void TestEcrivainRtf::caracteresParticuliers()
{
    QTextDocument d;
    const QString t = QStringLiteral("a\\b{c}d\te\u2028f\u00a0g\u00adh\u2011i Œš ÿĀ x");
    QTextCursor(&d).insertText(t);
    QTextDocument relu;
    const QString ecrit = allerRetour(d, relu);
    QCOMPARE(rtf::ecrireRtf(relu), ecrit);
    QCOMPARE(texte(relu), t + u'\n');
}

// Every property the writer knows goes out and comes back.
void TestEcrivainRtf::formatsRelus()
{
    QTextDocument d;
    QTextCursor c(&d);
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Times New Roman")});
    f.setFontPointSize(13.5);
    f.setFontWeight(QFont::Bold);
    f.setFontItalic(true);
    f.setFontUnderline(true);
    f.setFontStrikeOut(true);
    f.setForeground(QColor(1, 2, 3));
    f.setBackground(QColor(250, 240, 10));
    f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    QTextBlockFormat b;
    const double px = pixelsParTwip();
    b.setAlignment(Qt::AlignHCenter);
    b.setLeftMargin(567 * px);
    b.setRightMargin(100 * px);
    b.setTextIndent(-200 * px);
    b.setTopMargin(60 * px);
    b.setBottomMargin(120 * px);
    b.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    b.setTabPositions(
        {QTextOption::Tab(1000 * px, QTextOption::RightTab), QTextOption::Tab(2000 * px, QTextOption::CenterTab)});
    c.setBlockFormat(b);
    c.insertText(QStringLiteral("tout"), f);
    QTextBlockFormat b2;
    b2.setAlignment(Qt::AlignJustify);
    b2.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    b2.setLineHeight(20 * px * 20, QTextBlockFormat::FixedHeight);
    QTextCharFormat f2;
    f2.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    c.insertBlock(b2, f2);
    c.insertText(QStringLiteral("bas"), f2);

    QTextDocument relu;
    const QString ecrit = allerRetour(d, relu);
    QCOMPARE(rtf::ecrireRtf(relu), ecrit);
    const QTextCharFormat r = formatEn(relu, 0);
    QCOMPARE(r.property(QTextFormat::FontFamilies).toStringList(),
             f.property(QTextFormat::FontFamilies).toStringList());
    QCOMPARE(r.fontPointSize(), 13.5);
    QCOMPARE(r.fontWeight(), QFont::Bold);
    QVERIFY(r.fontItalic() && r.fontUnderline() && r.fontStrikeOut());
    QCOMPARE(r.foreground().color(), QColor(1, 2, 3));
    QCOMPARE(r.background().color(), QColor(250, 240, 10));
    QCOMPARE(r.verticalAlignment(), QTextCharFormat::AlignSuperScript);
    const QTextBlockFormat rb = relu.begin().blockFormat();
    QCOMPARE(rb.alignment(), Qt::AlignHCenter);
    QCOMPARE(rb.leftMargin(), b.leftMargin());
    QCOMPARE(rb.rightMargin(), b.rightMargin());
    QCOMPARE(rb.textIndent(), b.textIndent());
    QCOMPARE(rb.topMargin(), b.topMargin());
    QCOMPARE(rb.bottomMargin(), b.bottomMargin());
    QCOMPARE(rb.lineHeight(), 150.0);
    QCOMPARE(rb.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(rb.tabPositions().size(), 2);
    QCOMPARE(rb.tabPositions().at(0).type, QTextOption::RightTab);
    QCOMPARE(rb.tabPositions().at(1).position, 2000 * px);
    const QTextBlockFormat rb2 = relu.begin().next().blockFormat();
    QCOMPARE(rb2.alignment(), Qt::AlignJustify);
    QCOMPARE(rb2.pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    QCOMPARE(rb2.lineHeightType(), int(QTextBlockFormat::FixedHeight));
    QCOMPARE(rb2.lineHeight(), 400 * px);
    QCOMPARE(formatEn(relu, 5).verticalAlignment(), QTextCharFormat::AlignSubScript);
    QCOMPARE(formatEn(relu, 5).fontWeight(), QFont::Normal);
}

void TestEcrivainRtf::imagesRelues()
{
    QImage image(5, 2, QImage::Format_ARGB32);
    image.fill(QColor(0, 0, 255, 128));
    image.setPixelColor(4, 1, QColor(255, 255, 0));
    QTextDocument d;
    QTextCursor c(&d);
    c.insertText(QStringLiteral("avant "));
    const double px = pixelsParTwip();
    c.insertImage(rtf::ajouterImage(d, image, QSizeF(1440 * px, 576 * px)));
    c.insertText(QStringLiteral(" après"));

    QTextDocument relu;
    const QString ecrit = allerRetour(d, relu);
    QVERIFY(ecrit.contains(QStringLiteral("{\\pict\\pngblip\\picw5\\pich2\\picwgoal1440\\pichgoal576")));
    QCOMPARE(texte(relu), texte(d));
    QCOMPARE(rtf::ecrireRtf(relu), ecrit);
    const QTextImageFormat f = formatEn(relu, 6).toImageFormat();
    QCOMPARE(f.width(), 1440 * px);
    QCOMPARE(f.height(), 576 * px);
    const QImage lue = relu.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
    QCOMPARE(lue.convertToFormat(QImage::Format_ARGB32), image);
}

QTEST_MAIN(TestEcrivainRtf)
#include "tst_ecrivain_rtf.moc"
