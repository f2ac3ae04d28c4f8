#include "DataRow.h"
#include "Form1.h"
#include "GapCaption.h"
#include "Lamp.h"
#include "NoticeCatcher.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

const QColor Green(0, 255, 0);

QString slotText(const Form1 &form, int slot)
{
    const auto text = form.settingsTable().slot(slot);
    return text ? *text : QStringLiteral("unset");
}

QStringList numberedNames(const char *prefix, int first, int last)
{
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i);
    return names;
}

// Every text box of the grid and of the calibration frame.
QStringList numericBoxNames()
{
    QStringList names = numberedNames("Text", 1, 17) + numberedNames("Text", 19, 39);
    names.removeOne("Text30"); // there is no Text30: the right row starts at Text31
    return names;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpState();
    void labelArraysReadOnlyBoxesAndLineHolder();
    void colorsAndFonts();
    void typing_data();
    void typing();
    void deleteKeyWorksInDigitFields();
    void clipboardShortcutsAreDiscarded();
    void logoFilterRefusesWithNotice_data();
    void logoFilterRefusesWithNotice();
    void logoLimitBindsTypingOnly();
    void defaultButtonFillsItsRowOnly();
    void disableToggle();
    void otherTabsAreEmpty();
    void layoutIsTidy_data();
    void layoutIsTidy();
    void gapBoxesStayUsable_data() { layoutIsTidy_data(); }
    void gapBoxesStayUsable();

private:
    template <typename T = QLineEdit> T *child(const QString &name) const
    {
        auto *widget = m_form->findChild<T *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }

    Form1 *m_form = nullptr;
    NoticeCatcher *m_notices = nullptr;
};

void TestForm1::init()
{
    m_form = new Form1;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    m_notices = new NoticeCatcher;
}

void TestForm1::cleanup()
{
    delete m_notices;
    delete m_form;
}

void TestForm1::startUpState()
{
    QCOMPARE(child<Lamp>("Shape2")->property("FillColor").value<QColor>(), Green);
    QCOMPARE(child<Lamp>("Shape3")->property("FillColor").value<QColor>(), Green);

    auto *ports = child<QComboBox>("Combo1");
    QCOMPARE(ports->count(), 16);
    for (int i = 0; i < 16; ++i)
        QCOMPARE(ports->itemText(i), QStringLiteral("COM%1").arg(i + 1));
    QCOMPARE(ports->currentIndex(), 2);
    QCOMPARE(ports->currentText(), "COM3");

    QCOMPARE(child("Textsend")->text(), "");
    QCOMPARE(child("textreceive")->text(), "");
    QCOMPARE(child("Text18")->text(), "Text18");
    for (const QString &name : numericBoxNames())
        QVERIFY2(child(name)->text() == "0", qPrintable(name));
    for (int slot = 0; slot < SettingsTable::SlotCount; ++slot)
        QCOMPARE(slotText(*m_form, slot), "unset");

    QCOMPARE(m_form->size(), QSize(969, 700));
    QCOMPARE(child<QTabWidget>("SSTab1")->currentIndex(), 0);
    QVERIFY(m_notices->notices().isEmpty());
}

void TestForm1::labelArraysReadOnlyBoxesAndLineHolder()
{
    // Label arrays share one name and are told apart by Index.
    const QList<std::pair<QString, QStringList>> arrays = {
        {"Label18", {"Total", "Total", "Total"}},
        {"Label19", {"Write", "Write", "Write"}},
        {"Label36", {"Default: 100%", "Default: 90 Seconds"}}};
    for (const auto &[name, texts] : arrays) {
        const auto members = m_form->findChildren<QLabel *>(name);
        QCOMPARE(members.size(), texts.size());
        for (QLabel *label : members)
            QCOMPARE(label->text(), texts.at(label->property("Index").toInt()));
    }

    // Read-only boxes take no typing.
    for (const char *name : {"Text10", "Text12", "Text14", "Text16"}) {
        QVERIFY2(child(name)->isReadOnly(), name);
        QTest::keyClicks(child(name), "57");
        QCOMPARE(child(name)->text(), "0");
    }

    // Text18 lies under Command2, covered by it.
    auto *holder = child("Text18");
    auto *read = child<QPushButton>("Command2");
    QVERIFY(read->geometry().contains(holder->geometry()));
    const auto siblings = read->parentWidget()->children();
    QVERIFY(siblings.indexOf(holder) < siblings.indexOf(read));
}

