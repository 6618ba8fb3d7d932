#include "numeropage.h"

#include "rtf.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>

namespace {

QFont policeDe(QTextDocument* document, const QTextFormat& format)
{
    QPaintDevice* appareil = document->documentLayout()->paintDevice();
    const QFont police = format.toCharFormat().font();
    return appareil ? QFont(police, appareil) : police;
}

} // namespace

NumeroPage::NumeroPage(QObject* parent, std::function<int(int)> page) : QObject(parent), m_page(std::move(page))
{
}

void NumeroPage::installer(QTextDocument& document, std::function<int(int)> page)
{
    document.documentLayout()->registerHandler(rtf::kObjetNumeroPage, new NumeroPage(&document, std::move(page)));
}

QString NumeroPage::texte(int position) const
{
    return m_page ? QString::number(m_page(position)) : QStringLiteral("#");
}

QSizeF NumeroPage::intrinsicSize(QTextDocument* document, int position, const QTextFormat& format)
{
    const QFontMetricsF mesures(policeDe(document, format));
    return {mesures.horizontalAdvance(texte(position)), mesures.ascent()};
}

void NumeroPage::drawObject(QPainter* peintre, const QRectF& rect, QTextDocument* document, int position,
                            const QTextFormat& format)
{
    const QBrush encre = format.foreground();
    peintre->save();
    peintre->setFont(policeDe(document, format));
    if (encre.style() != Qt::NoBrush)
        peintre->setPen(encre.color());
    peintre->drawText(QPointF(rect.left(), rect.bottom()), texte(position));
    peintre->restore();
}
