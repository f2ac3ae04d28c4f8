#include "Form1.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>

class TestResize : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void records_data();
    void records();
    void scaling_data();
    void scaling();
    void randomResizesLeaveNoTrace();
    void unreadableRecordLeavesOnlyItsControl();

private:
    // Every recorded control at its design place times the two factors,
    // every straight line at its design place.
    void verifyScaled(int horizontal, int vertical) const;

    Form1 *m_form = nullptr;
    QHash<QWidget *, QRect> m_design; // as the form file placed them
    QList<QWidget *> m_recorded;
    QList<QWidget *> m_lines;
};

void TestResize::init()
{
    m_form = new Form1;
    m_design.clear();
    m_recorded.clear();
    m_lines.clear();
    for (QWidget *widget : m_form->findChildren<QWidget *>()) {
        m_design.insert(widget, widget->geometry());
        if (widget->property("Tag").isValid())
            m_recorded << widget;
        const auto *frame = qobject_cast<QFrame *>(widget);
        if (frame && (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine))
            m_lines << widget;
    }
    QCOMPARE(m_lines.size(), 4);
    m_form->show(); // the first resize event
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestResize::cleanup()
{
    delete m_form;
}

void TestResize::verifyScaled(int horizontal, int vertical) const
{
    for (QWidget *control : m_recorded) {
        const QRect design = m_design.value(control);
        const QRect expected(design.x() * horizontal, design.y() * vertical,
                             design.width() * horizontal, design.height() * vertical);
        QVERIFY2(control->geometry() == expected, qPrintable(control->objectName()));
    }
    for (QWidget *line : m_lines)
        QCOMPARE(line->geometry(), m_design.value(line));
}

void TestResize::records_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("tag"); // empty: no record

    QTest::newRow("frame on the tab page") << "Frame3"
                                           << "120    960    14175    1935    ";
    QTest::newRow("tab control") << "SSTab1"
                                 << "0    780    14535    9720    ";
    QTest::newRow("box in a nested frame") << "Text39"
                                           << "11235    2730    990    360    ";
    QTest::newRow("line") << "Line1"
                          << "";
    QTest::newRow("tab page") << "tabPELN"
                              << "";
}

void TestResize::records()
{
    QFETCH(QString, control);
    QFETCH(QString, tag);

    auto *widget = m_form->findChild<QWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(widget->property("Tag").toString(), tag);
    // A combo box's own editor is Qt's business.
    QVERIFY(!m_form->findChild<QComboBox *>("Combo1")->lineEdit()->property("Tag").isValid());
}

void TestResize::scaling_data()
{
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");
    QTest::addColumn<bool>("throughNothing"); // a 0 x 0 client area first

    QTest::newRow("design size") << 1 << 1 << false;
    QTest::newRow("double width") << 2 << 1 << false;
    QTest::newRow("double height") << 1 << 2 << false;
    QTest::newRow("three times") << 3 << 3 << false;
    QTest::newRow("nothing, then design size") << 1 << 1 << true;
    QTest::newRow("nothing, then double") << 2 << 2 << true;
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
    QHash<QWidget *, QString> tags;
    for (QWidget *control : m_recorded)
        tags.insert(control, control->property("Tag").toString());

    QRandomGenerator random(1453);
    for (int i = 0; i < 100; ++i)
        m_form->resize(random.bounded(3000), random.bounded(2000));
    m_form->resize(969, 700);
    verifyScaled(1, 1);
    for (QWidget *control : m_recorded)
        QCOMPARE(control->property("Tag").toString(), tags.value(control));
}

void TestResize::unreadableRecordLeavesOnlyItsControl()
{
    auto *broken = m_form->findChild<QWidget *>("Text5");
    broken->setProperty("Tag", "502    90    53");
    m_form->resize(1938, 700);
    QCOMPARE(broken->geometry(), m_design.value(broken));
    QCOMPARE(m_form->findChild<QWidget *>("Text6")->geometry(), QRect(1126, 90, 106, 24));
}

QTEST_MAIN(TestResize)
#include "tst_resize.moc"
