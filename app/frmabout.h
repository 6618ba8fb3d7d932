#pragma once

#include <QWidget>

// "A propos": the program's title and version, who made it, and where its
// web site and help are.
class FrmAbout : public QWidget {
    Q_OBJECT

public:
    explicit FrmAbout(QWidget* parent = nullptr);

    // The product's web site, opened from Label3.
    static QString adresseSite();
    // "Version " and the program's major.minor.revision.
    static QString texteVersion();
};
