#pragma once

#include <QWidget>

class QTreeWidget;

// "Restaurer une sauvegarde": lists the backups of the letters database, with
// their date and how many senders, recipients and models each holds, and puts
// the chosen one in place of the current database, after backing that up.
class FrmRestauration : public QWidget {
    Q_OBJECT

public:
    explicit FrmRestauration(QWidget* parent = nullptr);

signals:
    // The database now holds the restored backup: the lists must be read again.
    void baseRestauree();

private:
    void remplir();
    void restaurer();

    QTreeWidget* m_lsvSauvegardes;
};
