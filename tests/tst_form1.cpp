#include "DataRow.h"
#include "GapCaption.h"
#include "WindowUnderTest.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace {

const QColor Green(0, 255, 0);

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { w.reset(); }

    void startUpState();
    void typing_data();
    void typing();
    void deleteAndClipboardKeys();
    void logoField();
    void defaultButtonsFillTheirRows();
    void disableButtons();
    void layoutIsTidy_data();
    void layoutIsTidy();

private:
    std::unique_ptr<WindowUnderTest> w;
};

void TestForm1::init()
{
    w = std::make_unique<WindowUnderTest>();
    QVERIFY(QTest::qWaitForWindowExposed(&w->form));
}

void TestForm1::startUpState()
{
    QVERIFY(w->lamp("Shape2") == Green && w->lamp("Shape3") == Green);
    auto *ports = w->child<QComboBox>("Combo1");
    QCOMPARE(ports->count(), 16);
    QCOMPARE(ports->itemText(0), "COM1");
    QCOMPARE(ports->itemText(15), "COM16");
    QCOMPARE(ports->currentText(), "COM3");
    QVERIFY(!w->form.serialLink().isOpen());
    for (int slot = 0; slot < SettingsTable::SlotCount; ++slot)
        QCOMPARE(w->slot(slot), "unset");
    QCOMPARE(w->form.size(), QSize(969, 700));
    QCOMPARE(w->form.findChildren<QLabel *>("Label18").size(), 3); // a label array
    QVERIFY(w->notices.notices().isEmpty());
}

void TestForm1::typing_data()
{
    addColumns<QString, QString, QString, int, QString>("field", "keys", "shown", "slot",
                                                        "slotText");

    addRow("pulse digit after the 0", "Text1", "5", "05", 0, "05");
    addRow("pulse 103 is rewritten", "Text2", "103", "102", 1, "66");
    addRow("pulse refuses others and Backspace", "Text3", "a-. \b", "0", 2, "unset");
    addRow("volume refuses letters", "Text29", "6x4", "064", 17, "40");
    addRow("count takes any key", "Text11", "x", "0x", 27, "unset");
    addRow("count over is rewritten", "Text13", "10000", "9999", 28, "270F");
    addRow("calibration takes any key", "Text17", ".5", "0.5", 30, "0850");
    addRow("pump refuses letters", "Text19", "7a5", "075", 31, "4B");
    addRow("drip refuses letters", "Text20", "1a05", "0105", 32, "69");
}

void TestForm1::typing()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(int, slot);

    QTest::keyClicks(w->child(field), keys);
    QTEST(w->text(field), "shown");
    QTEST(w->slot(slot), "slotText");
    QVERIFY(w->notices.notices().isEmpty());
}

// Delete edits a digit field; the clipboard shortcuts are discarded there,
// while a field without a key filter pastes as usual.
void TestForm1::deleteAndClipboardKeys()
{
    QTest::keyClick(w->child("Text4"), Qt::Key_Home);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, "\x7f"); // as X11 sends it
    QApplication::sendEvent(w->child("Text4"), &del);
    QCOMPARE(w->text("Text4"), "");
    QCOMPARE(w->slot(3), "00"); // a blank field reads as 0

    QApplication::clipboard()->setText("12");
    for (const char *name : {"Text5", "Text19", "Text11"}) {
        QTest::keyClick(w->child(name), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(w->child(name), Qt::Key_Insert, Qt::ShiftModifier);
    }
    QCOMPARE(w->observed({"Text5=0", "Text19=0", "Text11=01212"}),
             QStringList({"Text5=0", "Text19=0", "Text11=01212"}));
}

