#include "DataRow.h"
#include "Form1.h"
#include "GeometryRecord.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>

class TestResize : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { delete m_form; }

    // One window serves every test: each resize must place the controls
    // from their records alone, whatever came before.
    void scaling_data();
    void scaling();
    void randomResizesLeaveNoTrace();
    void records();
    void unreadableRecords();
    void toPixels();

private:
    // Every recorded control at its design place times the two factors,
    // every straight line at its design place.
    void verifyScaled(int horizontal, int vertical) const;

    Form1 *m_form = nullptr;
    QHash<QWidget *, QRect> m_design; // as the form file placed them
    QList<QWidget *> m_lines;
};

void TestResize::initTestCase()
{
    m_form = new Form1;
    for (QWidget *widget : m_form->findChildren<QWidget *>()) {
        const auto *frame = qobject_cast<QFrame *>(widget);
        if (frame && (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine))
            m_lines << widget;
        if (m_lines.contains(widget) || widget->property("Tag").isValid())
            m_design.insert(widget, widget->geometry());
    }
    QCOMPARE(m_lines.size(), 4);
    m_form->show(); // the first resize event
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestResize::verifyScaled(int horizontal, int vertical) const
{
    for (auto it = m_design.cbegin(); it != m_design.cend(); ++it) {
        const QRect design = it.value();
        const bool line = m_lines.contains(it.key());
        const QRect expected = line
                                   ? design
                                   : QRect(design.x() * horizontal, design.y() * vertical,
                                           design.width() * horizontal, design.height() * vertical);
        QVERIFY2(it.key()->geometry() == expected, qPrintable(it.key()->objectName()));
    }
}

void TestResize::scaling_data()
{
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");
    QTest::addColumn<bool>("throughNothing"); // a 0 x 0 client area first

    addRow("design size", 1, 1, false); // first: nothing has been resized yet
    addRow("double width", 2, 1, false);
    addRow("three times", 3, 3, false);
    addRow("nothing, then design size", 1, 1, true);
    addRow("nothing, then double", 2, 2, true);
}

void TestResize::scaling()
{
    QFETCH(int, horizontal);
    QFETCH(int, vertical);
    QFETCH(bool, throughNothing);

    const QFont title = m_form->findChild<QWidget *>("Label3")->font();
    if (throughNothing) {
        m_form->resize(0, 0);
        QCOMPARE(m_form->size(), QSize(0, 0));
        verifyScaled(0, 0);
    }
    m_form->resize(969 * horizontal, 700 * vertical);
    verifyScaled(horizontal, vertical);
    QCOMPARE(m_form->findChild<QWidget *>("Label3")->font(), title);
}

void TestResize::randomResizesLeaveNoTrace()
{
    const QString frameTag = m_form->findChild<QWidget *>("Frame3")->property("Tag").toString();
    QRandomGenerator random(1453);
    for (int i = 0; i < 100; ++i)
        m_form->resize(random.bounded(3000), random.bounded(2000));
    m_form->resize(969, 700);
    verifyScaled(1, 1);
    QCOMPARE(m_form->findChild<QWidget *>("Frame3")->property("Tag").toString(), frameTag);
}

// Each record is relative to the control's own container; lines, tab pages
// and a combo box's editor have none.
void TestResize::records()
{
    const auto tag = [this](const char *name) {
        return m_form->findChild<QWidget *>(name)->property("Tag");
    };
    QCOMPARE(tag("Frame3").toString(), "120    960    14175    1935    ");
    QCOMPARE(tag("Text39").toString(), "11235    2730    990    360    ");
    QVERIFY(!tag("Line1").isValid() && !tag("tabPELN").isValid());
    QVERIFY(!m_form->findChild<QComboBox *>("Combo1")->lineEdit()->property("Tag").isValid());
}

// A record that does not read leaves its control where it is, and only that one.
void TestResize::unreadableRecords()
{
    for (const char *text : {"120    960    14175    ", "120   960   14175   1935   ",
                             "1 2    960    14175    1935    ", "120    960    nan    1935    ",
                             "120    960    -15    1935    ", "1    2    3    4    5    "})
        QVERIFY2(!GeometryRecord::fromText(QString(text)), text);
    QVERIFY((GeometryRecord::fromText(QString("  -15      0.5    0    16777216    ")) ==
             GeometryRecord{-15, 0.5, 0, 16777216}));

    m_form->resize(969, 700);
    auto *broken = m_form->findChild<QWidget *>("Text5");
    const QVariant tag = broken->property("Tag");
    broken->setProperty("Tag", "502    90    53");
    m_form->resize(1938, 700);
    QCOMPARE(broken->geometry(), m_design.value(broken));
    QCOMPARE(m_form->findChild<QWidget *>("Text6")->geometry(), QRect(1126, 90, 106, 24));
    broken->setProperty("Tag", tag);
}

// Each value is rounded on its own, halves away from zero, within the sizes
// a widget can take.
void TestResize::toPixels()
{
    // 14175 * 1453 / 969 / 15 is 1417.01; 1935 * 1.5 / 15 is 193.5.
    QCOMPARE(GeometryRecord({120, 960, 14175, 1935}).scaled(1453.0 / 969, 1.5).toPixels(),
             QRect(12, 96, 1417, 194));
    QCOMPARE(GeometryRecord({-7.5, 7.5, 22.4, 7.49}).toPixels(), QRect(-1, 1, 1, 0));
    QCOMPARE(GeometryRecord({-1e300, 1e300, 1e300, 0}).toPixels(),
             QRect(-16777215, 16777215, 16777215, 0));
}

QTEST_MAIN(TestResize)
#include "tst_resize.moc"
