// Hostile or broken RTF: the reader must finish, keep the text it can, and
// not exhaust memory or the stack. Inputs that once crashed the fuzzer are
// replayed from fuzz/.
#include "outils.h"

#include <QDirIterator>
#include <QTest>

using namespace essais;

class TestRobustesseRtf : public QObject {
    Q_OBJECT

private slots:
    void entreesHostiles_data();
    void entreesHostiles();
    void entreesDuFuzzer_data();
    void entreesDuFuzzer();
};

namespace {

QString repete(const QString& motif, int fois)
{
    return motif.repeated(fois);
}

} // namespace

void TestRobustesseRtf::entreesHostiles_data()
{
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<QString>("attendu"); // the whole text, one line per paragraph

    const QString debut = QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}");
    QTest::newRow("100000 groupes imbriques") << debut + repete("{", 100000) + "fond" + repete("}", 100000) + " fin}"
                                              << "fond fin\n";
    QTest::newRow("coupe dans un mot de controle") << debut + "abc\\pa"
                                                   << "abc\n";
    QTest::newRow("barre oblique finale") << debut + "abc\\"
                                          << "abc\n";
    QTest::newRow("texte apres l accolade finale") << debut + "a}}b{\\b c}}d}"
                                                   << "a\n";
    QTest::newRow("mot de 100000 lettres") << debut + "a\\" + repete("x", 100000) + " b}"
                                           << "ab\n";
    QTest::newRow("taille demesuree") << debut + "\\fs99999999999999999999 a\\fs-5 b}"
                                      << "ab\n";
    QTest::newRow("retraits extremes") << debut + "\\li-2147483648\\ri2147483647\\fi-99999999999 a\\par}"
                                       << "a\n\n";
    QTest::newRow("polices absentes") << debut + "\\f-1 a\\f999 b\\f2147483647 c}"
                                      << "abc\n";
    QTest::newRow("bin enorme") << debut + "a\\bin999999999 xyz"
                                << "a\n";
    QTest::newRow("bin negatif") << debut + "a\\bin-5 b}"
                                 << "ab\n";
    QTest::newRow("uc enorme") << debut + "{\\uc99999\\u233 ?abc} fin}" << QString::fromUtf16(u"é fin\n");
    QTest::newRow("saut borne au groupe") << debut + "{\\uc2\\u233}xy}" << QString::fromUtf16(u"éxy\n");
    QTest::newRow("unicode hors limites")
        << debut + "\\u99999999?\\u-99999?a}" << QString::fromUtf16(u"\ufffd\ufffda\n");
    QTest::newRow("hexa invalide et final") << debut + "a\\'zz b\\'"
                                            << "azz b\n";
    QTest::newRow("32000 polices") << "{\\rtf1{\\fonttbl" +
            [] {
                QString t;
                for (int i = 0; i < 32000; ++i)
                    t += QStringLiteral("{\\f%1 Police %1;}").arg(i);
                return t;
            }()
            + "}\\f31999 x}"
                                   << "x\n";
    QTest::newRow("nom de police de 10 Ko") << "{\\rtf1{\\fonttbl{\\f0 " + repete("N", 10240) + ";}}\\f0 x}"
                                            << "x\n";
    QTest::newRow("un million de par") << debut + repete("\\par", 250000) + "}" << repete("\n", 250001);
    QTest::newRow("200000 bascules de gras")
        << debut + repete("\\b x\\b0 y", 200000) + "}" << repete("xy", 200000) + "\n";
    QTest::newRow("tableaux imbriques 200 fois") << debut
            + repete("\\itap200\\intbl a\\nestcell{\\*\\nesttableprops\\trowd\\cellx100\\nestrow}", 200)
            + "\\cell\\row fin}" << repete("a\t", 199) + "a\nfin\n";
    QTest::newRow("50 Mo d'image") << debut + "a{\\pict\\pngblip " + repete("00", 25 * 1024 * 1024) + "}b}"
                                   << "ab\n";
    QTest::newRow("groupes ignores profonds") << debut + "a{\\*\\x" + repete("{", 100000) + repete("}", 100000) + "}b}"
                                              << "ab\n";
}

void TestRobustesseRtf::entreesHostiles()
{
    QFETCH(QString, rtf);
    QFETCH(QString, attendu);
    QTextDocument d;
    QVERIFY(rtf::lireRtf(rtf, d));
    QCOMPARE(texte(d), attendu);
}

void TestRobustesseRtf::entreesDuFuzzer_data()
{
    QTest::addColumn<QString>("chemin");
    QDirIterator it(dossierDonneesEssai() + "/fuzz", QDir::Files);
    while (it.hasNext()) {
        const QString chemin = it.next();
        QTest::newRow(qPrintable(it.fileName())) << chemin;
    }
}

// Each one must read, and what we write of it must be a fixed point.
void TestRobustesseRtf::entreesDuFuzzer()
{
    QFETCH(QString, chemin);
    QTextDocument d;
    rtf::lireRtf(rtf::decoderFichier(lireOctets(chemin)), d);
    const QString ecrit = rtf::ecrireRtf(d);
    QTextDocument relu;
    QVERIFY(rtf::lireRtf(ecrit, relu));
    QCOMPARE(rtf::ecrireRtf(relu), ecrit);
}

QTEST_MAIN(TestRobustesseRtf)
#include "tst_robustesse_rtf.moc"
