#ifndef CREDITTAB_H
#define CREDITTAB_H

#include <QWidget>

class CreditTab : public QWidget
{
    Q_OBJECT

public:
    explicit CreditTab(QWidget *parent = nullptr);
};

#endif
