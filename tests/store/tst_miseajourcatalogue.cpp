// A new delivered catalogue reaching a user's database at start-up.
#include "app/mdgeneral.h"
#include "platform/connexion.h"
#include "platform/recordset.h"
#include "platform/sauvegarde.h"
#include "store/chargementcatalogue.h"
#include "store/miseajourcatalogue.h"
#include "support/basetemporaire.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Builds a delivered database at `chemin` from a manifest and its bodies
// ("file" -> body text).
void construireLivre(const QString& chemin, const QString& manifeste, const QMap<QString, QString>& corps)
{
    const QString dossier = QFileInfo(chemin).absolutePath();
    QDir().mkpath(dossier + QStringLiteral("/corps"));
    QFile m(dossier + QStringLiteral("/manifest.txt"));
    QVERIFY(m.open(QIODevice::WriteOnly | QIODevice::Truncate));
    m.write(manifeste.toUtf8());
    m.close();
    for (auto it = corps.cbegin(); it != corps.cend(); ++it) {
        QFile f(dossier + QStringLiteral("/corps/") + it.key());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(it.value().toUtf8());
    }
    QFile::remove(chemin);
    creerBaseVide(chemin);
    Connexion c(QStringLiteral("livre"));
    c.ouvrir(chemin);
    QCOMPARE(chargerCatalogue(c, m.fileName(), dossier + QStringLiteral("/corps")), QString());
}

const QString kVersion1 = QStringLiteral("C|1|Logement\nS|1|1|Location\n"
                                         "M|1|Modèle A|a.rtf||\nM|1|Modèle B|b.rtf||\nM|1|Modèle C|c.rtf||\n");
const QString kVersion2 = kVersion1
    + QStringLiteral("M|1|Modèle D|d.rtf||\nC|2|Travail\nS|2|2|Contrat\nM|2|Modèle E|e.rtf||Save/fiches/e.html\n");

QMap<QString, QString> corps(const QString& version)
{
    QMap<QString, QString> c;
    for (const char* nom : {"a", "b", "c", "d", "e"})
        c.insert(QString::fromLatin1(nom) + QStringLiteral(".rtf"),
                 QStringLiteral("{\\rtf1 %1 %2}").arg(QLatin1String(nom), version));
    return c;
}

QMap<QString, QString> modeles()
{
    QMap<QString, QString> m;
    Recordset rs;
    rs.open(QStringLiteral("SELECT * From Modele"));
    for (; !rs.eof(); rs.moveNext())
        m.insert(rs.text(QStringLiteral("Libelle_Modele")), rs.text(QStringLiteral("Corps_Modele")));
    return m;
}

// A program folder laid out as installed: app/ (its Save holds the user's
// copy of version 1) beside share/tilvo-lettres (the delivered database).
struct Installation {
    QTemporaryDir racine;
    QString app() const { return racine.path() + QStringLiteral("/bin"); }
    QString livree() const { return racine.path() + QStringLiteral("/share/tilvo-lettres/Lettre.mdb"); }
    QString base() const { return app() + QStringLiteral("/Save/Lettre.mdb"); }

    Installation()
    {
        construireLivre(livree(), kVersion1, corps(QStringLiteral("v1")));
        QDir().mkpath(app() + QStringLiteral("/Save"));
        QFile::copy(livree(), base());
        mdGeneral::DefinirDossierApplication(app());
        mdGeneral::OuvrirBase();
    }
    ~Installation()
    {
        cnLettre().fermer();
        mdGeneral::DefinirDossierApplication(QString());
    }
    void executer(const QString& sql) const
    {
        QSqlQuery q(cnLettre().base());
        QVERIFY2(q.exec(sql), qPrintable(sql));
    }
};

} // namespace

class TestMiseAJourCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void lesChangementsDeLUtilisateurRestent()
    {
        Installation inst;
        inst.executer(
            QStringLiteral("UPDATE Modele SET Corps_Modele = '{\\rtf1 a à moi}' WHERE Libelle_Modele = 'Modèle A'"));
        inst.executer(QStringLiteral(
            "INSERT INTO Modele (Numero_Sous_Cat_Modele, Libelle_Modele, Corps_Modele, Lien_Modele, Lien_Fiche_Modele) "
            "VALUES (1, 'Mon modèle', '{\\rtf1 x}', '', '')"));
        inst.executer(QStringLiteral("DELETE FROM Modele WHERE Libelle_Modele = 'Modèle B'"));
        cnLettre().fermer();
        construireLivre(inst.livree(), kVersion2, corps(QStringLiteral("v2")));

        const auto resultat = mdGeneral::Demarrer();
        QVERIFY(resultat.baseOuverte);
        QCOMPARE(resultat.avertissements, QStringList());
        const QMap<QString, QString> attendus{{QStringLiteral("Modèle A"), QStringLiteral("{\\rtf1 a à moi}")},
                                              {QStringLiteral("Mon modèle"), QStringLiteral("{\\rtf1 x}")},
                                              {QStringLiteral("Modèle C"), QStringLiteral("{\\rtf1 c v2}")},
                                              {QStringLiteral("Modèle D"), QStringLiteral("{\\rtf1 d v2}")},
                                              {QStringLiteral("Modèle E"), QStringLiteral("{\\rtf1 e v2}")}};
        QCOMPARE(modeles(), attendus);
        // The new model's new category and sub-category came with it.
        Recordset rs;
        rs.open(QStringLiteral("SELECT * From Sous_Categorie_Modele WHERE Libelle_Sous_Cat_Modele = 'Contrat'"));
        QVERIFY(!rs.eof());

        // The database as it was before the upgrade was backed up first.
        const QList<Sauvegarde> sauvegardes = listerSauvegardes(mdGeneral::DossierSauvegardes());
        QCOMPARE(sauvegardes.size(), 1);
        QCOMPARE(examinerSauvegarde(sauvegardes[0].chemin).modeles, 3);

        // Received once: nothing more to do at the next start.
        QVERIFY(!miseAJourNecessaire(cnLettre().poignee(), inst.livree()));
    }

    void unEchecLaisseLaBaseTelleQuelle()
    {
        Installation inst;
        inst.executer(QStringLiteral(
            "CREATE TRIGGER refus BEFORE INSERT ON Modele BEGIN SELECT RAISE(ABORT, 'disque plein'); END"));
        const QMap<QString, QString> avant = modeles();
        cnLettre().fermer();
        construireLivre(inst.livree(), kVersion2, corps(QStringLiteral("v2")));

        const auto resultat = mdGeneral::Demarrer();
        QCOMPARE(resultat.avertissements.size(), 1);
        QVERIFY(resultat.avertissements[0].contains(QStringLiteral("vos données n'ont pas été modifiées")));
        QVERIFY(resultat.avertissements[0].contains(QStringLiteral("disque plein")));
        QCOMPARE(modeles(), avant);
        QVERIFY(miseAJourNecessaire(cnLettre().poignee(), inst.livree()));
    }
};

QTEST_GUILESS_MAIN(TestMiseAJourCatalogue)
#include "tst_miseajourcatalogue.moc"
