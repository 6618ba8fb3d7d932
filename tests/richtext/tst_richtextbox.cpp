// The rich-text box as the windows use it: RTF in and out, the selection's
// format with its "mixed" state, saving, pictures and its three signals.
#include "richtext/richtextbox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

class TestRichTextBox : public QObject {
    Q_OBJECT

private slots:
    void texteRtfEtSignalChange();
    void styleDeLaSelection();
    void policeTailleCouleurDeLaSelection();
    void alignementDesParagraphes();
    void formatAuPointDeSaisie();
    void enregistrement();
    void images();
    void clicEtTouches();
    void collerDepuisUnAutreProgramme();
    void texteTapeApresUnNumeroDePage();
};

namespace {

const QString kDeuxParagraphes = QStringLiteral(
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;}"
    "\\pard\\qc\\f0\\fs22 un {\\b gras} {\\i\\f1\\fs30\\cf1 rouge}\\par\\pard\\qr deux}");

void selectionner(RichTextBox& boite, int debut, int fin)
{
    QTextCursor c = boite.textCursor();
    c.setPosition(debut);
    c.setPosition(fin, QTextCursor::KeepAnchor);
    boite.setTextCursor(c);
}

} // namespace

void TestRichTextBox::texteRtfEtSignalChange()
{
    RichTextBox boite;
    QVERIFY(!boite.isReadOnly());
    QSignalSpy change(&boite, &RichTextBox::Change);
    boite.setTextRTF(kDeuxParagraphes);
    QCOMPARE(change.count(), 1);
    QCOMPARE(boite.toPlainText(), QStringLiteral("un gras rouge\ndeux"));
    QCOMPARE(boite.longueurTexte(), 18);
    QVERIFY(!boite.textCursor().hasSelection()); // one keystroke must not replace the letter
    const QString rtf = boite.TextRTF();
    RichTextBox copie;
    copie.setTextRTF(rtf);
    QCOMPARE(copie.TextRTF(), rtf);
    QVERIFY(!boite.document()->isUndoAvailable());
}

// "No value" when the selection mixes two states, whatever the caret says.
void TestRichTextBox::styleDeLaSelection()
{
    RichTextBox boite;
    boite.setTextRTF(kDeuxParagraphes);
    selectionner(boite, 3, 7); // "gras"
    QCOMPARE(boite.SelBold(), std::optional<bool>(true));
    QCOMPARE(boite.SelItalic(), std::optional<bool>(false));
    selectionner(boite, 0, 7); // "un gras", the caret at the end in bold
    QCOMPARE(boite.SelBold(), std::nullopt);
    selectionner(boite, 7, 2); // same, selected backwards
    QCOMPARE(boite.SelBold(), std::nullopt);
    boite.setSelBold(true);
    QCOMPARE(boite.SelBold(), std::optional<bool>(true));
    boite.setSelUnderline(true);
    boite.setSelStrikeThru(true);
    boite.setSelItalic(true);
    selectionner(boite, 0, 13);
    QCOMPARE(boite.SelUnderline(), std::nullopt);
    QCOMPARE(boite.SelStrikeThru(), std::nullopt);
    QCOMPARE(boite.SelItalic(), std::nullopt);
    selectionner(boite, 2, 7);
    QCOMPARE(boite.SelUnderline(), std::optional<bool>(true));
    QCOMPARE(boite.SelStrikeThru(), std::optional<bool>(true));
    QCOMPARE(boite.SelItalic(), std::optional<bool>(true));
    boite.setSelBold(false);
    selectionner(boite, 0, 7);
    QCOMPARE(boite.SelBold(), std::optional<bool>(false));
}

