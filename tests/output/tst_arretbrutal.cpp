// A mass print killed (kill -9) between two letters: the journal holds an
// entry for each letter handed to the printer, and for no other. The killing
// is done by the test printer of a child process, as the third job starts.

#include "app/mdgeneral.h"
#include "output/composition.h"
#include "output/impressionlettre.h"
#include "platform/connexion.h"
#include "richtext/richtextbox.h"
#include "store/journal.h"
#include "support/basetemporaire.h"
#include "support/dialoguesscriptes.h"
#include "support/imprimanteessai.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

constexpr int kImprimeesAvantArret = 2;

// Dies as the job after the given count of written files is asked for.
class ImprimanteFauchee : public ImprimanteEssai {
public:
    using ImprimanteEssai::ImprimanteEssai;
    ImprimanteObtenue nouvelleImprimante() override
    {
        if (QDir(m_dossier).entryList({QStringLiteral("*.pdf")}, QDir::Files).size() >= kImprimeesAvantArret)
            std::raise(SIGKILL);
        return ImprimanteEssai::nouvelleImprimante();
    }
    QString m_dossier;
};

// The child: prints five letters to the database of `dossierBase`, printer
// output in `dossierPapier`.
int imprimerJusquALArret(const QString& dossierBase, const QString& dossierPapier)
{
    QStandardPaths::setTestModeEnabled(true);
    mdGeneral::DefinirDossierApplication(dossierBase);
    mdGeneral::OuvrirBase();
    installerDialoguesScriptes();
    auto* imprimante = new ImprimanteFauchee(dossierPapier);
    imprimante->m_dossier = dossierPapier;
    installerImprimantes(imprimante);
    SaisieLettre saisie;
    saisie.nomExp = QStringLiteral("Martin");
    saisie.objetLettre = QStringLiteral("Résiliation");
    saisie.lignesDestinataires = 5;
    saisie.depuisModele = false;
    RichTextBox lettre;
    lettre.setTextRTF(TexteLettreEnNombre(saisie, QString()));
    ImprimerLettre({false, {1, 2, 3, 4, 5}}, *lettre.document());
    return 0;
}

} // namespace

class TestArretBrutal : public QObject {
    Q_OBJECT

private slots:
    void journalFideleAuxLettresRemises()
    {
        BaseTemporaire base;
        base.executer(QStringLiteral("INSERT INTO Destinataire (Numero_Destinataire, Nom_Destinataire) VALUES "
                                     "(1, 'Un'), (2, 'Deux'), (3, 'Trois'), (4, 'Quatre'), (5, 'Cinq')"));
        QTemporaryDir papier;
        QProcess enfant;
        enfant.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--enfant"), base.dossier(), papier.path()});
        QVERIFY(enfant.waitForFinished(120000));
        QCOMPARE(enfant.exitStatus(), QProcess::CrashExit);

        QCOMPARE(QDir(papier.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files).size(), kImprimeesAvantArret);
        QStringList noms;
        for (const EntreeJournal& e : lireJournal())
            noms.prepend(e.destinataire.nom);
        QCOMPARE(noms, (QStringList{QStringLiteral("Un"), QStringLiteral("Deux")}));
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--enfant")
        return imprimerJusquALArret(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestArretBrutal test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_arretbrutal.moc"
