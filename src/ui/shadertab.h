#ifndef SHADERTAB_H
#define SHADERTAB_H

#include <QWidget>

class QComboBox;
class QLineEdit;

class ShaderTab : public QWidget
{
    Q_OBJECT

public:
    explicit ShaderTab(QWidget *parent = nullptr);

signals:
    void installation(const QString &status);

protected slots:
    QString FindShaderPath();
    void installShader();

private:
    QComboBox *typeCombo;
    QLineEdit *shaderDirEdit;
    QLineEdit *linkEdit;
    QLineEdit *miEdit;
};

#endif
