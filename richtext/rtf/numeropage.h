#pragma once

#include <QObject>
#include <QTextObjectInterface>

#include <functional>

// Draws a document's page numbers (rtf::kObjetNumeroPage): the page each
// one is printed on when `page` tells it, "#" on screen.
class NumeroPage : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    // The handler of `document`'s page numbers, owned by the document.
    // `page(position)` gives the page, counted from 1, of the character at
    // `position`.
    static void installer(QTextDocument& document, std::function<int(int position)> page = {});

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* peintre, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

private:
    NumeroPage(QObject* parent, std::function<int(int)> page);
    QString texte(int position) const;

    std::function<int(int)> m_page;
};
