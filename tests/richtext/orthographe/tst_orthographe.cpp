#include "richtext/orthographe/decoupage.h"
#include "richtext/orthographe/verificateurtest.h"
#include "richtext/rtf/rtf.h"

#include <QDir>
#include <QFile>
#include <QTextDocument>
#include <QtTest>

using orthographe::Verificateur;

namespace {

QByteArray lire(const QString& chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        qFatal("illisible : %s", qPrintable(chemin));
    return fichier.readAll();
}

QStringList fautes(const Verificateur& v, const QString& texte)
{
    QStringList resultat;
    for (const auto& p : v.fautes(texte))
        resultat.append(texte.mid(p.debut, p.longueur));
    return resultat;
}

} // namespace

class TestOrthographe : public QObject {
    Q_OBJECT

private slots:
    void decoupage_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("attendus"); // the words, "|" after an elision
        QTest::newRow("élisions") << QStringLiteral("L'homme qu’il voit jusqu'à lorsqu’elle aujourd'hui")
                                  << QStringLiteral("L'|homme qu’|il voit jusqu'|à lorsqu’|elle aujourd'hui");
        QTest::newRow("traits d'union") << QStringLiteral("peut-être, c'est-à-dire a-t-il -moi")
                                        << QStringLiteral("peut-être c'|est-à-dire a-t-il moi");
        QTest::newRow("nombres") << QStringLiteral(
            "le 1er mai, 2e étage, XIXe siècle, 14h30, 3,5 %, A4, AB12C, 2023-2024")
                                 << QStringLiteral("le mai étage siècle");
        QTest::newRow("adresses") << QStringLiteral("à jean.dupont@exemple.fr ou (www.service-public.fr) ou "
                                                    "https://exemple.fr/a-b ou impots.gouv.fr.")
                                  << QStringLiteral("à ou ou ou");
        QTest::newRow("variables et terminaisons")
            << QStringLiteral("« Cher <NomDest>, heureux(euse) (merci) enfants’ »")
            << QStringLiteral("Cher heureux merci enfants");
    }

    void decoupage()
    {
        QFETCH(QString, texte);
        QFETCH(QString, attendus);
        QStringList mots;
        for (const auto& mot : orthographe::decouperMots(texte))
            mots.append(
                texte.mid(mot.debut, mot.longueur).insert(mot.elision, mot.elision ? QStringLiteral("|") : QString()));
        QCOMPARE(mots.join(u' '), attendus);
    }

    // Only the unknown part of a hyphenated or elided word is underlined;
    // the address book's names pass whatever their case.
    void fautes()
    {
        VerificateurTest f;
        const auto v = f.creer();
        QCOMPARE(::fautes(*v, QStringLiteral("C'est-à-dire, a-t-il dit aujourd’hui : agréez l'expression distinguée.")),
                 QStringList());
        QCOMPARE(::fautes(*v, QStringLiteral("l'hmome est peut-etre anti-gaspilage")),
                 QStringList({QStringLiteral("hmome"), QStringLiteral("etre"), QStringLiteral("gaspilage")}));

        const QString texte = QStringLiteral("Mme Kerhervé à KERLOUANEC-TRÉVAREZ, Zorglub");
        QCOMPARE(::fautes(*v, texte).size(), 4);
        v->definirSourceNoms([] {
            return QStringList({QStringLiteral("Kerhervé"), QStringLiteral("Kerlouanec-Trévarez")});
        });
        v->ignorer(QStringLiteral("Zorglub"));
        QCOMPARE(::fautes(*v, texte), QStringList());

        QVERIFY(v->suggestions(QStringLiteral("maisonn")).contains(QStringLiteral("maison")));
        QVERIFY(!v->suggestions(QStringLiteral("qu'elels")).join(QString()).contains(u'’'));
    }

    // A word added to the personal list is kept, in UTF-8, for the next run;
    // a list that cannot be written says why and the word passes anyway.
    void dictionnairePersonnel()
    {
        VerificateurTest f;
        QCOMPARE(f.creer()->ajouterAuDictionnaire(QStringLiteral("Kerlouanéc")), QString());
        QCOMPARE(lire(f.personnel), QStringLiteral("Kerlouanéc\n").toUtf8());
        QCOMPARE(::fautes(*f.creer(), QStringLiteral("Kerlouanéc")), QStringList());

        const auto v = f.creer(f.dossier.filePath(QStringLiteral("absent/liste.txt")));
        QVERIFY(v->ajouterAuDictionnaire(QStringLiteral("Zorglub"))
                    .startsWith(QStringLiteral("Le dictionnaire personnel")));
        QCOMPARE(::fautes(*v, QStringLiteral("Zorglub")), QStringList());
    }

    // The delivered model bodies and sheets have no unknown word but the
    // reviewed ones of the catalogue's list, each of which is still needed.
    void catalogue()
    {
        const QString dossier = QStringLiteral(TILVO_SOURCE_DIR "/store/catalogue/");
        QSet<QString> acceptes;
        for (const QString& ligne :
             QString::fromUtf8(lire(dossier + QStringLiteral("mots-acceptes.txt"))).split(u'\n')) {
            if (const QString mot = ligne.section(u'#', 0, 0).trimmed(); !mot.isEmpty())
                acceptes.insert(mot);
        }
        VerificateurTest f;
        const auto v = f.creer();
        QSet<QString> employes;
        QStringList inconnus;
        const QStringList fichiers = QDir(dossier + QStringLiteral("corps")).entryList({QStringLiteral("*.rtf")})
            + QDir(dossier + QStringLiteral("fiches")).entryList({QStringLiteral("*.html")});
        for (const QString& nom : fichiers) {
            QTextDocument document;
            if (nom.endsWith(u".rtf"))
                rtf::lireRtf(rtf::decoderFichier(lire(dossier + QStringLiteral("corps/") + nom)), document);
            else
                document.setHtml(QString::fromUtf8(lire(dossier + QStringLiteral("fiches/") + nom)));
            for (const QString& ligne : document.toPlainText().split(u'\n')) {
                for (const QString& mot : ::fautes(*v, ligne)) {
                    if (acceptes.contains(mot))
                        employes.insert(mot);
                    else
                        inconnus.append(nom + u' ' + mot);
                }
            }
        }
        QVERIFY2(inconnus.isEmpty(), qPrintable(inconnus.join(u'\n')));
        QCOMPARE(employes, acceptes);
    }
};

QTEST_MAIN(TestOrthographe)
#include "tst_orthographe.moc"
