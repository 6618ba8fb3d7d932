#include "orthographe/verificateurtest.h"
#include "richtext/rtf/rtf.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTextDocument>
#include <QtTest>

namespace {

const QString kCatalogue = QStringLiteral(TILVO_SOURCE_DIR "/store/catalogue");

QByteArray lire(const QString& chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        qFatal("illisible : %s", qPrintable(chemin));
    return fichier.readAll();
}

// The catalogue's reviewed words: one a line, "#" starts a comment.
QSet<QString> motsAcceptes()
{
    QSet<QString> mots;
    for (const QString& ligne : QString::fromUtf8(lire(kCatalogue + QStringLiteral("/mots-acceptes.txt"))).split(u'\n')) {
        const QString mot = ligne.section(u'#', 0, 0).trimmed();
        if (!mot.isEmpty())
            mots.insert(mot);
    }
    return mots;
}

} // namespace

class TestOrthographeCatalogue : public QObject {
    Q_OBJECT

private slots:
    // Every model body and information sheet delivered has no unknown word
    // but the reviewed ones, and every reviewed word is still needed.
    void catalogueSansFaute()
    {
        VerificateurTest f;
        const auto v = f.creer();
        QVERIFY(v->disponible());
        const QSet<QString> acceptes = motsAcceptes();
        QSet<QString> utilises;
        QStringList inconnus;

        const auto verifier = [&](const QString& nom, const QString& texte) {
            for (const QString& ligne : texte.split(u'\n')) {
                for (const auto& faute : v->fautes(ligne)) {
                    const QString mot = ligne.mid(faute.debut, faute.longueur);
                    if (acceptes.contains(mot))
                        utilises.insert(mot);
                    else
                        inconnus.append(nom + QStringLiteral(" : ") + mot);
                }
            }
        };
        const QDir corps(kCatalogue + QStringLiteral("/corps"));
        for (const QString& nom : corps.entryList({QStringLiteral("*.rtf")})) {
            QTextDocument document;
            rtf::lireRtf(rtf::decoderFichier(lire(corps.filePath(nom))), document);
            verifier(nom, document.toPlainText());
        }
        const QDir fiches(kCatalogue + QStringLiteral("/fiches"));
        for (const QString& nom : fiches.entryList({QStringLiteral("*.html")})) {
            QTextDocument document;
            document.setHtml(QString::fromUtf8(lire(fiches.filePath(nom))));
            verifier(nom, document.toPlainText());
        }
        QVERIFY2(inconnus.isEmpty(), qPrintable(inconnus.join(u'\n')));
        const QSet<QString> inutiles = acceptes - utilises;
        QVERIFY2(inutiles.isEmpty(), qPrintable(QStringList(inutiles.cbegin(), inutiles.cend()).join(u' ')));
    }
};

QTEST_MAIN(TestOrthographeCatalogue)
#include "tst_orthographe_catalogue.moc"
