#include "support/pdfmots.h"

#include "app/frmoption.h"
#include "app/mdgeneral.h"
#include "output/fenetreenveloppe.h"
#include "output/reglageenveloppe.h"
#include "support/banc.h"
#include "support/outilsfenetre.h"
#include "support/serveuressai.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class TestFrmOption : public QObject {
    Q_OBJECT

private:
    std::optional<BancEssai> m_banc;

    static QString formatEnregistre()
    {
        return mdGeneral::LireIni(QStringLiteral("Enveloppe"), QStringLiteral("Format"), QString());
    }

    static QRadioButton* optEnv(FrmOption& f, int i)
    {
        return f.findChild<QRadioButton*>(QStringLiteral("optEnv(%1)").arg(i));
    }

    static void cliquer(FrmOption& f, const char* nom) { controle<QPushButton>(f, QLatin1String(nom))->click(); }

    static QLineEdit* zone(FrmOption& f, const char* nom) { return controle<QLineEdit>(f, QLatin1String(nom)); }

    static QString cleBase(const char* cle)
    {
        return mdGeneral::LireIni(QStringLiteral("Base"), QLatin1String(cle), QString());
    }

    // The server's fields filled as the user would, and the connection
    // tested: what the window said.
    QString testerConnexion(const ParametresServeur& p)
    {
        FrmOption f;
        f.show();
        controle<QRadioButton>(f, QStringLiteral("optBase(1)"))->click();
        zone(f, "txtHote")->setText(p.hote);
        zone(f, "txtBase")->setText(p.base);
        zone(f, "txtUtilisateur")->setText(p.utilisateur);
        m_banc->dialogues.messages.clear();
        cliquer(f, "cmdTesterBase");
        return m_banc->dialogues.messages.size() == 1 ? m_banc->dialogues.messages[0].texte : QString();
    }

