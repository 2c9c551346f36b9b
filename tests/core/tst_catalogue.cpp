#include "i18n/catalogue.h"
#include "testsupport.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtEndian>
#include <QtTest>

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void check_data();
    void check();
    void everyByteFlipLoadsSafely();
};

namespace {
QByteArray qtCatalogue(const char *name)
{
    return readBytes(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u'/' + QLatin1String(name));
}

quint32 read32(const QByteArray &qm, qsizetype at) { return qFromBigEndian<quint32>(qm.constData() + at); }

QByteArray with32(QByteArray qm, qsizetype at, quint32 value)
{
    qToBigEndian(value, qm.data() + at);
    return qm;
}

// Where the content of the block with this tag starts.
qsizetype blockAt(const QByteArray &qm, uchar tag)
{
    qsizetype pos = 16;
    while (uchar(qm.at(pos)) != tag)
        pos += 5 + read32(qm, pos + 1);
    return pos + 5;
}

bool load(QTranslator &translator, const QByteArray &qm)
{
    return translator.load(reinterpret_cast<const uchar *>(qm.constData()), int(qm.size()));
}
}

void TestCatalogue::check_data()
{
    QTest::addColumn<QByteArray>("qm");
    QTest::addColumn<bool>("sound");
    const QByteArray qm = readBytes(QStringLiteral(VELKARINTH_QM_FILE));
    const qsizetype messages = blockAt(qm, 0x69);
    const quint32 messagesSize = read32(qm, messages - 4);
    const qsizetype hashes = blockAt(qm, 0x42);
    QCOMPARE(qm.at(messages), char(3)); // the first record opens with its translation

    QTest::newRow("built") << qm << true;
    QTest::newRow("Qt's French") << qtCatalogue("qtbase_fr.qm") << true;
    QTest::newRow("with a context table") << qm + QByteArray::fromHex("2f000000040001" "0000") << true;
    QTest::newRow("truncated") << qm.chopped(100) << false;
    QTest::newRow("bad magic") << with32(qm, 0, 0) << false;
    QTest::newRow("block past the end") << with32(qm, messages - 4, messagesSize + 1) << false;
    QTest::newRow("hash past the messages") << with32(qm, hashes + 4, messagesSize) << false;
    QTest::newRow("hash inside a record") << with32(qm, hashes + 4, 1) << false;
    QTest::newRow("odd translation length") << with32(qm, messages + 1, read32(qm, messages + 1) - 1) << false;
    QTest::newRow("no context buckets") << qm + QByteArray::fromHex("2f000000020000") << false;
    QTest::newRow("context chain past the block") << qm + QByteArray::fromHex("2f000000040001" "0001") << false;
    QTest::newRow("depends on other catalogues") << qtCatalogue("qt_fr.qm") << false;
}

void TestCatalogue::check()
{
    QFETCH(QByteArray, qm);
    QFETCH(bool, sound);
    QCOMPARE(isSoundCatalogue(qm), sound);
    QTranslator translator;
    QVERIFY(!sound || load(translator, qm));
}

// A catalogue damaged anywhere is refused, or loads and looks every text up
// without a crash.
void TestCatalogue::everyByteFlipLoadsSafely()
{
    QFile ts(QStringLiteral(VELKARINTH_TS_FILE));
    QVERIFY(ts.open(QIODevice::ReadOnly));
    QList<std::pair<QByteArray, QByteArray>> texts;
    QByteArray context;
    for (QXmlStreamReader xml(&ts); !xml.atEnd();) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"name")
            context = xml.readElementText().toUtf8();
        else if (xml.isStartElement() && xml.name() == u"source")
            texts.append({context, xml.readElementText().toUtf8()});
    }
    const QByteArray qm = readBytes(QStringLiteral(VELKARINTH_QM_FILE));
    QTranslator intact;
    QVERIFY(load(intact, qm));
    for (const auto &[context, source] : texts)
        QVERIFY(!intact.translate(context, source).isNull());

    for (qsizetype at = 0; at < qm.size(); ++at) {
        for (const uchar mask : {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0xff}) {
            QByteArray damaged = qm;
            damaged[at] = char(uchar(damaged.at(at)) ^ mask);
            if (!isSoundCatalogue(damaged))
                continue;
            QTranslator translator;
            QVERIFY(load(translator, damaged));
            for (const auto &[context, source] : texts)
                translator.translate(context, source);
        }
    }
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
