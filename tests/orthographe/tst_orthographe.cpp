#include "orthographe/verificateurtest.h"
#include "richtext/orthographe/decoupage.h"

#include <QFile>
#include <QtTest>

using orthographe::Verificateur;

namespace {

// The words of `texte` as cut, "|" after an elision.
QStringList mots(const QString& texte)
{
    QStringList resultat;
    for (const auto& mot : orthographe::decouperMots(texte)) {
        QString m = texte.mid(mot.debut, mot.longueur);
        if (mot.elision > 0)
            m.insert(mot.elision, u'|');
        resultat.append(m);
    }
    return resultat;
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
        QTest::addColumn<QStringList>("attendus");
        const auto l = [](std::initializer_list<const char*> m) {
            QStringList r;
            for (const char* s : m)
                r.append(QString::fromUtf8(s));
            return r;
        };
        QTest::newRow("élisions") << QStringLiteral("L'homme qu’il voit jusqu'à lorsqu’elle aujourd'hui")
                                  << l({"L'|homme", "qu’|il", "voit", "jusqu'|à", "lorsqu’|elle", "aujourd'hui"});
        QTest::newRow("traits d'union") << QStringLiteral("peut-être, c'est-à-dire a-t-il -moi")
                                        << l({"peut-être", "c'|est-à-dire", "a-t-il", "moi"});
        QTest::newRow("nombres et ordinaux") << QStringLiteral("le 1er mai, 2e étage, XIXe siècle, 14h30, 3,5 %, 2023-2024")
                                             << l({"le", "mai", "étage", "siècle"});
        QTest::newRow("capitales et chiffres") << QStringLiteral("format A4, réf. AB12C")
                                               << l({"format", "réf"});
        QTest::newRow("adresses") << QStringLiteral("écrire à jean.dupont@exemple.fr ou (www.service-public.fr) ou https://exemple.fr/a-b ou impots.gouv.fr.")
                                  << l({"écrire", "à", "ou", "ou", "ou"});
        QTest::newRow("variables et terminaisons") << QStringLiteral("Cher <NomDest>, heureux(euse) (merci)")
                                                   << l({"Cher", "heureux", "merci"});
        QTest::newRow("guillemets et apostrophe finale") << QStringLiteral("« mot » les enfants’ ")
                                                         << l({"mot", "les", "enfants"});
    }

    void decoupage()
    {
        QFETCH(QString, texte);
        QFETCH(QStringList, attendus);
        QCOMPARE(mots(texte), attendus);
    }

    // What a French reader expects underlined, on the system's dictionary:
    // only the unknown part of a hyphenated or elided word.
    void fautes()
    {
        VerificateurTest f;
        const auto v = f.creer();
        QVERIFY(v->disponible());
        QCOMPARE(::fautes(*v, QStringLiteral("Je vous prie d’agréer, Madame, l'expression de mes salutations distinguées.")),
                 QStringList());
        QCOMPARE(::fautes(*v, QStringLiteral("C'est-à-dire peut-être, a-t-il dit aujourd’hui.")), QStringList());
        QCOMPARE(::fautes(*v, QStringLiteral("l'hmome est peut-etre anti-gaspilage")),
                 QStringList({QStringLiteral("hmome"), QStringLiteral("etre"), QStringLiteral("gaspilage")}));

        // Names of the address book pass whatever their case; ignored words
        // pass as written.
        const QString texte = QStringLiteral("Mme Kerhervé à KERLOUANEC-TRÉVAREZ, Zorglub");
        QCOMPARE(::fautes(*v, texte).size(), 4);
        v->definirNoms({QStringLiteral("Kerhervé"), QStringLiteral("Kerlouanec-Trévarez")});
        v->ignorer(QStringLiteral("Zorglub"));
        QCOMPARE(::fautes(*v, texte), QStringList());

        const QStringList s = v->suggestions(QStringLiteral("maisonn"));
        QVERIFY(s.contains(QStringLiteral("maison")));
        QVERIFY(v->suggestions(QStringLiteral("l'hmome")).size() <= 6);
        QVERIFY(!v->suggestions(QStringLiteral("qu'elels")).join(QString()).contains(u'’'));
    }

    // A word added to the personal list is kept, in UTF-8, for the next run.
    void dictionnairePersonnel()
    {
        VerificateurTest f;
        {
            const auto v = f.creer();
            QCOMPARE(::fautes(*v, QStringLiteral("Kerlouanéc")).size(), 1);
            QCOMPARE(v->ajouterAuDictionnaire(QStringLiteral("Kerlouanéc")), QString());
            QCOMPARE(::fautes(*v, QStringLiteral("Kerlouanéc")), QStringList());
        }
        QFile fichier(f.personnel);
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(fichier.readAll()), QStringLiteral("Kerlouanéc\n"));
        QCOMPARE(::fautes(*f.creer(), QStringLiteral("Kerlouanéc")), QStringList());

        // A list that cannot be written says why; the word passes anyway.
        const auto v = f.creer(f.dossier.filePath(QStringLiteral("absent/dictionnaire-personnel.txt")));
        QVERIFY(v->ajouterAuDictionnaire(QStringLiteral("Zorglub")).startsWith(QStringLiteral("Le dictionnaire personnel")));
        QCOMPARE(::fautes(*v, QStringLiteral("Zorglub")), QStringList());
    }

    void dictionnaireAbsent()
    {
        Verificateur v(QStringLiteral("/nulle/part/fr_FR.aff"), QStringLiteral("/nulle/part/fr_FR.dic"), QString());
        QVERIFY(!v.disponible());
        QVERIFY(!v.active());
        QCOMPARE(::fautes(v, QStringLiteral("mot inconu")), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestOrthographe)
#include "tst_orthographe.moc"