void TestForm1::colorsAndFonts()
{
    QCOMPARE(child<QGroupBox>("Frame4")->palette().color(QPalette::Window), QColor(224, 224, 224));
    QCOMPARE(child<QLabel>("Label33")->palette().color(QPalette::Window), QColor(224, 224, 224));
    QCOMPARE(child("Text29")->palette().color(QPalette::Base), QColor(255, 192, 192));

    auto *logo = child("Textsend");
    auto *banner = child("textreceive");
    for (auto *lcd : {logo, banner}) {
        QCOMPARE(lcd->palette().color(QPalette::Base), QColor(0, 0, 255));
        QCOMPARE(lcd->font().pointSizeF(), 26.25);
    }
    QCOMPARE(logo->palette().color(QPalette::Text), QColor(Qt::white));
    QCOMPARE(banner->palette().color(QPalette::Text),
             QApplication::palette().color(QPalette::Text));
    QVERIFY(logo->font().bold() && !banner->font().bold());
}

void TestForm1::typing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("slotText");

    addRow("pulse digit after the 0", "Text1", "5", "05", 0, "05");
    addRow("pulse 103 is rewritten", "Text2", "103", "102", 1, "66");
    addRow("pulse refuses others", "Text3", "a-. \b", "0", 2, "unset");
    addRow("volume 64", "Text29", "64", "064", 17, "40");
    addRow("right pulse", "Text38", "16", "016", 25, "10");
    addRow("count without filter", "Text11", "x", "0x", 27, "unset");
    addRow("count typed", "Text11", "255", "0255", 27, "00FF");
    addRow("count over", "Text13", "10000", "9999", 28, "270F");
    addRow("calibration", "Text17", ".5", "0.5", 30, "0850");
    addRow("pump refuses letters", "Text19", "7a5", "075", 31, "4B");
    addRow("pump out of range kept", "Text19", "5", "05", 31, "64");
    addRow("drip", "Text20", "105", "0105", 32, "69");
}

void TestForm1::typing()
{
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(int, slot);
    QFETCH(QString, slotText);

    QTest::keyClicks(child(field), keys);
    QCOMPARE(child(field)->text(), shown);
    QCOMPARE(::slotText(*m_form, slot), slotText);
    QVERIFY(m_notices->notices().isEmpty());
}

void TestForm1::deleteKeyWorksInDigitFields()
{
    auto *pulse = child("Text4");
    QTest::keyClick(pulse, Qt::Key_Home);
    QTest::keyClick(pulse, Qt::Key_Delete);
    QCOMPARE(pulse->text(), "");
    QCOMPARE(slotText(*m_form, 3), "00"); // a blank field reads as 0
    QTest::keyClicks(pulse, "7");
    QCOMPARE(slotText(*m_form, 3), "07");
}

