#include "app/frmaccueil.h"
#include "app/mdgeneral.h"
#include "output/impressionrtf.h"
#include "platform/imprimante.h"
#include "richtext/frmtexte.h"
#include "richtext/orthographe/verificateurtest.h"
#include "richtext/orthographe/verificationtexte.h"
#include "richtext/richtextbox.h"
#include "store/requetes.h"
#include "support/banc.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QTextBlock>
#include <QtTest>

using orthographe::Verificateur;

namespace {

const QString kRtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\pard\\fs20 "
                                    "Une lettre \\b tr\\'e9s\\b0  importante, une fote.\\par}");

// Whether a page of the PDF file shows anything red.
bool rougeSurPapier(const QString& pdf)
{
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"),
                       QStringLiteral("-singlefile"), pdf, pdf});
    const QImage page(pdf + QStringLiteral(".png"));
    if (page.isNull())
        qFatal("pdftoppm n'a pas rendu %s", qPrintable(pdf));
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                return true;
        }
    }
    return false;
}

// The words drawn with the red wavy underline.
QStringList soulignes(const QTextDocument& document)
{
    QStringList mots;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (const QTextLayout::FormatRange& r : b.layout()->formats()) {
            if (r.format.underlineStyle() == QTextCharFormat::WaveUnderline && r.format.underlineColor() == Qt::red)
                mots.append(b.text().mid(r.start, r.length));
        }
    }
    return mots;
}

QAction* action(const QMenu& menu, const QString& texte)
{
    for (QAction* a : menu.actions()) {
        if (a->text() == texte)
            return a;
    }
    return nullptr;
}

// The right-click menu over the middle of `mot`.
std::unique_ptr<QMenu> menuSur(RichTextBox& texte, const QString& mot)
{
    QTextCursor c = texte.document()->find(mot);
    c.setPosition(c.selectionStart() + 1);
    return std::unique_ptr<QMenu>(texte.creerMenuContextuel(texte.cursorRect(c).center()));
}

} // namespace

class TestVerificationTexte : public QObject {
    Q_OBJECT

private:
    std::optional<BancEssai> m_banc;
    std::unique_ptr<VerificateurTest> m_dictionnaire;
    std::unique_ptr<RichTextBox> m_texte;

private slots:
    void init()
    {
        m_banc.emplace();
        m_banc->sansImprimante();
        m_dictionnaire = std::make_unique<VerificateurTest>();
        orthographe::installerVerificateur(m_dictionnaire->creer().release());
        m_texte = std::make_unique<RichTextBox>();
        m_texte->resize(500, 300);
        m_texte->show();
        orthographe::brancherOrthographe(*m_texte);
        m_texte->setTextRTF(kRtf);
    }

    void cleanup()
    {
        m_texte.reset();
        m_banc.reset();
    }

    // The underline is drawn on screen only: neither the printed letter nor
    // its RTF has it (the RTF is the same with checking on and off), and
    // turning checking off is remembered in the settings file.
    void soulignementSansToucherAuTexte()
    {
        QCOMPARE(soulignes(*m_texte->document()), QStringList({QStringLiteral("trés"), QStringLiteral("fote")}));
        const QString avec = m_texte->TextRTF();
        const ImprimanteEssai& imprimante = m_banc->imprimante();
        QVERIFY(ImprimerRTF(*m_texte->document(), 1200, 1500, 1200, 1500).ok());
        QVERIFY(!rougeSurPapier(imprimante.fichiers().value(0)));

        const auto menu = menuSur(*m_texte, QStringLiteral("importante"));
        QAction* verifier = action(*menu, QStringLiteral("Vérifier l'orthographe"));
        QVERIFY(verifier && verifier->isCheckable() && verifier->isChecked());
        QVERIFY(!action(*menu, QStringLiteral("Ignorer")));
        verifier->trigger();

        QCOMPARE(soulignes(*m_texte->document()), QStringList());
        QCOMPARE(m_texte->TextRTF(), avec);
        QCOMPARE(mdGeneral::LireIni(QStringLiteral("Orthographe"), QStringLiteral("Active"), {}), QStringLiteral("0"));
        QVERIFY(!m_texte->document()->isUndoAvailable());
    }