void TestRichTextBox::policeTailleCouleurDeLaSelection()
{
    RichTextBox boite;
    boite.setTextRTF(kDeuxParagraphes);
    selectionner(boite, 8, 13); // "rouge"
    QCOMPARE(boite.SelFontName(), std::optional<QString>("Courier New"));
    QCOMPARE(boite.SelFontSize(), std::optional<double>(15));
    QCOMPARE(boite.SelColor(), std::optional<QColor>(QColor(255, 0, 0)));
    selectionner(boite, 0, 13);
    QCOMPARE(boite.SelFontName(), std::nullopt);
    QCOMPARE(boite.SelFontSize(), std::nullopt);
    QCOMPARE(boite.SelColor(), std::nullopt);
    boite.setSelFontName(QStringLiteral("Liberation Serif"));
    boite.setSelFontSize(9.5);
    boite.setSelColor(QColor(0, 0, 200));
    QCOMPARE(boite.SelFontName(), std::optional<QString>("Liberation Serif"));
    QCOMPARE(boite.SelFontSize(), std::optional<double>(9.5));
    QCOMPARE(boite.SelColor(), std::optional<QColor>(QColor(0, 0, 200)));
    selectionner(boite, 0, 18); // the second paragraph is still at 11 points
    QCOMPARE(boite.SelFontSize(), std::nullopt);
}

void TestRichTextBox::alignementDesParagraphes()
{
    RichTextBox boite;
    boite.setTextRTF(kDeuxParagraphes);
    selectionner(boite, 1, 1);
    QCOMPARE(boite.SelAlignment(), std::optional<int>(2));
    selectionner(boite, 15, 16);
    QCOMPARE(boite.SelAlignment(), std::optional<int>(1));
    selectionner(boite, 1, 16);
    QCOMPARE(boite.SelAlignment(), std::nullopt);
    boite.setSelAlignment(0);
    QCOMPARE(boite.SelAlignment(), std::optional<int>(0));
    selectionner(boite, 15, 15);
    QCOMPARE(boite.SelAlignment(), std::optional<int>(0));
}

// With nothing selected, a style applies to what is typed next.
void TestRichTextBox::formatAuPointDeSaisie()
{
    RichTextBox boite;
    boite.setTextRTF(QStringLiteral("{\\rtf1 ab}"));
    boite.moveCursor(QTextCursor::End);
    boite.setSelBold(true);
    boite.setSelFontSize(20);
    QCOMPARE(boite.SelBold(), std::optional<bool>(true));
    QTest::keyClicks(&boite, QStringLiteral("cd"));
    selectionner(boite, 2, 4);
    QCOMPARE(boite.SelBold(), std::optional<bool>(true));
    QCOMPARE(boite.SelFontSize(), std::optional<double>(20));
    selectionner(boite, 0, 2);
    QCOMPARE(boite.SelBold(), std::optional<bool>(false));
}

void TestRichTextBox::enregistrement()
{
    RichTextBox boite;
    boite.setTextRTF(kDeuxParagraphes);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("lettre.rtf"));
    QString raison;
    QVERIFY(boite.SaveFile(chemin, 0, &raison));
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLatin1(f.readAll()), boite.TextRTF());

    QVERIFY(!boite.SaveFile(dossier.filePath(QStringLiteral("absent/lettre.rtf")), 0, &raison));
    QVERIFY(raison.startsWith(QStringLiteral("Impossible de créer le fichier")));
    QVERIFY(!boite.SaveFile(chemin, 1, &raison));
    QVERIFY(raison.contains(QStringLiteral("Format")));
}

void TestRichTextBox::images()
{
    RichTextBox boite;
    boite.setTextRTF(QStringLiteral("{\\rtf1 ab}"));
    QString raison;
    QVERIFY(!boite.insererImage(QImage(), &raison));
    QVERIFY(!raison.isEmpty());
    QCOMPARE(boite.longueurTexte(), 2);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::green);
    selectionner(boite, 1, 1);
    QVERIFY(boite.insererImage(image));
    QCOMPARE(boite.longueurTexte(), 3);
    const QString rtf = boite.TextRTF();
    QVERIFY(rtf.contains(QStringLiteral("\\pict\\pngblip\\picw8\\pich8")));
    RichTextBox copie;
    copie.setTextRTF(rtf);
    QCOMPARE(copie.toPlainText(), QStringLiteral("a\uFFFCb"));
    QCOMPARE(copie.TextRTF(), rtf);
}

