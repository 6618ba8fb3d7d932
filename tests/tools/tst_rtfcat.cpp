// rtfcat as a user runs it: its two outputs and its errors.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestRtfcat : public QObject {
    Q_OBJECT

private slots:
    void texteEtRtf();
    void erreurs();
    void marqueDOrdreUtf8();
};

namespace {

struct Execution {
    int code;
    QByteArray sortie;
    QByteArray erreurs;
};

Execution lancer(const QStringList& arguments)
{
    QProcess p;
    p.start(QStringLiteral(RTFCAT), arguments);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QString cas(const QString& nom)
{
    return QStringLiteral(CAS_RTF "/") + nom + "/input.rtf";
}

} // namespace

void TestRtfcat::texteEtRtf()
{
    const Execution texte = lancer({"text", cas("wordpad")});
    QCOMPARE(texte.code, 0);
    QVERIFY(texte.sortie.startsWith("Première ligne en gras"));
    QCOMPARE(texte.sortie.count('\n'), 6);

    const Execution rtf = lancer({"rtf", cas("wordpad")});
    QCOMPARE(rtf.code, 0);
    QVERIFY(rtf.sortie.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    QTemporaryDir dossier;
    QFile copie(dossier.filePath("copie.rtf"));
    QVERIFY(copie.open(QIODevice::WriteOnly));
    copie.write(rtf.sortie);
    copie.close();
    QCOMPARE(lancer({"text", copie.fileName()}).sortie, texte.sortie);
}

void TestRtfcat::erreurs()
{
    const Execution absent = lancer({"text", "/nonexistent/lettre.rtf"});
    QVERIFY(absent.code != 0);
    QVERIFY(absent.erreurs.contains("impossible de lire"));
    QVERIFY(absent.sortie.isEmpty());

    QVERIFY(lancer({"pdf", cas("wordpad")}).code != 0);
    QVERIFY(lancer({"text"}).erreurs.contains("usage"));

    QTemporaryDir dossier;
    QFile brut(dossier.filePath("brut.rtf"));
    QVERIFY(brut.open(QIODevice::WriteOnly));
    brut.write("pas du rtf\n");
    brut.close();
    const Execution pasRtf = lancer({"text", brut.fileName()});
    QVERIFY(pasRtf.code != 0);
    QVERIFY(pasRtf.erreurs.contains("RTF"));
}

// A file saved with a UTF-8 byte-order mark is still RTF.
void TestRtfcat::marqueDOrdreUtf8()
{
    QTemporaryDir dossier;
    QFile f(dossier.filePath("bom.rtf"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBF{\\rtf1\\ansi Caf\\'e9}");
    f.close();
    const Execution r = lancer({"text", f.fileName()});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.sortie, QByteArray("Café\n"));
}

QTEST_APPLESS_MAIN(TestRtfcat)
#include "tst_rtfcat.moc"
