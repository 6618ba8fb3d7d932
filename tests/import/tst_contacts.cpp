// The address book to files and back: export then import gives the same
// records, duplicates are recognised, an import is all or nothing.
#include "import/contacts.h"
#include "platform/erreurbase.h"
#include "store/destinataires.h"
#include "store/expediteurs.h"
#include "support/basetemporaire.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Values that stress both formats' quoting.
Contact contactDifficile(int i)
{
    Contact c;
    c.titre = i == 0 ? QStringLiteral("Maître") : QStringLiteral("Madame");
    c.nom = QStringLiteral("L'Œuvre; \"dite\", la %1").arg(i);
    c.prenom = QStringLiteral("Hélène-Ève");
    c.adresse1 = QStringLiteral("12, rue de l'Église\nEscalier B");
    c.adresse2 = QStringLiteral("Bât. \"Les Pins\"; 3e");
    c.cp = QStringLiteral("2A004");
    c.ville = QStringLiteral("Ajaccio");
    c.fonction = QStringLiteral("Présidente\\trésorière");
    c.mail = QStringLiteral("helene@exemple.fr");
    c.tel1 = QStringLiteral("+33 4 95 00 00 00");
    c.tel2 = QStringLiteral("06;07");
    return c;
}

// The contact as the given book keeps it (a recipient has no telephone, a
// sender no e-mail).
Contact gardePar(Contact c, Carnet carnet)
{
    if (carnet == Carnet::Destinataires)
        c.tel1.clear(), c.tel2.clear();
    else
        c.mail.clear();
    return c;
}

} // namespace

class TestContacts : public QObject {
    Q_OBJECT

private slots:
    void allerRetour_data()
    {
        QTest::addColumn<Carnet>("carnet");
        QTest::addColumn<FormatExport>("format");
        QTest::newRow("destinataires vCard") << Carnet::Destinataires << FormatExport::VCard;
        QTest::newRow("destinataires CSV") << Carnet::Destinataires << FormatExport::Csv;
        QTest::newRow("expéditeurs vCard") << Carnet::Expediteurs << FormatExport::VCard;
        QTest::newRow("expéditeurs CSV") << Carnet::Expediteurs << FormatExport::Csv;
    }

    void allerRetour()
    {
        QFETCH(Carnet, carnet);
        QFETCH(FormatExport, format);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(format == FormatExport::VCard ? QStringLiteral("carnet.vcf")
                                                                              : QStringLiteral("carnet.csv"));
        std::vector<Contact> originaux{gardePar(contactDifficile(0), carnet), gardePar(contactDifficile(1), carnet)};
        {
            BaseTemporaire base;
            ajouterAuCarnet(originaux, carnet);
            QCOMPARE(exporterContacts(contactsDuCarnet(carnet), carnet, format, chemin), QString());
        }
        BaseTemporaire vide;
        FichierContacts fichier;
        QCOMPARE(lireFichierContacts(chemin, fichier), QString());
        std::vector<Contact> relus;
        for (const ContactLu& lu : fichier.contacts) {
            QCOMPARE(lu.erreur, QString());
            relus.push_back(lu.contact);
        }
        ajouterAuCarnet(relus, carnet);
        QCOMPARE(contactsDuCarnet(carnet), originaux);
    }

    void doublonsReconnus()
    {
        BaseTemporaire base;
        ecrireDestinataire(kAucunEnregistrement,
                           {QStringLiteral("Madame"),
                            QStringLiteral("Lefèvre"),
                            QStringLiteral("Émilie"),
                            {},
                            {},
                            QStringLiteral("69001"),
                            {},
                            {},
                            {}});
        std::vector<ContactLu> lus(3);
        lus[0].contact.nom = QStringLiteral("LEFEVRE"), lus[0].contact.prenom = QStringLiteral("emilie"),
        lus[0].contact.cp = QStringLiteral("69001");
        lus[1].contact = lus[0].contact, lus[1].contact.cp = QStringLiteral("69002");
        lus[2].contact = lus[0].contact, lus[2].contact.prenom = QStringLiteral("Émile");
        QCOMPARE(dejaPresents(lus, Carnet::Destinataires), (std::vector<bool>{true, false, false}));
        QCOMPARE(dejaPresents(lus, Carnet::Expediteurs), (std::vector<bool>{false, false, false}));
    }

    // A failure on the last contact leaves the book as it was.
    void toutOuRien()
    {
        BaseTemporaire base;
        ecrireDestinataire(kAucunEnregistrement, {{}, QStringLiteral("Ancien"), {}, {}, {}, {}, {}, {}, {}});
        base.executer(
            QStringLiteral("CREATE TRIGGER refus BEFORE INSERT ON Destinataire WHEN NEW.Nom_Destinataire = 'Refusé'"
                           " BEGIN SELECT RAISE(ABORT, 'disque plein'); END"));
        std::vector<Contact> contacts(3);
        contacts[0].nom = QStringLiteral("Un"), contacts[1].nom = QStringLiteral("Deux"),
        contacts[2].nom = QStringLiteral("Refusé");
        try {
            ajouterAuCarnet(contacts, Carnet::Destinataires);
            QFAIL("l'échec n'a pas été signalé");
        } catch (const ErreurBase& e) {
            QVERIFY2(e.raison().contains(QStringLiteral("disque plein")), qPrintable(e.raison()));
        }
        QCOMPARE(tousLesDestinataires().size(), std::size_t(1));
        contacts.pop_back();
        ajouterAuCarnet(contacts, Carnet::Destinataires);
        QCOMPARE(tousLesDestinataires().size(), std::size_t(3));
    }
};

QTEST_MAIN(TestContacts)
#include "tst_contacts.moc"
