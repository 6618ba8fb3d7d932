#include "richtext/richtextbox.h"

#include "collage.h"
#include "images.h"
#include "numeropage.h"
#include "rtf.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSaveFile>
#include <QTextBlock>

#include <memory>

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(false);
    setAcceptRichText(true);
    NumeroPage::installer(*document());
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (!m_chargement)
            emit Change();
    });
}

QString RichTextBox::TextRTF() const
{
    return rtf::ecrireRtf(*document());
}

void RichTextBox::setTextRTF(const QString& rtf)
{
    // Loading clears then fills the document: one change for the two.
    m_chargement = true;
    // The typing position stays at the start while the text is read: at the
    // end, it would make the whole text be laid out before anything shows.
    QTextCursor curseur = textCursor();
    curseur.setKeepPositionOnInsert(true);
    setTextCursor(curseur);
    rtf::lireRtf(rtf, *document());
    curseur = textCursor();
    curseur.setKeepPositionOnInsert(false);
    // The anchor followed the inserted text: nothing is selected after a load.
    curseur.setPosition(curseur.position());
    setTextCursor(curseur);
    m_chargement = false;
    emit Change();
}

bool RichTextBox::SaveFile(const QString& chemin, int format, QString* raison, const std::optional<rtf::PageRtf>& page)
{
    const auto echec = [raison](const QString& texte) {
        if (raison)
            *raison = texte;
        return false;
    };
    if (format != 0)
        return echec(QStringLiteral("Format d'enregistrement inconnu : %1.").arg(format));
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return echec(QStringLiteral("Impossible de créer le fichier « %1 » : %2").arg(chemin, fichier.errorString()));
    const QByteArray octets = rtf::ecrireRtf(*document(), page).toLatin1();
    if (fichier.write(octets) != octets.size() || !fichier.commit())
        return echec(QStringLiteral("Impossible d'écrire le fichier « %1 » : %2").arg(chemin, fichier.errorString()));
    return true;
}

// `lire` gives the value of one character format; the selection has one
// value when every run it covers gives the same.
template <typename T, typename Lire>
std::optional<T> RichTextBox::valeurSelection(Lire lire) const
{
    const QTextCursor curseur = textCursor();
    if (!curseur.hasSelection())
        return lire(curseur.charFormat());
    const int debut = curseur.selectionStart();
    const int fin = curseur.selectionEnd();
    std::optional<T> valeur;
    for (QTextBlock bloc = document()->findBlock(debut); bloc.isValid() && bloc.position() < fin; bloc = bloc.next()) {
        for (auto it = bloc.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() + f.length() <= debut || f.position() >= fin)
                continue;
            const T v = lire(f.charFormat());
            if (valeur && *valeur != v)
                return std::nullopt;
            valeur = v;
        }
    }
    if (!valeur)
        return lire(curseur.charFormat()); // only paragraph ends are selected
    return valeur;
}

std::optional<bool> RichTextBox::SelBold() const
{
    return valeurSelection<bool>([](const QTextCharFormat& f) { return f.fontWeight() >= QFont::DemiBold; });
}

void RichTextBox::setSelBold(bool actif)
{
    QTextCharFormat f;
    f.setFontWeight(actif ? QFont::Bold : QFont::Normal);
    mergeCurrentCharFormat(f);
}

std::optional<bool> RichTextBox::SelItalic() const
{
    return valeurSelection<bool>([](const QTextCharFormat& f) { return f.fontItalic(); });
}

void RichTextBox::setSelItalic(bool actif)
{
    QTextCharFormat f;
    f.setFontItalic(actif);
    mergeCurrentCharFormat(f);
}

std::optional<bool> RichTextBox::SelUnderline() const
{
    return valeurSelection<bool>([](const QTextCharFormat& f) { return f.fontUnderline(); });
}

void RichTextBox::setSelUnderline(bool actif)
{
    QTextCharFormat f;
    f.setFontUnderline(actif);
    mergeCurrentCharFormat(f);
}

std::optional<bool> RichTextBox::SelStrikeThru() const
{
    return valeurSelection<bool>([](const QTextCharFormat& f) { return f.fontStrikeOut(); });
}

void RichTextBox::setSelStrikeThru(bool actif)
{
    QTextCharFormat f;
    f.setFontStrikeOut(actif);
    mergeCurrentCharFormat(f);
}

std::optional<QColor> RichTextBox::SelColor() const
{
    const QColor parDefaut = palette().color(QPalette::Text);
    return valeurSelection<QColor>([&parDefaut](const QTextCharFormat& f) {
        return f.foreground().style() == Qt::NoBrush ? parDefaut : f.foreground().color();
    });
}

void RichTextBox::setSelColor(const QColor& couleur)
{
    QTextCharFormat f;
    f.setForeground(couleur);
    mergeCurrentCharFormat(f);
}

std::optional<QString> RichTextBox::SelFontName() const
{
    const QString parDefaut = document()->defaultFont().family();
    return valeurSelection<QString>([&parDefaut](const QTextCharFormat& f) {
        const QString nom = f.property(QTextFormat::FontFamilies).toStringList().value(0);
        return nom.isEmpty() ? parDefaut : nom;
    });
}