// The logo field answers a refused key with a notice, and binds typing,
// not the program, to 16 characters.
void TestForm1::logoField()
{
    QApplication::clipboard()->setText("XY");
    auto *logo = w->child("Textsend");
    QTest::keyClicks(logo, "Ab 9");
    QTest::keyClick(logo, Qt::Key_Minus);
    QTest::keyClick(logo, Qt::Key_Return);
    QTest::keyClick(logo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(logo->text(), "Ab 9");
    QCOMPARE(w->notices.texts(), QStringList(3, "input letter or number"));
    const auto notice = w->notices.notices().first();
    QVERIFY(notice.title == "PELN" && notice.icon == QMessageBox::NoIcon);
    QCOMPARE(notice.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    QTest::keyClicks(logo, "CDEFGHIJKLMNOPQ");
    QCOMPARE(logo->text(), "Ab 9CDEFGHIJKLMN");
    logo->setText("A LOGO OF TWENTY CHS");
    QTest::keyClicks(logo, "X");
    QCOMPARE(logo->text(), "A LOGO OF TWENTY CHS");
    QTest::keyClick(logo, Qt::Key_Backspace);
    QCOMPARE(logo->text(), "A LOGO OF TWENTY CH");
    QCOMPARE(w->notices.notices().size(), 3);
}

// Each Default button sets its own row and no other.
void TestForm1::defaultButtonsFillTheirRows()
{
    for (int i = 0; i < 27; ++i)
        w->child(WindowUnderTest::gridName(i))->setText("77");
    const QStringList filled = {"05", "00", "00", "00", "00", "00", "00", "00", "40"};
    for (int row = 0; row < 3; ++row) {
        w->click(QStringLiteral("default%1").arg(row + 1));
        QStringList expected, held;
        for (int i = 0; i < 27; ++i) {
            expected << (i / 9 <= row ? filled[i % 9] : "4D");
            held << w->slot(i);
        }
        QCOMPARE(held, expected);
    }
}

void TestForm1::disableButtons()
{
    w->set({"Text15=25"});
    w->click("Command4");
    const QStringList off = {"Text15=OFF", "34=01", "29=0019"};
    QCOMPARE(w->observed(off), off);
    w->click("Command4");
    const QStringList on = {"Text15=0", "34=00", "29=0000"};
    QCOMPARE(w->observed(on), on);

    w->click("Command_disable1");
    const QStringList center = {"Text13=OFF", "33=01", "28=unset"};
    QCOMPARE(w->observed(center), center);
    QTest::keyClick(w->child("Text13"), Qt::Key_Backspace); // typing over "OFF" enables it
    QCOMPARE(w->slot(33), "00");
}

void TestForm1::layoutIsTidy_data()
{
    QTest::addColumn<QSize>("size");
    addRow("design size", QSize(969, 700));
    addRow("double width", QSize(1938, 700));
    addRow("half as large again", QSize(1453, 1050));
}

// Every caption fits its control, the grid's columns and rows line up, and
// no control covers another apart from Text18, which Command2 covers, and
// what sits in the gaps of the captions Label21, Label22 and Label28.
void TestForm1::layoutIsTidy()
{
    QFETCH(QSize, size);
    w->form.resize(size);
    for (auto *label : w->form.findChildren<QLabel *>()) {
        const QRect room = label->contentsRect();
        const QSize needed = label->wordWrap()
                                 ? QSize(room.width(), label->heightForWidth(room.width()))
                                 : label->fontMetrics().size(0, label->text());
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(label->objectName()));
    }
    for (auto *button : w->form.findChildren<QPushButton *>()) {
        QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(),
                 qPrintable(button->objectName()));
    }

    for (int i = 0; i < 27 + 6; ++i) { // the grid, then Text10..Text15 on their rows
        const QString name =
            i < 27 ? WindowUnderTest::gridName(i) : QStringLiteral("Text1%1").arg(i - 27);
        const int row = i < 27 ? i / 9 : (i - 27) / 2;
        const QRect box = w->child(name)->geometry();
        const QRect rowStart = w->child(WindowUnderTest::gridName(9 * row))->geometry();
        const QRect column = w->child(WindowUnderTest::gridName(i % 9))->geometry();
        QVERIFY2(box.y() == rowStart.y() && box.height() == rowStart.height(), qPrintable(name));
        QVERIFY2(i >= 27 || (box.x() == column.x() && box.width() == column.width()),
                 qPrintable(name));
    }

    const QSet<QString> allowed = {"Text18|Command2", "Text16|Label21", "Text17|Label22",
                                   "Label29|Label28", "Label30|Label28"};
    QList<QWidget *> controls;
    for (QWidget *widget : w->form.findChildren<QWidget *>()) {
        const bool decorative = widget->metaObject() == &QFrame::staticMetaObject;
        if (!decorative && widget->parentWidget() &&
            widget->parentWidget()->objectName().startsWith("Frame"))
            controls << widget;
    }
    for (QWidget *a : controls) {
        for (QWidget *b : controls) {
            const QString pair = a->objectName() + "|" + b->objectName();
            QVERIFY2(a == b || a->parentWidget() != b->parentWidget() ||
                         !a->geometry().intersects(b->geometry()) || allowed.contains(pair) ||
                         allowed.contains(b->objectName() + "|" + a->objectName()),
                     qPrintable(pair));
        }
    }
    auto *holder = w->child("Text18");
    auto *read = w->child<QPushButton>("Command2");
    QVERIFY(read->geometry().contains(holder->geometry()));
    QVERIFY(read->parentWidget()->children().indexOf(holder) <
            read->parentWidget()->children().indexOf(read));

    // The words before a caption's gap stay clear of what sits in it, the
    // words after it are drawn past it and within the caption, and clicks
    // still reach the boxes.
    const QList<std::pair<const char *, QStringList>> gaps = {
        {"Label21", {"Text16"}}, {"Label22", {"Text17"}}, {"Label28", {"Label29", "Label30"}}};
    for (const auto &[captionName, occupantNames] : gaps) {
        auto *caption = w->child<GapCaption>(captionName);
        const QString text = caption->text();
        const int left = caption->x() + caption->contentsRect().left();
        const int prefix = caption->fontMetrics().horizontalAdvance(text.left(text.indexOf("  ")));
        for (const QString &name : occupantNames) {
            const QRect occupant = w->child<QWidget>(name)->geometry();
            QVERIFY2(left + prefix <= occupant.left(), captionName);
            QVERIFY2(left + caption->suffixOffset() > occupant.right(), captionName);
        }
        const QString suffix = text.mid(text.lastIndexOf("  ") + 2);
        QVERIFY2(caption->suffixOffset() + caption->fontMetrics().horizontalAdvance(suffix) <=
                     caption->contentsRect().width(),
                 captionName);
    }
    for (const char *name : {"Text16", "Text17"}) {
        auto *box = w->child(name);
        QCOMPARE(w->form.childAt(box->mapTo(&w->form, box->rect().center())), box);
    }
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
