#ifndef CONFIGTAB_H
#define CONFIGTAB_H

#include <QWidget>

class QComboBox;
class QLineEdit;

class ConfigTab : public QWidget
{
    Q_OBJECT

public:
    static constexpr int rowCount = 5;

    explicit ConfigTab(QWidget *parent = nullptr);

protected slots:
    QString mayaPath();
    QString mayaPath(const QString &maya_path);
    QString mrPath();
    QString mrPath(const QString &mr_path);
    QString shaderPath0();
    QString shaderPath1();
    QString shaderPath2();
    QString shaderPath3();
    QString shaderPath4();
    QString shaderPath0(const QString &shaderPath);
    QString shaderPath1(const QString &shaderPath);
    QString shaderPath2(const QString &shaderPath);
    QString shaderPath3(const QString &shaderPath);
    QString shaderPath4(const QString &shaderPath);
    bool shaderMandatory0(const QString &choice);
    bool shaderMandatory1(const QString &choice);
    bool shaderMandatory2(const QString &choice);
    bool shaderMandatory3(const QString &choice);
    bool shaderMandatory4(const QString &choice);
    bool saveShader();

private:
    using TextSlot = QString (ConfigTab::*)(const QString &);
    static const TextSlot rowPathSlots[rowCount];

    QString browse(int lastDirectoryIndex, QLineEdit *edit, TextSlot textSlot);
    QString browseRow(int row);
    // The Maya or the Mental Ray directory's field.
    QString browseDirectory(bool mentalRay);
    QString storeDirectory(const QString &directory, bool mentalRay);
    QString storeRow(int row, const QString &destination);

    QLineEdit *mayaPathEdit;
    QLineEdit *mrPathEdit;
    QLineEdit *extensionEdit[rowCount];
    QLineEdit *destinationEdit[rowCount];
    QComboBox *mandatoryCombo[rowCount];
};

#endif