void TestForm1::clipboardShortcutsAreDiscarded()
{
    QApplication::clipboard()->setText("12");
    for (const char *name : {"Text5", "Text19"}) {
        auto *field = child(name);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(field->text(), "0");
    }
    // A field without a key filter pastes as usual.
    QTest::keyClick(child("Text11"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(child("Text11")->text(), "012");
}

void TestForm1::logoFilterRefusesWithNotice_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");

    addRow("minus", int(Qt::Key_Minus), 0, "-");
    addRow("point", int(Qt::Key_Period), 0, ".");
    addRow("enter", int(Qt::Key_Return), 0, "\r");
    addRow("paste", int(Qt::Key_V), int(Qt::ControlModifier), "v");
}

void TestForm1::logoFilterRefusesWithNotice()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);

    QApplication::clipboard()->setText("XY");
    auto *logo = child("Textsend");
    QTest::keyClicks(logo, "Ab 9");
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QApplication::sendEvent(logo, &press);
    QCOMPARE(logo->text(), "Ab 9");
    QCOMPARE(m_notices->notices().size(), 1);
    const auto notice = m_notices->notices().first();
    QCOMPARE(notice.text, "input letter or number");
    QCOMPARE(notice.title, "PELN");
    QCOMPARE(notice.icon, QMessageBox::NoIcon);
    QCOMPARE(notice.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestForm1::logoLimitBindsTypingOnly()
{
    auto *logo = child("Textsend");
    QTest::keyClicks(logo, "ABCDEFGHIJKLMNOPQ");
    QCOMPARE(logo->text(), "ABCDEFGHIJKLMNOP");
    QVERIFY(m_notices->notices().isEmpty());
    QTest::keyClick(logo, Qt::Key_Backspace);
    QCOMPARE(logo->text(), "ABCDEFGHIJKLMNO");

    logo->setText("A LOGO OF TWENTY CHS");
    QCOMPARE(logo->text().size(), 20);
    QTest::keyClicks(logo, "X");
    QCOMPARE(logo->text(), "A LOGO OF TWENTY CHS");
    QTest::keyClick(logo, Qt::Key_Backspace);
    QCOMPARE(logo->text(), "A LOGO OF TWENTY CH");
}

void TestForm1::defaultButtonFillsItsRowOnly()
{
    const QStringList row = numberedNames("Text", 21, 29);
    for (const QString &name : row)
        child(name)->setText("77");
    QTest::mouseClick(child<QPushButton>("default2"), Qt::LeftButton);

    QCOMPARE(child("Text21")->text(), "5");
    QCOMPARE(child("Text28")->text(), "0");
    QCOMPARE(child("Text29")->text(), "64");
    const QStringList expected = {"05", "00", "00", "00", "00", "00", "00", "00", "40"};
    for (int i = 0; i < 9; ++i)
        QCOMPARE(slotText(*m_form, 9 + i), expected[i]);
    for (int slot : {0, 8, 18, 26})
        QCOMPARE(slotText(*m_form, slot), "unset");

    QTest::mouseClick(child<QPushButton>("default1"), Qt::LeftButton);
    QCOMPARE(slotText(*m_form, 0), "05");
    QCOMPARE(slotText(*m_form, 8), "40");
    QTest::mouseClick(child<QPushButton>("default3"), Qt::LeftButton);
    QCOMPARE(slotText(*m_form, 18), "05");
    QCOMPARE(slotText(*m_form, 26), "40");
}

void TestForm1::disableToggle()
{
    auto *right = child("Text15");
    auto *toggle = child<QPushButton>("Command4");
    right->setText("25");
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(right->text(), "OFF");
    QCOMPARE(slotText(*m_form, 34), "01");
    QCOMPARE(slotText(*m_form, 29), "0019");
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(right->text(), "0");
    QCOMPARE(slotText(*m_form, 34), "00");
    QCOMPARE(slotText(*m_form, 29), "0000");

    QTest::mouseClick(child<QPushButton>("Command_disable1"), Qt::LeftButton);
    QCOMPARE(child("Text13")->text(), "OFF");
    QCOMPARE(slotText(*m_form, 33), "01");
    QCOMPARE(slotText(*m_form, 28), "unset");
    // Typing over "OFF" enables the button again.
    QTest::keyClick(child("Text13"), Qt::Key_Backspace);
    QCOMPARE(slotText(*m_form, 33), "00");
}

void TestForm1::otherTabsAreEmpty()
{
    auto *tabs = child<QTabWidget>("SSTab1");
    for (int tab : {1, 2}) {
        tabs->setCurrentIndex(tab);
        QVERIFY(tabs->widget(tab)->findChildren<QWidget *>().isEmpty());
    }
    tabs->setCurrentIndex(0);
    QVERIFY(child<QPushButton>("Command1")->isVisible());
    QCOMPARE(child("Text1")->text(), "0");
}

void TestForm1::layoutIsTidy_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("design size") << QSize(969, 700);
    QTest::newRow("double width") << QSize(1938, 700);
    QTest::newRow("half as large again") << QSize(1453, 1050);
}