void TestRichTextBox::clicEtTouches()
{
    RichTextBox boite;
    boite.setTextRTF(QStringLiteral("{\\rtf1 ab}"));
    QSignalSpy clic(&boite, &RichTextBox::Click);
    QSignalSpy touche(&boite, &RichTextBox::KeyUp);
    QSignalSpy change(&boite, &RichTextBox::Change);
    QTest::mouseClick(boite.viewport(), Qt::LeftButton);
    QCOMPARE(clic.count(), 1);
    QTest::keyClick(&boite, Qt::Key_X);
    QTest::keyClick(&boite, Qt::Key_Left);
    QCOMPARE(touche.count(), 2);
    QCOMPARE(touche.at(0).at(0).toInt(), int(Qt::Key_X));
    QCOMPARE(touche.at(1).at(0).toInt(), int(Qt::Key_Left));
    QCOMPARE(change.count(), 1);
}

// Pasted RTF and HTML keep bold, size, colour and alignment, and take the
// font of the letter; backgrounds stay behind.
void TestRichTextBox::collerDepuisUnAutreProgramme()
{
    RichTextBox boite;
    boite.setTextRTF(QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 avant fin}"));
    selectionner(boite, 6, 6);
    auto* rtf = new QMimeData;
    rtf->setData(QStringLiteral("text/rtf"),
                 "{\\rtf1{\\fonttbl{\\f0 Calibri;}}{\\colortbl;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}"
                 "\\f0\\fs28{\\b gras}{\\cf1\\highlight2 rouge}\\par\\qc centr\\'e9 }");
    QGuiApplication::clipboard()->setMimeData(rtf);
    boite.paste();
    QCOMPARE(boite.toPlainText(), QStringLiteral("avant grasrouge\ncentré fin"));
    const auto format = [&boite](const QString& mot) {
        QTextCursor c = boite.document()->find(mot);
        return c.charFormat();
    };
    QCOMPARE(format("gras").fontWeight(), QFont::Bold);
    QCOMPARE(format("gras").fontPointSize(), 14.0);
    QCOMPARE(format("gras").property(QTextFormat::FontFamilies).toStringList(), QStringList{"Arial"});
    QCOMPARE(format("rouge").foreground().color(), QColor(Qt::red));
    QCOMPARE(format("rouge").background().style(), Qt::NoBrush);
    QCOMPARE(boite.document()->findBlockByNumber(1).blockFormat().alignment(), Qt::AlignHCenter);
    QVERIFY(!boite.TextRTF().contains(QStringLiteral("Calibri")));

    auto* html = new QMimeData;
    html->setHtml(QStringLiteral("<span style='background:yellow;font-family:Impact;font-style:italic'>web</span>"));
    QGuiApplication::clipboard()->setMimeData(html);
    boite.paste();
    QVERIFY(format("web").fontItalic());
    QCOMPARE(format("web").background().style(), Qt::NoBrush);
    QCOMPARE(format("web").property(QTextFormat::FontFamilies).toStringList(), QStringList{"Arial"});
}

// Typed after a page number, text stays text in the RTF written.
void TestRichTextBox::texteTapeApresUnNumeroDePage()
{
    RichTextBox boite;
    boite.setTextRTF(QStringLiteral("{\\rtf1 Page \\chpgn}"));
    boite.moveCursor(QTextCursor::End);
    QTest::keyClicks(&boite, QStringLiteral(" sur 2"));
    RichTextBox relue;
    relue.setTextRTF(boite.TextRTF());
    QCOMPARE(relue.toPlainText(), QStringLiteral("Page \uFFFC sur 2"));
    QCOMPARE(relue.TextRTF(), boite.TextRTF());
}

QTEST_MAIN(TestRichTextBox)
#include "tst_richtextbox.moc"
