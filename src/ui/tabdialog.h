#ifndef TABDIALOG_H
#define TABDIALOG_H

#include <QDialog>

class QTabWidget;

class TabDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TabDialog(QWidget *parent = nullptr);

private:
    QTabWidget *tabWidget;
};

#endif
