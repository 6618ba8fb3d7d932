// The About window.
#include "app/frmabout.h"
#include "app/mdgeneral.h"

#include "support/dialoguesscriptes.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestFrmAbout : public QObject {
    Q_OBJECT

private slots:
    void contenu()
    {
        mdGeneral::DefinirDossierApplication(QStringLiteral("/opt/copie-portable"));
        FrmAbout f;
        mdGeneral::DefinirDossierApplication(QString());
        QCOMPARE(f.objectName(), QStringLiteral("FrmAbout"));
        QCOMPARE(f.windowTitle(), QStringLiteral("À propos"));
        const auto texte = [&f](const char* nom) { return f.findChild<QLabel*>(QLatin1String(nom))->text(); };
        QCOMPARE(texte("lblTitle"), QStringLiteral("Tilvo - Lettre"));
        QCOMPARE(texte("lblVersion"), QStringLiteral("Version 1.1.0"));
        QVERIFY(!texte("Label1").isEmpty());
        QVERIFY(texte("Label3").contains(FrmAbout::adresseSite()));
        QCOMPARE(texte("Label4"), QStringLiteral("L'aide est consultable ou téléchargeable sur le site de Tilvo."));
        QCOMPARE(texte("lblDonnees"), QStringLiteral("Dossier des données : /opt/copie-portable/Save"));
        QVERIFY(f.findChild<QLabel*>(QStringLiteral("lblDonnees"))->textInteractionFlags() & Qt::TextSelectableByMouse);
        QVERIFY(!f.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
        QCOMPARE(f.findChild<QPushButton*>(QStringLiteral("cmdOk"))->text(), QStringLiteral("Ok"));
        // Every line fits in the window.
        for (const QLabel* l : f.findChildren<QLabel*>())
            QVERIFY2(f.rect().contains(l->geometry()), qPrintable(l->objectName()));
    }

    void siteEtFermeture()
    {
        auto& bureau = installerBureauEnregistreur();
        installerDialoguesScriptes();
        FrmAbout f;
        f.show();
        emit f.findChild<QLabel*>(QStringLiteral("Label3"))->linkActivated(FrmAbout::adresseSite());
        QCOMPARE(bureau.cibles, QStringList{FrmAbout::adresseSite()});
        f.findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        QVERIFY(!f.isVisible());
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