void RichTextBox::setSelFontName(const QString& nom)
{
    QTextCharFormat f;
    rtf::donnerFamille(f, nom);
    mergeCurrentCharFormat(f);
}

std::optional<double> RichTextBox::SelFontSize() const
{
    const double parDefaut = document()->defaultFont().pointSizeF();
    return valeurSelection<double>(
        [parDefaut](const QTextCharFormat& f) { return f.fontPointSize() > 0 ? f.fontPointSize() : parDefaut; });
}

void RichTextBox::setSelFontSize(double points)
{
    if (points <= 0)
        return;
    QTextCharFormat f;
    f.setFontPointSize(points);
    mergeCurrentCharFormat(f);
}

std::optional<int> RichTextBox::SelAlignment() const
{
    const auto code = [](const QTextBlock& b) {
        const Qt::Alignment a = b.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignHCenter)
            return 2;
        if ((a & Qt::AlignJustify) != Qt::AlignJustify && (a & (Qt::AlignRight | Qt::AlignTrailing)))
            return 1;
        return 0;
    };
    auto [bloc, dernier] = paragraphesSelection();
    const int valeur = code(bloc);
    while (bloc.isValid() && bloc != dernier) {
        bloc = bloc.next();
        if (code(bloc) != valeur)
            return std::nullopt;
    }
    return valeur;
}

std::pair<QTextBlock, QTextBlock> RichTextBox::paragraphesSelection() const
{
    const QTextCursor curseur = textCursor();
    const QTextBlock premier = document()->findBlock(curseur.selectionStart());
    QTextBlock dernier = document()->findBlock(curseur.selectionEnd());
    if (dernier != premier && dernier.position() == curseur.selectionEnd())
        dernier = dernier.previous();
    return {premier, dernier};
}

void RichTextBox::setSelAlignment(int alignement)
{
    QTextBlockFormat format;
    switch (alignement) {
    case 0: format.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute); break;
    case 1: format.setAlignment(Qt::AlignRight | Qt::AlignAbsolute); break;
    case 2: format.setAlignment(Qt::AlignHCenter); break;
    default: return;
    }
    const auto [premier, dernier] = paragraphesSelection();
    QTextCursor paragraphes(document());
    paragraphes.setPosition(premier.position());
    paragraphes.setPosition(dernier.position(), QTextCursor::KeepAnchor);
    paragraphes.mergeBlockFormat(format);
}

int RichTextBox::longueurTexte() const
{
    return document()->characterCount() - 1;
}

bool RichTextBox::insererImage(const QImage& image, QString* raison)
{
    if (image.isNull()) {
        if (raison)
            *raison = QStringLiteral("L'image est vide ou illisible.");
        return false;
    }
    // Shown at its own size, as it would be printed at its resolution.
    const double pointsParMetre = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() : 3780.0;
    const double echelle = logicalDpiX() / (pointsParMetre * 0.0254);
    const QSizeF taille(image.width() * echelle, image.height() * echelle);
    textCursor().insertImage(rtf::ajouterImage(*document(), image, taille));
    return true;
}

bool RichTextBox::canInsertFromMimeData(const QMimeData* source) const
{
    for (const QString& type : collage::typesRtf()) {
        if (source->hasFormat(type))
            return true;
    }
    return QTextEdit::canInsertFromMimeData(source);
}

void RichTextBox::insertFromMimeData(const QMimeData* source)
{
    if (isReadOnly())
        return;
    if (!source->hasFormat(QLatin1StringView(collage::kTypeTilvo))) {
        QTextDocument lu;
        bool pret = false;
        for (const QString& type : collage::typesRtf()) {
            if (source->hasFormat(type)) {
                pret = rtf::lireRtf(rtf::decoderFichier(source->data(type)), lu);
                break;
            }
        }
        if (!pret && source->hasHtml()) {
            lu.setHtml(source->html());
            pret = true;
        }
        if (pret) {
            QTextCursor curseur = textCursor();
            collage::insererNettoye(lu, curseur);
            setTextCursor(curseur);
            ensureCursorVisible();
            return;
        }
    }
    QTextEdit::insertFromMimeData(source);
}

QMimeData* RichTextBox::createMimeDataFromSelection() const
{
    QMimeData* donnees = QTextEdit::createMimeDataFromSelection();
    donnees->setData(QLatin1StringView(collage::kTypeTilvo), QByteArrayLiteral("1"));
    return donnees;
}

void RichTextBox::mouseReleaseEvent(QMouseEvent* e)
{
    QTextEdit::mouseReleaseEvent(e);
    emit Click();
}

void RichTextBox::keyReleaseEvent(QKeyEvent* e)
{
    QTextEdit::keyReleaseEvent(e);
    emit KeyUp(e->key());
}

QMenu* RichTextBox::creerMenuContextuel(const QPoint& position)
{
    QMenu* menu = createStandardContextMenu(position);
    emit menuContextuel(menu, position);
    return menu;
}

void RichTextBox::contextMenuEvent(QContextMenuEvent* e)
{
    const std::unique_ptr<QMenu> menu(creerMenuContextuel(e->pos()));
    menu->exec(e->globalPos());
}
