#pragma once

#include "rtf.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QTextBlock>
#include <QTextEdit>

#include <optional>
#include <utility>

class QMenu;

// The rich-text box that carries letters and model bodies: a QTextEdit that
// reads and writes whole RTF documents and answers for the selection's
// format. A property read over a selection that mixes two values gives
// std::nullopt; with no selection it is the format at the typing position.
class RichTextBox : public QTextEdit {
    Q_OBJECT

public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // The whole content as one RTF document / replaced by one.
    QString TextRTF() const;
    void setTextRTF(const QString& rtf);

    // Writes the whole content to `chemin` (format 0: RTF, the only one),
    // with the paper and margins of `page` when given. On failure the file
    // is left as it was, and `raison` says why in French.
    bool SaveFile(const QString& chemin, int format = 0, QString* raison = nullptr,
                  const std::optional<rtf::PageRtf>& page = std::nullopt);

    std::optional<bool> SelBold() const;
    void setSelBold(bool actif);
    std::optional<bool> SelItalic() const;
    void setSelItalic(bool actif);
    std::optional<bool> SelUnderline() const;
    void setSelUnderline(bool actif);
    std::optional<bool> SelStrikeThru() const;
    void setSelStrikeThru(bool actif);

    // 0 left, 1 right, 2 centre (justified paragraphs read as left). Both
    // act on the paragraphs the selection covers: a selection that ends at
    // the very start of a paragraph (a triple-clicked line) leaves it out.
    std::optional<int> SelAlignment() const;
    void setSelAlignment(int alignement);

    std::optional<QColor> SelColor() const;
    void setSelColor(const QColor& couleur);
    std::optional<QString> SelFontName() const;
    void setSelFontName(const QString& nom);
    std::optional<double> SelFontSize() const;
    void setSelFontSize(double points);

    // Number of character positions of the text, as QTextCursor counts them
    // (a paragraph end and a picture count one each).
    int longueurTexte() const;

    // Puts the picture at the selection, kept with the document.
    bool insererImage(const QImage& image, QString* raison = nullptr);

    // The right-click menu at `position` (in the viewport), as it is shown:
    // the editing commands, after what menuContextuel's receivers put first.
    QMenu* creerMenuContextuel(const QPoint& position);

signals:
    void Change();
    void Click();
    void KeyUp(int key);
    // The right-click menu is being made; receivers may add to it.
    void menuContextuel(QMenu* menu, const QPoint& position);

protected:
    // Pasting: RTF from the clipboard goes through our reader, HTML through
    // Qt's; either keeps only what prints as seen (see collage.h). What we
    // copy ourselves comes back whole.
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // The first and last paragraphs the selection covers.
    std::pair<QTextBlock, QTextBlock> paragraphesSelection() const;

    template <typename T, typename Lire>
    std::optional<T> valeurSelection(Lire lire) const;

    bool m_chargement = false;
};
