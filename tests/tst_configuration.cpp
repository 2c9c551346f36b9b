#include "configuration.h"
#include "testsupport.h"

#include <QtTest>

class TestConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void defaultsWithoutFile();
};

void TestConfiguration::defaultsWithoutFile()
{
    Sandbox sandbox;
    Configuration::load();
    QCOMPARE(Configuration::shaderTypes.size(), 1);
    Configuration::save();
    QCOMPARE(readBytes(QStringLiteral("init.txt")),
             QByteArray("[MAYA_PATH]\n\n[MR_PATH]\n\n[Shader Mental Ray]\n5\n"
                        "fti**n\nxpm**n\nmel**o\nmi**o\ndll**o\n"));
}

QTEST_MAIN(TestConfiguration)
#include "tst_configuration.moc"
