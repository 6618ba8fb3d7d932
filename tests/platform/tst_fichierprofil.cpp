#include "app/mdgeneral.h"
#include "platform/fichierprofil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString lire(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void ecrire(const QString& chemin, const QByteArray& contenu)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

} // namespace

class TestFichierProfil : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dossier.isValid());
        m_fichier = m_dossier.filePath(QStringLiteral("reglages.ini"));
        QFile::remove(m_fichier);
    }

    void lectureDesCasAbsents()
    {
        QCOMPARE(lireProfil(QStringLiteral("Enveloppe"), QStringLiteral("Format"), m_fichier), QString());
        ecrire(m_fichier, "[Autre]\nFormat=2\n");
        QCOMPARE(lireProfil(QStringLiteral("Enveloppe"), QStringLiteral("Format"), m_fichier), QString());
        ecrire(m_fichier, "[Enveloppe]\nTaille=2\n");
        QCOMPARE(lireProfil(QStringLiteral("Enveloppe"), QStringLiteral("Format"), m_fichier), QString());
    }

    void lectureExacteEtInsensibleALaCasse()
    {
        ecrire(m_fichier, "; réglages\r\n[ENVELOPPE]\r\n  format = 3  \r\n[Suite]\r\nFormat=5\r\n");
        const QString v = lireProfil(QStringLiteral("Enveloppe"), QStringLiteral("Format"), m_fichier);
        QCOMPARE(v, QStringLiteral("3"));
        QCOMPARE(v.size(), 1);
    }

    void valeurLongueCoupeeA254()
    {
        ecrire(m_fichier, "[Enveloppe]\nFormat=" + QByteArray(300, 'x') + "\n");
        QCOMPARE(lireProfil(QStringLiteral("Enveloppe"), QStringLiteral("Format"), m_fichier),
                 QString(254, QLatin1Char('x')));
    }

    void ecritureCreeLeFichierEtRelit()
    {
        QVERIFY(
            ecrireProfil(QStringLiteral("Enveloppe"), QStringLiteral("Format"), QStringLiteral("4"), m_fichier).ok());
        QCOMPARE(lireProfil(QStringLiteral("Enveloppe"), QStringLiteral("Format"), m_fichier), QStringLiteral("4"));
        QCOMPARE(lire(m_fichier), QStringLiteral("[Enveloppe]\nFormat=4\n"));
    }

    void ecritureGardeLeResteDuFichier()
    {
        ecrire(
            m_fichier,
            "; début\r\n[Autre]\r\ncle=valeur\r\n\r\n[enveloppe]\r\n; le format\r\nFORMAT=1\r\nCouleur=bleu\r\n\r\n[Fin]\r\nx=é\r\n");
        QVERIFY(
            ecrireProfil(QStringLiteral("Enveloppe"), QStringLiteral("Format"), QStringLiteral("5"), m_fichier).ok());
        QCOMPARE(
            lire(m_fichier),
            QStringLiteral(
                "; début\r\n[Autre]\r\ncle=valeur\r\n\r\n[enveloppe]\r\n; le format\r\nFormat=5\r\nCouleur=bleu\r\n\r\n[Fin]\r\nx=é\r\n"));

        // A new key joins its section; a new section goes at the end.
        QVERIFY(ecrireProfil(QStringLiteral("Autre"), QStringLiteral("n"), QStringLiteral("2"), m_fichier).ok());
        QVERIFY(ecrireProfil(QStringLiteral("Neuf"), QStringLiteral("k"), QStringLiteral("v"), m_fichier).ok());
        QCOMPARE(
            lire(m_fichier),
            QStringLiteral(
                "; début\r\n[Autre]\r\ncle=valeur\r\nn=2\r\n\r\n[enveloppe]\r\n; le format\r\nFormat=5\r\nCouleur=bleu\r\n\r\n[Fin]\r\nx=é\r\n\r\n[Neuf]\r\nk=v\r\n"));
    }

    void pageDeCodeWindowsGardeeOctetPourOctet()
    {
        // Written by an older version in the Windows code page: "é" is 0xE9,
        // "€" 0x80; the last line has no end of line.
        const QByteArray autres = "[Exp\xe9"
                                  "diteur]\r\nVille=Orl\xe9"
                                  "ans \x80\r\n\r\n[Enveloppe]\r\nFormat=1\r\n[Fin]\r\nNote=d\xe9j\xe0";
        ecrire(m_fichier, autres);
        QCOMPARE(lireProfil(QStringLiteral("Expéditeur"), QStringLiteral("Ville"), m_fichier),
                 QStringLiteral("Orléans €"));
        QVERIFY(
            ecrireProfil(QStringLiteral("Enveloppe"), QStringLiteral("Format"), QStringLiteral("3"), m_fichier).ok());
        QVERIFY(ecrireProfil(QStringLiteral("Fin"), QStringLiteral("Clé"), QStringLiteral("été"), m_fichier).ok());
        QFile f(m_fichier);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(),
                 QByteArray("[Exp\xe9"
                            "diteur]\r\nVille=Orl\xe9"
                            "ans \x80\r\n\r\n[Enveloppe]\r\nFormat=3\r\n[Fin]\r\nNote=d\xe9j\xe0\r\n"
                            "Cl\xe9=\xe9t\xe9\r\n"));
    }

    void ecritureImpossibleSignalee()
    {
        const QString introuvable = m_dossier.filePath(QStringLiteral("absent/reglages.ini"));
        const Reussite ecrit = ecrireProfil(QStringLiteral("Enveloppe"), QStringLiteral("Format"), QStringLiteral("1"),
                                            introuvable);
        QVERIFY(!ecrit.ok());
        QVERIFY(ecrit.raison().contains(introuvable));
    }

    void nomVideDesigneLeFichierDuProgramme()
    {
        QDir(m_dossier.path()).mkpath(QStringLiteral("Save"));
        mdGeneral::DefinirDossierApplication(m_dossier.path() + QStringLiteral("/"));
        QCOMPARE(mdGeneral::CheminIni(), m_dossier.path() + QStringLiteral("/Save/Lettre.ini"));
        QVERIFY(
            mdGeneral::EcrireIni(QStringLiteral("Enveloppe"), QStringLiteral("Format"), QStringLiteral("2"), QString())
                .ok());
        QVERIFY(QFile::exists(m_dossier.path() + QStringLiteral("/Save/Lettre.ini")));
        QCOMPARE(mdGeneral::LireIni(QStringLiteral("Enveloppe"), QStringLiteral("Format"), QString()),
                 QStringLiteral("2"));
        mdGeneral::DefinirDossierApplication(QString());
    }

private:
    QTemporaryDir m_dossier;
    QString m_fichier;
};

QTEST_GUILESS_MAIN(TestFichierProfil)
#include "tst_fichierprofil.moc"
