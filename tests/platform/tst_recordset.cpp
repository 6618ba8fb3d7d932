#include "platform/connexion.h"
#include "platform/erreurbase.h"
#include "platform/recordset.h"
#include "store/requetes.h"
#include "support/basetemporaire.h"

#include <QFile>
#include <QSqlQuery>
#include <QtTest>

namespace {

template <typename F>
QString raisonDe(F&& f)
{
    try {
        f();
    } catch (const ErreurBase& e) {
        return e.raison();
    }
    return QString();
}

} // namespace

class TestRecordset : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data() { lignesDesDeuxMoteurs(); }

    void nouvelIdLisibleApresEcriture()
    {
        MOTEUR_ESSAI(moteur);
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        const RecordId premier = ajouterDestinataire(QStringLiteral("Durand"));
        const RecordId second = ajouterDestinataire(QStringLiteral("Martin"));
        QVERIFY(premier > 0);
        QCOMPARE(second, premier + 1);

        Recordset rs;
        rs.open(requetes::destinataire(second));
        QVERIFY(!rs.eof());
        QCOMPARE(rs.text(QStringLiteral("Nom_Destinataire")), QStringLiteral("Martin"));
    }

    void videEtAbsentSontDistincts()
    {
        MOTEUR_ESSAI(moteur);
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        const RecordId id = ajouterDestinataire(QStringLiteral("Durand"), QVariant());
        QCOMPARE(compter(QStringLiteral("Destinataire"), QStringLiteral("Titre_Destinataire = ''")), 1);     // "" kept
        QCOMPARE(compter(QStringLiteral("Destinataire"), QStringLiteral("Prenom_Destinataire IS NULL")), 1); // absent
        QCOMPARE(compter(QStringLiteral("Destinataire"), QStringLiteral("Ville_Destinataire IS NULL")), 1); // never set

        Recordset rs;
        rs.open(requetes::destinataire(id));
        QVERIFY(!rs.value(QStringLiteral("Titre_Destinataire")).isNull());
        QCOMPARE(rs.value(QStringLiteral("Titre_Destinataire")).toString(), QString());
        QVERIFY(rs.value(QStringLiteral("Prenom_Destinataire")).isNull());
        QCOMPARE(rs.text(QStringLiteral("Prenom_Destinataire")), QString());
        QVERIFY(!rs.text(QStringLiteral("Prenom_Destinataire")).isNull());
    }

    void textesDifficilesRelusALIdentique_data()
    {
        QTest::addColumn<QString>("ecrit");
        QTest::addColumn<QString>("relu");
        QTest::addColumn<QString>("reluServeur");
        const QString lu = QStringLiteral("lu");
        const auto ligne = [](const char* nom, const QString& ecrit, const QString& relu) {
            QTest::newRow(nom) << ecrit << relu << relu;
        };
        ligne("U+FEFF en tête", QChar(0xFEFF) + lu, QChar(0xFEFF) + lu);
        ligne("U+FFFE en tête", QChar(0xFFFE) + lu, QChar(0xFFFE) + lu);
        // A server keeps no NUL in a text.
        QTest::newRow("NUL au milieu") << QStringLiteral("a") + QChar(0) + lu << QStringLiteral("a") + QChar(0) + lu
                                       << QStringLiteral("a") + QChar(QChar::ReplacementCharacter) + lu;
        ligne("droite à gauche", QChar(0x202E) + lu + QChar(0x202C), QChar(0x202E) + lu + QChar(0x202C));
        ligne("diacritique combinant", QStringLiteral("e") + QChar(0x0301), QStringLiteral("e") + QChar(0x0301));
        ligne("paire de substitution", QStringLiteral("😀"), QStringLiteral("😀"));
        ligne("substitut isolé", QChar(0xD800) + lu + QChar(0xDC00),
              QChar(QChar::ReplacementCharacter) + lu + QChar(QChar::ReplacementCharacter));
    }

    void textesDifficilesRelusALIdentique()
    {
        QFETCH(QString, ecrit);
        QFETCH(QString, relu);
        QFETCH(QString, reluServeur);
        MOTEUR_ESSAI(moteur);
        const bool surServeur = moteur == BaseTemporaire::Moteur::Serveur;
        if (surServeur)
            relu = reluServeur;
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        const RecordId id = ajouterDestinataire(ecrit);
        Recordset rs;
        rs.open(requetes::destinataire(id));
        QCOMPARE(rs.text(QStringLiteral("Nom_Destinataire")), relu);
        // Stored as UTF-8, never as UTF-16 whose first character could be
        // taken for a byte-order mark.
        QSqlQuery q(cnLettre().base());
        QVERIFY(q.exec(
            surServeur ? QStringLiteral("SELECT encode(convert_to(Nom_Destinataire, 'UTF8'), 'hex') FROM Destinataire")
                       : QStringLiteral("SELECT hex(CAST(Nom_Destinataire AS BLOB)) FROM Destinataire")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString().toUpper(), QString::fromLatin1(relu.toUtf8().toHex().toUpper()));
    }

    void modificationEtSuppressionDUneSeuleLigne()
    {
        MOTEUR_ESSAI(moteur);
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        const RecordId a = ajouterDestinataire(QStringLiteral("A"));
        const RecordId b = ajouterDestinataire(QStringLiteral("B"));
        ajouterDestinataire(QStringLiteral("C"));

        Recordset rs;
        rs.open(requetes::destinataire(b));
        rs.setValue(QStringLiteral("Ville_Destinataire"), QStringLiteral("Lyon"));
        rs.update();
        rs.close();
        rs.open(requetes::destinataire(b));
        QCOMPARE(rs.text(QStringLiteral("Ville_Destinataire")), QStringLiteral("Lyon"));
        rs.deleteCurrent();
        rs.close();
        QCOMPARE(compter(QStringLiteral("Destinataire")), 2);

        // A deleted id is never given again.
        QCOMPARE(ajouterDestinataire(QStringLiteral("D")), b + 2);

        // Writing to a row that has gone meanwhile is an error, not a success.
        Recordset vieux;
        vieux.open(requetes::destinataire(a));
        base.executer(QStringLiteral("DELETE FROM Destinataire WHERE Numero_Destinataire = %1").arg(a));
        vieux.setValue(QStringLiteral("Nom_Destinataire"), QStringLiteral("X"));
        QVERIFY(!raisonDe([&] { vieux.update(); }).isEmpty());
    }

    void lectureSansLigneEstUneErreur()
    {
        MOTEUR_ESSAI(moteur);
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        Recordset rs;
        rs.open(requetes::destinataire(42));
        QVERIFY(rs.eof());
        QVERIFY(!raisonDe([&] { rs.value(QStringLiteral("Nom_Destinataire")); }).isEmpty());
    }

    void fichierAbsentJamaisCree()
    {
        FICHIER_SEULEMENT();
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("Lettre.mdb"));
        Connexion c(QStringLiteral("test"));
        const QString raison = raisonDe([&] { c.ouvrir(chemin); });
        QVERIFY(raison.contains(QStringLiteral("n'existe pas")));
        QVERIFY(!QFile::exists(chemin));
        QVERIFY(!c.estOuverte());
    }

    void fichierQuiNEstPasUneBase()
    {
        FICHIER_SEULEMENT();
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("Lettre.mdb"));
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\x00\x01\x00\x00Standard Jet DB", 19) + QByteArray(4096, '\x42'));
        f.close();
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray avant = f.readAll();
        f.close();
        Connexion c(QStringLiteral("test"));
        const QString raison = raisonDe([&] { c.ouvrir(chemin); });
        QVERIFY2(raison.contains(QStringLiteral("pas une base de données SQLite")), qPrintable(raison));
        QFile g(chemin);
        QVERIFY(g.open(QIODevice::ReadOnly));
        QCOMPARE(g.readAll(), avant);
    }

    void fichierEndommageRefuse()
    {
        FICHIER_SEULEMENT();
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("Lettre.mdb"));
        creerBaseVide(chemin);
        {
            Connexion c(QStringLiteral("remplissage"));
            c.ouvrir(chemin);
            for (int i = 0; i < 300; ++i) {
                Recordset rs(c);
                rs.open(requetes::tousDestinataires());
                rs.addNew();
                rs.setValue(QStringLiteral("Nom_Destinataire"), QString(200, QLatin1Char('n')));
                rs.update();
            }
        }
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(f.size() / 2);
        f.write(QByteArray(8192, '\xff'));
        f.close();
        Connexion c(QStringLiteral("test"));
        QVERIFY(!raisonDe([&] { c.ouvrir(chemin); }).isEmpty());
    }

    // Saves go through a write-ahead log while the base is open; once it is
    // closed the file alone holds everything (a copy of it is complete).
    void unSeulFichierUneFoisFermee()
    {
        FICHIER_SEULEMENT();
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("Lettre.mdb"));
        creerBaseVide(chemin);
        Connexion c(QStringLiteral("test"));
        c.ouvrir(chemin);
        Recordset rs(c);
        rs.open(requetes::tousDestinataires());
        rs.addNew();
        rs.setValue(QStringLiteral("Nom_Destinataire"), QStringLiteral("Durand"));
        rs.update();
        QVERIFY(QFile::exists(chemin + QStringLiteral("-wal")));
        c.fermer();
        QVERIFY(!QFile::exists(chemin + QStringLiteral("-wal")));
        const QString copie = dossier.filePath(QStringLiteral("Copie.mdb"));
        QVERIFY(QFile::copy(chemin, copie));
        Connexion lecture(QStringLiteral("copie"));
        lecture.ouvrir(copie, Connexion::Acces::LectureSeule);
        Recordset relu(lecture);
        relu.open(requetes::tousDestinataires());
        QCOMPARE(relu.text(QStringLiteral("Nom_Destinataire")), QStringLiteral("Durand"));
    }

    void ecritureRefuseeSignalee()
    {
        MOTEUR_ESSAI(moteur);
        BaseTemporaire base(BaseTemporaire::Contenu::Vide, moteur);
        const bool surServeur = moteur == BaseTemporaire::Moteur::Serveur;
        QVERIFY(QSqlQuery(cnLettre().base())
                    .exec(surServeur ? QStringLiteral("SET default_transaction_read_only = on")
                                     : QStringLiteral("PRAGMA query_only=ON")));
        const QString raison = raisonDe([] { ajouterDestinataire(QStringLiteral("X")); });
        // In French first, then the engine's own words.
        QVERIFY2(raison.contains(QStringLiteral("lecture seule")), qPrintable(raison));
        QVERIFY2(raison.contains(surServeur ? QStringLiteral("read-only") : QStringLiteral("readonly")),
                 qPrintable(raison));
        QCOMPARE(compter(QStringLiteral("Destinataire")), 0);
    }

    void baseVerrouilleeParUnAutreProgramme()
    {
        FICHIER_SEULEMENT();
        BaseTemporaire base;
        Connexion autre(QStringLiteral("autre"));
        autre.ouvrir(base.cheminBase());
        QSqlQuery verrou(autre.base());
        QVERIFY(verrou.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        // The save waits for the lock, then fails loudly with the reason.
        const QString raison = raisonDe([] { ajouterDestinataire(QStringLiteral("X")); });
        QVERIFY2(raison.contains(QStringLiteral("locked")), qPrintable(raison));
        QVERIFY(verrou.exec(QStringLiteral("ROLLBACK")));
        QVERIFY(raisonDe([] { ajouterDestinataire(QStringLiteral("Y")); }).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "tst_recordset.moc"