// At the design size and larger ones every caption fits its control, the
// grid's columns and rows line up, and no control covers another apart from
// Text18 and the boxes and fractions that sit in the gaps of their labels.
void TestForm1::layoutIsTidy()
{
    QFETCH(QSize, size);
    m_form->resize(size);
    for (auto *label : m_form->findChildren<QLabel *>()) {
        const QRect room = label->contentsRect();
        const QSize needed = label->wordWrap()
                                 ? QSize(room.width(), label->heightForWidth(room.width()))
                                 : label->fontMetrics().size(0, label->text());
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(QStringLiteral("%1 needs %2x%3, has %4x%5")
                                .arg(label->objectName())
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(room.width())
                                .arg(room.height())));
    }
    for (auto *button : m_form->findChildren<QPushButton *>()) {
        QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(),
                 qPrintable(button->objectName()));
    }

    const QList<QStringList> rows = {numberedNames("Text", 1, 11), numberedNames("Text", 21, 29),
                                     numberedNames("Text", 31, 39)};
    const QStringList counts[] = {{"Text10", "Text11"}, {"Text12", "Text13"}, {"Text14", "Text15"}};
    for (int r = 0; r < 3; ++r) {
        QStringList names = rows[r].mid(0, 9) + counts[r];
        for (const QString &name : names) {
            QCOMPARE(child(name)->y(), child(names.first())->y());
            QCOMPARE(child(name)->height(), child(names.first())->height());
        }
        for (int c = 0; c < 9; ++c) {
            QCOMPARE(child(rows[r][c])->x(), child(rows[0][c])->x());
            QCOMPARE(child(rows[r][c])->width(), child(rows[0][c])->width());
        }
    }

    const QSet<QString> allowed = {"Text18|Command2", "Text16|Label21", "Text17|Label22",
                                   "Label29|Label28", "Label30|Label28"};
    QList<QWidget *> controls;
    for (QWidget *widget : m_form->findChildren<QWidget *>()) {
        const bool decorative = qobject_cast<QFrame *>(widget) && !qobject_cast<QLabel *>(widget) &&
                                !qobject_cast<QGroupBox *>(widget) &&
                                widget->metaObject() == &QFrame::staticMetaObject;
        if (!decorative && !widget->objectName().isEmpty() &&
            !widget->objectName().startsWith("qt_") && widget->parentWidget() &&
            widget->parentWidget()->objectName().startsWith("Frame"))
            controls << widget;
    }
    for (QWidget *a : controls) {
        for (QWidget *b : controls) {
            if (a == b || a->parentWidget() != b->parentWidget() ||
                !a->geometry().intersects(b->geometry()))
                continue;
            const QString pair = a->objectName() + "|" + b->objectName();
            const QString reverse = b->objectName() + "|" + a->objectName();
            QVERIFY2(allowed.contains(pair) || allowed.contains(reverse), qPrintable(pair));
        }
    }
}

// What sits in the gap of a caption's spaces outgrows the gap as the window
// grows, while type keeps its size: the words before the gap stay clear of
// it, the words after it are drawn past it, within the caption, and clicks
// still reach the boxes.
void TestForm1::gapBoxesStayUsable()
{
    QFETCH(QSize, size);
    m_form->resize(size);
    const QList<std::pair<const char *, QStringList>> gaps = {
        {"Label21", {"Text16"}}, {"Label22", {"Text17"}}, {"Label28", {"Label29", "Label30"}}};
    for (const auto &[captionName, occupantNames] : gaps) {
        auto *caption = child<GapCaption>(captionName);
        const QString text = caption->text();
        const int gapStart = text.indexOf("  ");
        const int left = caption->x() + caption->contentsRect().left();
        for (const QString &name : occupantNames) {
            const QRect occupant = child<QWidget>(name)->geometry();
            QVERIFY2(left + caption->fontMetrics().horizontalAdvance(text.left(gapStart)) <=
                         occupant.left(),
                     captionName);
            QVERIFY2(left + caption->suffixOffset() > occupant.right(), captionName);
        }
        const QString suffix = text.mid(text.lastIndexOf("  ") + 2);
        QVERIFY2(caption->suffixOffset() + caption->fontMetrics().horizontalAdvance(suffix) <=
                     caption->contentsRect().width(),
                 captionName);
    }
    for (const char *boxName : {"Text16", "Text17"}) {
        auto *box = child(boxName);
        QCOMPARE(m_form->childAt(box->mapTo(m_form, box->rect().center())), box);
    }
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
