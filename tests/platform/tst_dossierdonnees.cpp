// Where the data lives: beside a portable program, else in the user's data
// folder, filled from the delivered database at the first start.
#include "app/mdgeneral.h"
#include "platform/dossierdonnees.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void ecrire(const QString& chemin, const QByteArray& contenu)
{
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenu);
}

QByteArray lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestDossierDonnees : public QObject {
    Q_OBJECT

private slots:
    void portableOuInstalle()
    {
        QTemporaryDir racine;
        const QString bin = racine.path() + QStringLiteral("/usr/bin");
        const QString xdg = racine.path() + QStringLiteral("/home/.local/share");
        QDir().mkpath(bin);

        const EmplacementDonnees installe = choisirEmplacementDonnees(bin, xdg);
        QVERIFY(!installe.portable);
        QCOMPARE(installe.dossier, xdg + QStringLiteral("/tilvo-lettres/Save"));
        QCOMPARE(dossierLivreDe(bin), racine.path() + QStringLiteral("/usr/share/tilvo-lettres"));

        ecrire(bin + QStringLiteral("/Save/Lettre.mdb"), "base");
        const EmplacementDonnees portable = choisirEmplacementDonnees(bin, xdg);
        QVERIFY(portable.portable);
        QCOMPARE(portable.dossier, bin + QStringLiteral("/Save"));
    }

    void premierDemarrageCopieLaBaseLivree()
    {
        QTemporaryDir racine;
        const QString donnees = racine.path() + QStringLiteral("/share/tilvo-lettres/Save");
        const QString livree = racine.path() + QStringLiteral("/usr/Lettre.mdb");

        // Nothing delivered: said, and no database made from nothing.
        QVERIFY(preparerBaseUtilisateur(donnees, livree).contains(livree));
        QVERIFY(!QFile::exists(donnees + QStringLiteral("/Lettre.mdb")));

        ecrire(livree, "livrée");
        QFile::setPermissions(livree, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QCOMPARE(preparerBaseUtilisateur(donnees, livree), QString());
        QCOMPARE(lire(donnees + QStringLiteral("/Lettre.mdb")), QByteArray("livrée"));
        QVERIFY(QFileInfo(donnees + QStringLiteral("/Lettre.mdb")).permissions() & QFile::WriteOwner);

        // The user's database, once there, is theirs.
        ecrire(donnees + QStringLiteral("/Lettre.mdb"), "à moi");
        QCOMPARE(preparerBaseUtilisateur(donnees, livree), QString());
        QCOMPARE(lire(donnees + QStringLiteral("/Lettre.mdb")), QByteArray("à moi"));
    }

    // A model's sheet, "Save/fiches/...": the user's own copy if there is
    // one, else the delivered sheet.
    void fichesLivreesTrouvees()
    {
        QTemporaryDir racine;
        const QString bin = racine.path() + QStringLiteral("/bin");
        mdGeneral::DefinirDossierApplication(bin);
        const QString lien = QStringLiteral("Save/fiches/bail.html");
        QCOMPARE(mdGeneral::CheminDocument(lien), lien);
        ecrire(racine.path() + QStringLiteral("/share/tilvo-lettres/fiches/bail.html"), "livrée");
        QCOMPARE(mdGeneral::CheminDocument(lien),
                 racine.path() + QStringLiteral("/share/tilvo-lettres/fiches/bail.html"));
        ecrire(bin + QStringLiteral("/Save/fiches/bail.html"), "à moi");
        QCOMPARE(mdGeneral::CheminDocument(lien), bin + QStringLiteral("/Save/fiches/bail.html"));
        QCOMPARE(mdGeneral::CheminDocument(QStringLiteral("https://exemple.fr/a")),
                 QStringLiteral("https://exemple.fr/a"));
        mdGeneral::DefinirDossierApplication(QString());
    }
};

QTEST_GUILESS_MAIN(TestDossierDonnees)
#include "tst_dossierdonnees.moc"
