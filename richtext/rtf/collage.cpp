#include "collage.h"

#include "images.h"
#include "rtf.h"

#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace collage {

namespace {

// CSS pixels are 1/96 inch.
constexpr double kPointsParPixelCss = 72.0 / 96.0;

// The format of the insertion point, without what makes it a picture or a
// field: the base of pasted text.
QTextCharFormat formatDeBase(const QTextCursor& curseur)
{
    QTextCharFormat f = curseur.charFormat();
    for (const int p : {int(QTextFormat::ObjectType), int(QTextFormat::ImageName), int(QTextFormat::ImageWidth),
                        int(QTextFormat::ImageHeight), int(QTextFormat::IsAnchor), int(QTextFormat::AnchorHref),
                        int(QTextFormat::AnchorName), int(QTextFormat::BackgroundBrush)})
        f.clearProperty(p);
    return f;
}

QTextCharFormat formatNettoye(const QTextCharFormat& source, QTextCharFormat f)
{
    f.setFontWeight(source.fontWeight() >= QFont::DemiBold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(source.fontItalic());
    f.setFontUnderline(source.fontUnderline());
    f.setFontStrikeOut(source.fontStrikeOut());
    const QTextCharFormat::VerticalAlignment position = source.verticalAlignment();
    f.setVerticalAlignment(position == QTextCharFormat::AlignSuperScript || position == QTextCharFormat::AlignSubScript
                               ? position
                               : QTextCharFormat::AlignNormal);
    if (source.hasProperty(QTextFormat::FontPointSize) && source.fontPointSize() > 0)
        f.setFontPointSize(source.fontPointSize());
    else if (source.hasProperty(QTextFormat::FontPixelSize) && source.intProperty(QTextFormat::FontPixelSize) > 0)
        f.setFontPointSize(source.intProperty(QTextFormat::FontPixelSize) * kPointsParPixelCss);
    if (source.foreground().style() != Qt::NoBrush)
        f.setForeground(source.foreground().color());
    return f;
}

QImage imageDe(const QTextDocument& source, const QTextImageFormat& format)
{
    const QVariant r = source.resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (r.userType() == QMetaType::QImage)
        return r.value<QImage>();
    if (r.userType() == QMetaType::QPixmap)
        return r.value<QPixmap>().toImage();
    return {};
}

} // namespace

const QStringList& typesRtf()
{
    static const QStringList types{QStringLiteral("text/rtf"), QStringLiteral("application/rtf")};
    return types;
}

void insererNettoye(const QTextDocument& source, QTextCursor& curseur)
{
    curseur.beginEditBlock();
    curseur.removeSelectedText();
    const QTextCharFormat base = formatDeBase(curseur);
    const bool paragrapheVide = curseur.block().length() == 1;
    for (QTextBlock bloc = source.begin(); bloc.isValid(); bloc = bloc.next()) {
        const bool premier = bloc == source.begin();
        QTextBlockFormat paragraphe = curseur.blockFormat();
        paragraphe.clearBackground();
        if (bloc.blockFormat().hasProperty(QTextFormat::BlockAlignment))
            paragraphe.setAlignment(bloc.blockFormat().alignment());
        if (!premier)
            curseur.insertBlock(paragraphe, base);
        else if (paragrapheVide)
            curseur.setBlockFormat(paragraphe);
        for (auto it = bloc.begin(); !it.atEnd(); ++it) {
            const QTextFragment morceau = it.fragment();
            const QTextCharFormat format = morceau.charFormat();
            if (format.isImageFormat()) {
                const QTextImageFormat image = format.toImageFormat();
                const QImage donnees = imageDe(source, image);
                if (donnees.isNull())
                    continue; // a picture of a web page, never downloaded
                for (int i = 0; i < morceau.length(); ++i)
                    curseur.insertImage(
                        rtf::ajouterImage(*curseur.document(), donnees, QSizeF(image.width(), image.height())));
                continue;
            }
            QTextCharFormat propre = formatNettoye(format, base);
            if (format.objectType() == rtf::kObjetNumeroPage)
                propre.setObjectType(rtf::kObjetNumeroPage);
            QString texte = morceau.text();
            if (format.objectType() != rtf::kObjetNumeroPage)
                texte.remove(QChar::ObjectReplacementCharacter);
            curseur.insertText(texte, propre);
        }
    }
    curseur.endEditBlock();
}

} // namespace collage
