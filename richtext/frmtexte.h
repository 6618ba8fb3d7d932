#pragma once

#include <QString>
#include <QWidget>

class BarreOutils;
class RichTextBox;

// FrmTexte, caption "Lettre": the editor of a letter model's body. A
// formatting toolbar (save, print and the formatting commands) over the
// text. The opener sets the public members, then calls charger() before
// showing the window.
class FrmTexte : public QWidget {
    Q_OBJECT

public:
    explicit FrmTexte(QWidget* parent = nullptr);
    ~FrmTexte() override;

    QString strCorpsLettreTexte; // the body to edit (RTF)
    bool bCorps = false;         // the text is a letter body
    bool bModele = false;        // the body belongs to a model: saving stores it there
    QString idModele;            // the model the editor was opened on

    // Binds the line width to the printer when there is one (else the text
    // wraps at the window's width), puts the body into the text, and sets
    // "Arial" 10 points at the insertion point. Runs once.
    void charger();

    // A loaded editor on `corps`, the body of model `idModele`, not shown.
    static FrmTexte* pourModele(const QString& idModele, const QString& corps);

    RichTextBox* txtText() const { return m_txtText; }
    BarreOutils* Toolbar1() const { return m_toolbar; }

    // Stores the text as the body of the model the editor was opened on.
    // A failure is reported with its reason and the text stays here; returns
    // whether the body was stored.
    bool enregistrer();
    // Prints the text on the default printer, with the letter margins; a
    // failure is reported.
    void imprimer();
    // Shows the text as imprimer() prints it; its "Imprimer" prints.
    void apercu();

    // The question asked when the window closes with changes not saved.
    static QString questionFermeture();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ajouterMenuChamps();

    RichTextBox* m_txtText;
    BarreOutils* m_toolbar;
    bool m_charge = false;
};
