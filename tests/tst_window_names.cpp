// The window to keyboard users and screen readers: the focus at start, the
// order Tab visits, and the names, hints, roles and states that assistive
// technology is offered of every control; and the window's words in the
// user's language.
#include "SerialNotices.h"
#include "SettingWords.h"
#include "Translation.h"
#include "WindowTest.h"

#include <QAccessible>
#include <QFocusFrame>
#include <QRegularExpression>

using namespace operations;

class TestWindowNames : public WindowTest
{
    Q_OBJECT

private slots:
    void accessibility();
    void languages_data();
    void languages();
};

// For keyboard users and screen readers: the first control has the focus
// as the window opens; Tab visits what a user can change or press, in
// reading order, then the tab bar, and comes round again;
// Shift+Tab walks the same chain backwards. Every box it reaches has a name
// and a hint with its range; read-only boxes say what they show.
void TestWindowNames::accessibility()
{
    QStringList chain = QString("ReadButton SendButton logo PortBox ConnectButton SaveButton "
                                "LoadButton")
                            .split(' ');
    const QStringList rows = {"Left", "Center", "Right"};
    for (int row = 0; row < ButtonCount; ++row) {
        if (row > 0)
            chain << rows[row] + "Disable";
        chain << rows[row].toLower() + ".count";
        for (int column = 0; column < ButtonRowLength; ++column)
            chain << buttonFieldName(buttonSlot(row, column));
        chain << rows[row] + "Default";
    }
    chain << QString("calibration pump drip qt_tabwidget_tabbar").split(' ');
    QApplication::setActiveWindow(&w->form);
    QVERIFY(QTest::qWaitForWindowActive(&w->form));
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        for (const QString &expected : chain) {
            QWidget *f = w->form.focusWidget(); // the port box's editor has no name
            QVERIFY(f);
            QCOMPARE((f->objectName().isEmpty() ? f->parentWidget() : f)->objectName(),
                     controlName(expected));
            QCOMPARE(w->form.findChild<QFocusFrame *>()->widget()->objectName(),
                     controlName(expected)); // the ring follows
            if (namedSetting(expected))      // a name and a hint with the range
                QVERIFY(!f->accessibleName().isEmpty() && f->toolTip().contains(" to "));
            QTest::keyClick(f, key);
        }
        std::reverse(chain.begin() + 1, chain.end());
    }
    for (const QString &row : rows) {
        const QString button = row + " Button";
        QCOMPARE(w->child(row.toLower() + ".pulse3")->accessibleName(),
                 button + " pulse brew setting 3");
        QCOMPARE(w->child(row + "Total")->accessibleName(), "Brewer's total count, " + button);
        QCOMPARE(w->child<QWidget>(row + "Default")->accessibleName(),
                 button + " default settings");
    }
    QCOMPARE(w->child("center.pulse3")->toolTip(), "0 to 102; a larger number becomes 102");

    // What assistive technology is offered of the other controls; a lamp's
    // state follows its colour.
    const auto offered = [&](const char *name) {
        return QAccessible::queryAccessibleInterface(w->child<QWidget>(name));
    };
    for (const auto &[name, spoken] : {std::pair("RightDisable", "Right Button disable"),
                                       {"ReadLamp", "Read lamp"},
                                       {"SendLamp", "Send lamp"},
                                       {"Banner", "LCD banner"}})
        QCOMPARE(offered(name)->text(QAccessible::Name), spoken);
    QVERIFY(offered("PortBox")->text(QAccessible::Description).contains("port of the brewer"));
    QVERIFY(offered("SendLamp")->text(QAccessible::Description).endsWith("; the port is closed"));
    w->click("SendButton"); // the port is closed
    QVERIFY(offered("SendLamp")->text(QAccessible::Description).contains("failed"));
    for (const char *hidden : {"LineHolder", "Line1", "Shape1"})
        QVERIFY2(offered(hidden)->state().invisible, hidden);

    // The tree a screen reader walks: each group by its own title, the port
    // box's edit line by its purpose, no line holder, lamps as status
    // indicators, read-only boxes described beyond their names, Disable a
    // toggle that says it is down, and the focus on one control only.
    QStringList tree;
    std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        const QAccessible::State state = node->state();
        tree << QStringLiteral("%1:%2%3%4")
                    .arg(node->text(QAccessible::Name))
                    .arg(node->role())
                    .arg(state.focused ? " focused" : "", state.checked ? " down" : "");
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    QApplication::setActiveWindow(&w->form); // again, after the notice
    w->click("CenterDisable");
    walk(QAccessible::queryAccessibleInterface(&w->form));
    const auto role = [](QAccessible::Role role) { return QString::number(role); };
    for (const QString &node :
         {"Flowmeter Calibration:" + role(QAccessible::Grouping),
          "Serial port:" + role(QAccessible::EditableText),
          "Read lamp:" + role(QAccessible::StatusBar),
          "Center Button disable:" + role(QAccessible::CheckBox) + " focused down",
          "PELN:" + role(QAccessible::PageTab)})
        QVERIFY2(tree.contains(node), qPrintable(node));
    QCOMPARE(tree.filter(" focused").size(), 1);
    QVERIFY(tree.filter(QRegularExpression("^Volumes Setting:")).size() == 1 &&
            tree.filter("LineHolder").isEmpty() && tree.filter("Display Setting").size() == 1);
    QVERIFY(offered("CenterTotal")->text(QAccessible::Description).startsWith("Reported by"));
}

void TestWindowNames::languages_data()
{
    // A notice, a setting's name as a screen reader speaks it, a caption and
    // a field's hint.
    const QStringList english = {"Please connect COM  First ", "Right Button pulse brew setting 8",
                                 "Send to Brewer",
                                 "70 to 100 percent; any other number is sent as 100; until the "
                                 "field is changed, 0 is sent"};
    const QStringList german = {"Bitte verbinden Sie zuerst die Schnittstelle ",
                                "Rechte Taste, Impulsbrüh-Einstellung 8", "An Brüher senden",
                                "70 bis 100 Prozent; jede andere Zahl wird als 100 gesendet; "
                                "solange das Feld unverändert ist, wird 0 gesendet"};
    addColumns<QStringList, QString, QStringList>("languages", "chosen", "texts");
    addRow("C", QStringList{"C"}, "", english);
    addRow("English ahead of German", QStringList{"en-US", "de-DE"}, "", english);
    addRow("German", QStringList{"de-DE"}, "de", german);
    addRow("French, then German", QStringList{"fr-FR", "de"}, "de", german);
}

// The user's languages, best first, and what they read: English or C ahead
// of any other keeps the texts exactly as written.
void TestWindowNames::languages()
{
    QFETCH(QStringList, languages);
    QFETCH(QStringList, texts);
    QTEST(installTranslation(*qApp, languages), "chosen");
    newWindow();
    QCOMPARE(QStringList({portClosedText(), slotName(2 * ButtonRowLength + 7),
                          w->child<QAbstractButton>("SendButton")->text(),
                          w->child<QLineEdit>("pump")->toolTip()}),
             texts);
    removeTranslation(*qApp); // each row puts in its own, the next test none
}

QTEST_MAIN(TestWindowNames)
#include "tst_window_names.moc"