private slots:
    void init() { m_banc.emplace(); }

    void cleanup() { m_banc.reset(); }

    // The printer's calibration is kept under its name, beside the format,
    // and the test page comes out at the envelope's size with its
    // instruction.
    void reglageEtPageEssai()
    {
        ImprimanteEssai& imprimante = m_banc->imprimante();
        {
            FrmOption f;
            f.findChild<QDoubleSpinBox*>(QStringLiteral("spnDecalageX"))->setValue(3.5);
            f.findChild<QDoubleSpinBox*>(QStringLiteral("spnDecalageY"))->setValue(-2);
            auto* rotation = f.findChild<QComboBox*>(QStringLiteral("cmbRotation"));
            rotation->setCurrentIndex(rotation->findData(180));
            cliquer(f, "cmdPageEssai");
            cliquer(f, "cmdOk");
        }
        const ReglageEnveloppe attendu{3.5, -2, 180};
        QCOMPARE(lireReglageEnveloppe(QStringLiteral("PDF")), attendu);
        QCOMPARE(formatEnregistre(), QStringLiteral("0"));
        QCOMPARE(imprimante.fichiers().size(), 1);
        const ContenuPdf pdf = lirePdf(imprimante.fichiers()[0]);
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(qAbs(pdf.pages[0].width() - 16.2) < 0.05 && qAbs(pdf.pages[0].height() - 11.4) < 0.05);
        QVERIFY2(pdf.texte(0).contains(QStringLiteral("Mesurez l'écart entre la croix et le coin de l'enveloppe")),
                 qPrintable(pdf.texte(0)));
    }

    // Six buttons top to bottom 0, 1, 2, 3, 5, 4, the hint labels under
    // the last four.
    void fenetre()
    {
        FrmOption f;
        f.show();
        QCOMPARE(f.objectName(), QStringLiteral("FrmOption"));
        QCOMPARE(f.windowTitle(), QStringLiteral("Options"));
        const QList<int> ordre{0, 1, 2, 3, 5, 4};
        const QStringList libelles{"Enveloppe 114 x 162",        "Enveloppe 110 x 220", "Enveloppe 114 x 162 à case",
                                   "Enveloppe 110 x 220 à case", "Enveloppe 110 x 220", "Enveloppe 110 x 220 à case"};
        const QStringList indications{"",
                                      "",
                                      "(impression horizontale)",
                                      "(impression horizontale)",
                                      "(impression verticale)",
                                      "(impression verticale)"};
        int y = -1;
        for (int rang = 0; rang < 6; ++rang) {
            const int code = ordre[rang];
            QRadioButton* bouton = optEnv(f, code);
            QVERIFY(bouton);
            QCOMPARE(bouton->text(), libelles[rang]);
            QVERIFY(bouton->y() > y);
            y = bouton->y();
            auto* indication = f.findChild<QLabel*>(QStringLiteral("lblEnv(%1)").arg(code));
            QCOMPARE(indication ? indication->text() : QString(), indications[rang]);
            if (indication) {
                QVERIFY(indication->y() > y);
                y = indication->y();
            }
        }
        QCOMPARE(f.findChild<QPushButton*>("cmdOk")->text(), QStringLiteral("Ok"));
        QCOMPARE(f.findChild<QPushButton*>("cmdAnnuler")->text(), QStringLiteral("Annuler"));
        QVERIFY(f.findChild<QGroupBox*>()
                && f.findChild<QGroupBox*>()->title() == QStringLiteral("Type d'enveloppe :"));
    }

    // The window envelope's outline on the letter: the default French window
    // lands 95 mm from the sheet's left edge and 39 mm from its top; a
    // window set in the options moves it, one off the envelope is refused
    // with a message and the dialog stays open.
    void fenetreEnveloppe()
    {
        QCOMPARE(fenetreSurLaLettre(lireFenetreEnveloppe()), QRectF(95, 39, 100, 45));
        FrmOption f;
        f.show();
        f.findChild<QDoubleSpinBox*>(QStringLiteral("spnLargeurFenetre"))->setValue(90);
        f.findChild<QDoubleSpinBox*>(QStringLiteral("spnBasFenetre"))->setValue(60);
        cliquer(f, "cmdOk");
        QVERIFY(m_banc->dialogues.messages.isEmpty());
        // Above the fold's reach, only the top third of the sheet shows.
        QCOMPARE(fenetreSurLaLettre(lireFenetreEnveloppe()), QRectF(105, 0, 90, 39));

        FrmOption g;
        g.show();
        QCOMPARE(g.findChild<QDoubleSpinBox*>(QStringLiteral("spnLargeurFenetre"))->value(), 90.0);
        g.findChild<QDoubleSpinBox*>(QStringLiteral("spnDroiteFenetre"))->setValue(150);
        cliquer(g, "cmdOk");
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QVERIFY(m_banc->dialogues.messages[0].texte.contains(QStringLiteral("dépasserait")));
        QVERIFY(g.isVisible());
        QCOMPARE(lireFenetreEnveloppe().droiteMm, 20.0);
    }

    void premiereUtilisation()
    {
        {
            FrmOption f;
            QVERIFY(optEnv(f, 0)->isChecked());
            f.show();
            cliquer(f, "cmdAnnuler");
            QVERIFY(!f.isVisible());
        }
        QVERIFY(!QFile::exists(mdGeneral::CheminIni()) || formatEnregistre().isEmpty());
        FrmOption f;
        f.show();
        cliquer(f, "cmdOk");
        QVERIFY(!f.isVisible());
        QCOMPARE(formatEnregistre(), QStringLiteral("0"));
    }

    void choixStockeParCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("dernier à l'écran") << 4;
        QTest::newRow("celui au-dessus") << 5;
        QTest::newRow("3") << 3;
    }

    void choixStockeParCode()
    {
        QFETCH(int, code);
        {
            FrmOption f;
            f.show();
            optEnv(f, code)->click();
            cliquer(f, "cmdOk");
        }
        QCOMPARE(formatEnregistre(), QString::number(code));
        FrmOption rouverte;
        QVERIFY(optEnv(rouverte, code)->isChecked());
        QCOMPARE(rouverte.codeSelectionne(), code);
    }

    void valeurInattendue_data()
    {
        QTest::addColumn<QString>("valeur");
        QTest::newRow("6") << "6";
        QTest::newRow("-1") << "-1";
        QTest::newRow("texte") << "B";
    }

    void valeurInattendue()
    {
        QFETCH(QString, valeur);
        QVERIFY(mdGeneral::EcrireIni(QStringLiteral("Enveloppe"), QStringLiteral("Format"), valeur, QString()).ok());
        FrmOption f;
        QVERIFY(optEnv(f, 0)->isChecked());
        f.show();
        cliquer(f, "cmdAnnuler");
        QCOMPARE(formatEnregistre(), valeur);
    }

    // Escape is "Annuler", Enter is "Ok".
    void clavier()
    {
        for (const Qt::Key touche : {Qt::Key_Escape, Qt::Key_Return}) {
            FrmOption f;
            f.show();
            f.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&f));
            optEnv(f, 3)->click();
            QTest::keyClick(optEnv(f, 3), touche);
            QVERIFY(!f.isVisible());
        }
        QCOMPARE(formatEnregistre(), QStringLiteral("3"));
    }

    // The database choice comes from section "Base" and goes back there;
    // a port out of range saves nothing, and the user is told once that a
    // new choice waits for the next start.
    void choixBase()
    {
        const QString prochainDemarrage = QStringLiteral(
            "La nouvelle base de données sera utilisée au prochain démarrage du programme.");
        ChoixBase serveur;
        serveur.type = ChoixBase::Type::PostgreSQL;
        serveur.serveur = {QStringLiteral("srv.bureau"), 6543,
                           QStringLiteral("lettres"),    QStringLiteral("secretariat"),
                           QStringLiteral("require"),    QString()};
        QVERIFY(mdGeneral::EnregistrerChoixBase(serveur).ok());
        {
            FrmOption f;
            f.show();
            QVERIFY(controle<QRadioButton>(f, QStringLiteral("optBase(1)"))->isChecked());
            QCOMPARE(zone(f, "txtPort")->text(), QStringLiteral("6543"));
            QCOMPARE(controle<QComboBox>(f, QStringLiteral("cboModeSsl"))->currentText(), QStringLiteral("require"));
            zone(f, "txtPort")->setText(QStringLiteral("70000"));
            zone(f, "txtHote")->setText(QStringLiteral("autre.bureau"));
            optEnv(f, 3)->click();
            cliquer(f, "cmdOk");
            QVERIFY(f.isVisible());
            QCOMPARE(m_banc->dialogues.messages.size(), 1);
            QVERIFY(m_banc->dialogues.messages[0].texte.contains(QStringLiteral("65535")));
            QCOMPARE(mdGeneral::ChoixBaseCourant().serveur, serveur.serveur);
            QVERIFY(formatEnregistre().isEmpty());

            zone(f, "txtPort")->clear();
            cliquer(f, "cmdOk");
            QVERIFY(!f.isVisible());
            QCOMPARE(m_banc->dialogues.messages.size(), 2);
            QCOMPARE(m_banc->dialogues.messages[1].texte, prochainDemarrage);
        }
        QCOMPARE(cleBase("Hote"), QStringLiteral("autre.bureau"));
        QCOMPARE(cleBase("Port"), QString());
        QCOMPARE(cleBase("Utilisateur"), QStringLiteral("secretariat"));
        {
            FrmOption f;
            f.show();
            cliquer(f, "cmdOk");
            QCOMPARE(m_banc->dialogues.messages.size(), 2);
        }
        FrmOption f;
        f.show();
        controle<QRadioButton>(f, QStringLiteral("optBase(0)"))->click();
        QVERIFY(!zone(f, "txtHote")->isEnabled());
        cliquer(f, "cmdOk");
        QCOMPARE(cleBase("Type"), QStringLiteral("SQLite"));
        QCOMPARE(m_banc->dialogues.messages.size(), 3);
        QCOMPARE(m_banc->dialogues.messages[2].texte, prochainDemarrage);
    }

    // "Tester la connexion" against a real server: its version, or the
    // reason in French for a database that does not exist.
    void testerBase()
    {
        EXIGER_SERVEUR_ESSAI(serveur);
        ParametresServeur p = serveur->nouvelleBase();
        const QString reussite = testerConnexion(p);
        QVERIFY2(reussite.startsWith(QStringLiteral("Connexion réussie : PostgreSQL 15.")), qPrintable(reussite));
        p.base = QStringLiteral("inexistante");
        const QString echec = testerConnexion(p);
        QCOMPARE(m_banc->dialogues.messages[0].titre, QStringLiteral("Erreur"));
        QVERIFY2(echec.contains(QStringLiteral("« inexistante sur ")), qPrintable(echec));
        // No password is asked for a database that does not exist.
        QVERIFY(m_banc->dialogues.demandes.isEmpty());
        QVERIFY(cleBase("Type").isEmpty());

        // A user who must give a password is asked it, once.
        m_banc->dialogues.textes.enqueue(QString::fromUtf8(ServeurEssai::kMotDePasse));
        const QString protegee = testerConnexion(serveur->nouvelleBaseProtegee());
        QVERIFY2(protegee.startsWith(QStringLiteral("Connexion réussie")), qPrintable(protegee));
        QCOMPARE(m_banc->dialogues.demandes.size(), 1);
    }

    // The settings file cannot be written: the reason is shown and the
    // dialog stays open.
    void ecritureImpossible()
    {
        QVERIFY(QDir().mkpath(mdGeneral::CheminIni()));
        FrmOption f;
        f.show();
        optEnv(f, 2)->click();
        cliquer(f, "cmdOk");
        QVERIFY(f.isVisible());
        QCOMPARE(m_banc->dialogues.messages.size(), 1);
        QCOMPARE(m_banc->dialogues.messages[0].titre, QStringLiteral("Erreur"));
        QVERIFY(!m_banc->dialogues.messages[0].texte.isEmpty());
        QVERIFY(optEnv(f, 2)->isChecked());
    }
};

QTEST_MAIN(TestFrmOption)
#include "tst_frmoption.moc"