    // The menu starts with the suggestions; one of them replaces the word in
    // its format, and one undo brings the word back. A word added or ignored
    // is no longer underlined, and the personal list keeps the added one.
    void menu()
    {
        const auto menu = menuSur(*m_texte, QStringLiteral("trés"));
        const QList<QAction*> actions = menu->actions();
        const qsizetype n = actions.indexOf(action(*menu, QStringLiteral("Ajouter au dictionnaire")));
        QVERIFY(n >= 2 && n <= 7 && actions[n - 1]->isSeparator());
        QCOMPARE(actions[n + 1]->text(), QStringLiteral("Ignorer"));
        QCOMPARE(actions[n + 2]->text(), QStringLiteral("Vérifier l'orthographe"));
        QVERIFY(actions[n + 3]->isSeparator() && actions.size() > n + 4); // the editing commands follow

        action(*menu, QStringLiteral("très"))->trigger();
        QCOMPARE(m_texte->toPlainText(), QStringLiteral("Une lettre très importante, une fote.\n"));
        QTextCursor c(m_texte->document());
        c.setPosition(12);
        QCOMPARE(c.charFormat().fontWeight(), QFont::Bold);
        m_texte->document()->undo();
        QCOMPARE(m_texte->toPlainText(), QStringLiteral("Une lettre trés importante, une fote.\n"));

        action(*menuSur(*m_texte, QStringLiteral("fote")), QStringLiteral("Ajouter au dictionnaire"))->trigger();
        action(*menuSur(*m_texte, QStringLiteral("trés")), QStringLiteral("Ignorer"))->trigger();
        QCOMPARE(soulignes(*m_texte->document()), QStringList());
        QFile liste(m_dictionnaire->personnel);
        QVERIFY(liste.open(QIODevice::ReadOnly));
        QCOMPARE(liste.readAll(), QByteArray("fote\n"));
    }

    // Without a dictionary nothing is underlined, the menu says why, and
    // the settings stay as they were.
    void dictionnaireAbsent()
    {
        m_texte.reset();
        orthographe::installerVerificateur(new Verificateur(QStringLiteral("/nulle/part/fr_FR.aff"),
                                                            QStringLiteral("/nulle/part/fr_FR.dic"), QString()));
        m_texte = std::make_unique<RichTextBox>();
        orthographe::brancherOrthographe(*m_texte);
        m_texte->setTextRTF(kRtf);
        QCOMPARE(soulignes(*m_texte->document()), QStringList());
        const auto menu = menuSur(*m_texte, QStringLiteral("fote"));
        QAction* premiere = menu->actions().first();
        QCOMPARE(premiere->text(), orthographe::VerificationTexte::texteIndisponible());
        QVERIFY(!premiere->isEnabled());
        QVERIFY(!action(*menu, QStringLiteral("Vérifier l'orthographe")));
        QVERIFY(!QFile::exists(mdGeneral::CheminIni()));
    }

    // The letter area and the model editor both check; a name saved to the
    // address book after the first check passes.
    void fenetres()
    {
        FrmAccueil accueil;
        Recordset rs;
        rs.open(requetes::tousDestinataires());
        rs.addNew();
        rs.setValue(QStringLiteral("Nom_Destinataire"), QStringLiteral("Kerhervé"));
        rs.setValue(QStringLiteral("Ville_Destinataire"), QStringLiteral("Plougasnou"));
        rs.update();
        accueil.txtText()->setTextRTF(QStringLiteral("{\\rtf1\\ansi Madame Kerherv\\'e9 \\'e0 Plougasnou, une fote.}"));
        QCOMPARE(soulignes(*accueil.txtText()->document()), QStringList({QStringLiteral("fote")}));

        std::unique_ptr<FrmTexte> editeur(FrmTexte::pourModele(QStringLiteral("1"), kRtf));
        QCOMPARE(soulignes(*editeur->txtText()->document()),
                 QStringList({QStringLiteral("trés"), QStringLiteral("fote")}));
    }
};

QTEST_MAIN(TestVerificationTexte)
#include "tst_verificationtexte.moc"
