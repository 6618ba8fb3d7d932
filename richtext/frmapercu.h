#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPrintPreviewWidget;
class SourceApercu;

// FrmApercu: the print preview. Every page as the printing code draws it,
// zoomed to the width, to the whole page or to its real size, the page
// shown and its caption, and "Imprimer", which runs the window's own print
// command (printer check and confirmation included).
class FrmApercu : public QWidget {
    Q_OBJECT

public:
    FrmApercu(const QString& titre, std::unique_ptr<SourceApercu> source, std::function<void()> imprimer,
              QWidget* parent = nullptr);
    ~FrmApercu() override;

    QPrintPreviewWidget* vue() const { return m_vue; }
    // The caption of the page shown ("Page 1 sur 3").
    QString legende() const;

private:
    void dessiner();
    void suivrePage();

    std::unique_ptr<SourceApercu> m_source;
    std::function<void()> m_imprimer;
    QPrintPreviewWidget* m_vue;
    QLabel* m_lblPage;
    QCheckBox* m_chkFenetre = nullptr;
};

// Opens the preview of `source` as a window that goes with `ouvreur`; an
// open preview is replaced.
void montrerApercu(QWidget* ouvreur, const QString& titre, std::unique_ptr<SourceApercu> source,
                   std::function<void()> imprimer);
