// The window as it starts and as it is laid out and drawn: its first state
// and its size on the screen, every control placed from its record at any
// size, captions whole and clear of their neighbours, the straight lines
// and the colours under a dark desktop theme, and the group frames. These
// run again on small screens and at the scale factors of common desktops.
#include "CaptionFit.h"
#include "FocusRing.h"
#include "GapCaption.h"
#include "WindowTest.h"

#include <QFocusFrame>
#include <QGroupBox>
#include <QScreen>
#include <QStyleOption>

// The greys of the pixels of `area`, darkest first.
static QList<int> greys(const QImage &image, const QRect &area)
{
    QList<int> found;
    for (int i = 0; i < area.width() * area.height(); ++i)
        found << qGray(image.pixel(area.left() + i % area.width(), area.top() + i / area.width()));
    std::sort(found.begin(), found.end());
    return found;
}

// Where a group's title lies, in the group's coordinates: as the group
// draws it, with no check box before it.
static QRect titlePlace(const QGroupBox &group)
{
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.textAlignment = group.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return group.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                         &group);
}

// Where a control's words are drawn, as their ink (wrapped words: their
// lines), in its parent's coordinates: a label's, a gap caption's words
// before and after its run, a button's, a group's title.
static QList<QRect> inkOf(const QWidget &control)
{
    const QFontMetrics metrics = control.fontMetrics();
    const auto ink = [&](QRect room, int flags, const QString &words) {
        const QRect line = metrics.boundingRect(room, flags, words);
        const QRect glyphs =
            metrics.tightBoundingRect(words).translated(line.left(), line.top() + metrics.ascent());
        return (flags & Qt::TextWordWrap ? line : glyphs).translated(control.pos());
    };
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    if (const auto *caption = qobject_cast<const GapCaption *>(&control)) {
        const QStringList words = caption->text().split("  ", Qt::SkipEmptyParts);
        const QRect room = caption->contentsRect();
        return {ink(room, left, words.first()),
                ink(room.adjusted(caption->suffixOffset(), 0, 0, 0), left, words.last().trimmed())};
    }
    if (const auto *label = qobject_cast<const QLabel *>(&control);
        label && !label->text().isEmpty())
        return {ink(label->contentsRect(),
                    int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0),
                    label->text())};
    if (const auto *button = qobject_cast<const QPushButton *>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return {ink(button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button),
                    Qt::AlignCenter, button->text())};
    }
    const auto *group = qobject_cast<const QGroupBox *>(&control);
    if (!group || group->title().isEmpty())
        return {};
    return {ink(titlePlace(*group), Qt::AlignLeft, group->title())};
}

class TestWindowLayout : public WindowTest
{
    Q_OBJECT

private slots:
    void startUp();
    void scaling();
    void captionsWhole_data();
    void captionsWhole();
    void captionEdges();
    void drawing();
    void groupFrames();
};

void TestWindowLayout::startUp()
{
    QCOMPARE(w->differences({"SendLamp=green", "ReadLamp=green", "logo=", "Banner="}), "");
    QCOMPARE(w->child<Lamp>("ReadLamp")->fillColor(), QColor(0, 255, 0));
    auto *ports = w->child<QComboBox>("PortBox");
    QVERIFY(ports->count() == 16 && ports->itemText(0) == "COM1" && ports->itemText(15) == "COM16");
    QCOMPARE(ports->currentText(), "COM3");
    for (int slot = 0; slot < SettingsTable::SlotCount; ++slot)
        QVERIFY(!w->form.settingsTable().slot(slot));
    // The design size, or the largest that fits a smaller screen's available
    // area with the frame, centred in it.
    const QRect area = w->form.screen()->availableGeometry(), frame = w->form.frameGeometry();
    QVERIFY(area.contains(frame) && frame.center() == area.center());
    QCOMPARE(w->form.size(), w->form.sizeForDesignArea(QSize(969, 700))
                                 .boundedTo(area.size() - frame.size() + w->form.size()));
    QCOMPARE(w->shown("StatusLine"), "Not connected");
    const auto *status = w->child<QLabel>("StatusLine"); // one line of text and room around it
    QVERIFY(status->height() > status->fontMetrics().height() &&
            status->height() < 2 * status->fontMetrics().height() && status->x() == 0 &&
            status->geometry().bottomRight() == w->form.rect().bottomRight());
    // Label arrays share one name and are told apart by their Index.
    for (const auto &[array, size] : {std::pair("Label18", 3), {"Label19", 3}, {"Label36", 2}})
        QVERIFY(w->form.findChildren<QLabel *>(array).size() == size &&
                w->form.findChildren<QLabel *>(array).last()->property("Index") == size - 1);
    QVERIFY(!w->form.serialLink().isOpen() && w->told().isEmpty());
    // The focus is plain to see from the start: a dark ring just outside the
    // first control, two pixels wide.
    const auto *read = w->child<QWidget>("ReadButton");
    const QImage shot = w->form.grab().toImage();
    const QPoint left =
        read->mapTo(&w->form, QPoint(0, read->height() / 2)) * shot.devicePixelRatio();
    for (const int outside : {1, 2})
        QCOMPARE(shot.pixelColor(left - QPoint(outside, 0)), FocusRing::Colour);
    w->click("SendButton"); // with no port: the send lamp turns red
    QCOMPARE(w->child<Lamp>("SendLamp")->fillColor(), QColor(255, 0, 0));
}

// Every control with a record, the straight lines among them, is placed at
// its design place times the two ratios, within its own container, from its
// record alone, also after a 0 x 0 client area; type stays as it is, and so
// does a control whose record does not read.
void TestWindowLayout::scaling()
{
    QVERIFY(!w->child<QComboBox>("PortBox")->lineEdit()->property("Tag").isValid());
    QHash<QWidget *, QRect> design;
    for (QWidget *widget : w->form.findChildren<QWidget *>())
        if (widget->property("Tag").isValid())
            design.insert(widget, widget->geometry());
    const QFont title = w->child<QWidget>("Label3")->font();
    QWidget *unread = w->child<QWidget>("left.pulse5");
    unread->setProperty("Tag", "502    90    53");
    for (const auto &[h, v] : {std::pair(1, 1), {2, 1}, {3, 3}, {0, 0}, {2, 2}}) {
        w->form.resize(w->form.sizeForDesignArea(QSize(969 * h, 700 * v)));
        for (QWidget *widget : design.keys()) {
            const QRect d = design[widget],
                        scaled(d.x() * h, d.y() * v, d.width() * h, d.height() * v);
            QVERIFY2(widget->geometry() == (widget == unread ? d : scaled),
                     qPrintable(widget->objectName()));
        }
    }
    QCOMPARE(w->child<QWidget>("Label3")->font(), title);
}

void TestWindowLayout::captionsWhole_data()
{
    addColumns<int, QSize>("points", "size");
    for (const int points : {9, 10, 11})
        for (const QSize size :
             {QSize(969, 700), {969, 575}, {969, 543}, {906, 487}, {800, 560}, {1453, 1050}})
            QTest::addRow("%d pt, %d x %d", points, size.width(), size.height()) << points << size;
}

// Whatever the desktop's type, at the design size and the sizes the window
// is fitted or resized to, captions of one kind share one type size, and
// every caption, button text and group title lies
// inside its control and clear of the controls beside it (and a group's
// title of the controls in the group): the boxes and buttons, and the words
// of the other captions.
void TestWindowLayout::captionsWhole()
{
    QFETCH(int, points);
    QFETCH(QSize, size);
    const QFont desktop = QApplication::font();
    QApplication::setFont(QFont("DejaVu Sans", points));
    newWindow();
    QApplication::setFont(desktop);
    w->form.resize(w->form.sizeForDesignArea(size));
    // Captions of one kind share one type size.
    for (const char *family :
         {"Label14 Label15 Label16", "Command2 Command1",
          "default1 default2 default3 Command_disable1 Command4",
          "Label17 Label13 Label11 Label12 Label1 Label10 Label20", "Frame3 Frame2 Frame4",
          "Label26 Label27", "Label29 Label30", "Label36"}) {
        QSet<qreal> sizes;
        for (const QString &name : QString(family).split(' '))
            for (const QWidget *member : w->form.findChildren<QWidget *>(name))
                sizes << member->font().pointSizeF();
        QVERIFY2(sizes.size() == 1, family);
    }
    for (QWidget *control : w->form.findChildren<QWidget *>())
        for (const QRect &ink : inkOf(*control)) {
            QVERIFY2(control->geometry().contains(ink), qPrintable(control->objectName()));
            for (QWidget *within : {control->parentWidget(), control}) { // a group's title: its own
                const QPoint offset = within == control ? control->pos() : QPoint();
                for (const QWidget *other :
                     within->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                    if (other == control || !other->isVisible() ||
                        QByteArray(other->metaObject()->className()) == "QFrame" ||
                        qobject_cast<const QFocusFrame *>(other))
                        continue; // the rectangles around captions, the ring: no neighbours
                    for (const QRect &mark : qobject_cast<const QLabel *>(other)
                                                 ? inkOf(*other)
                                                 : QList{other->geometry()})
                        QVERIFY2(!mark.translated(offset).intersects(ink),
                                 qPrintable(control->objectName() + " and " + other->objectName()));
                }
            }
        }
}

// At the very edge of its room a caption keeps the largest type that leaves
// its words whole: a title needs a clear row of pixels above the box under
// it, wrapped words as much room as their lines take; a pixel less, and the
// type shrinks. After any resizes the type is the one a fit made afresh gives.
void TestWindowLayout::captionEdges()
{
    const QFont design("DejaVu Sans", 9);
    const auto fresh = [&](QWidget *control) {
        control->setFont(design);
        CaptionFit fit;
        fit.record({control});
        fit.apply();
        return control->font().pointSizeF();
    };
    QGroupBox group("Pump working speed");
    group.setGeometry(0, 0, 300, 100);
    auto *box = new QLineEdit(&group);
    group.setFont(design);
    // Under the title a clear row of pixels; beside it a box may reach up
    // into its rows.
    const int inkBottom = inkOf(group).first().bottom();
    const QRect title = titlePlace(group);
    for (const auto &[left, width, top, whole] : {std::tuple(0, 100, inkBottom + 2, true),
                                                  {0, 100, inkBottom + 1, false},
                                                  {title.right() + 1, 50, inkBottom, true},
                                                  {title.right(), 50, inkBottom, false},
                                                  {0, title.left() + 1, inkBottom, false}}) {
        box->setGeometry(left, top, width, 20);
        QVERIFY2((fresh(&group) == 9) == whole, qPrintable(QString::number(left)));
    }

    QLabel label("Drip-out time after the brew, in seconds"), twin(label.text());
    for (QLabel *each : {&label, &twin})
        each->setWordWrap(true);
    CaptionFit kept;
    label.setFont(design);
    kept.record({&label});
    const auto lines = [&](int quarters, int width) {
        QFont type = design;
        type.setPointSizeF(quarters / 4.0);
        return QFontMetrics(type)
            .boundingRect(QRect(0, 0, width, 1000), Qt::AlignLeft | Qt::TextWordWrap, label.text())
            .size();
    };
    const int snug = lines(32, 90).width(); // its widest line at 8 points
    for (const int width : {90, 200, 60, 120, 75, 200, snug}) {
        label.resize(width, lines(32, width).height()); // as high as the lines at 8 points
        twin.resize(label.size());
        kept.apply();
        const int quarters = qRound(label.font().pointSizeF() * 4);
        const QRect room(QPoint(), label.size());
        QVERIFY(quarters >= 32 && room.contains(QRect(QPoint(), lines(quarters, width))) &&
                !room.contains(QRect(QPoint(), lines(quarters + 1, width))));
        QCOMPARE(fresh(&twin), label.font().pointSizeF());
    }
}

// Drawn at 0.85, 1 and 2 times the design size (the loop ends at 2), under
// the dark theme and at the scale factor of the run: each straight line one device pixel thick
// along its own place, between the controls it separates; captions dark on
// light grey, the volumes dark on light red, the banner black on blue even
// when disabled.
void TestWindowLayout::drawing()
{
    w->set({"Banner=    Logo Set    "});
    w->child("Banner")->setEnabled(false);
    for (const double scale : {0.85, 1.0, 2.0}) {
        w->form.resize(w->form.sizeForDesignArea(QSize(969, 700) * scale));
        const QImage shot = w->form.grab().toImage();
        const auto place = [&](const QString &name) {
            const auto *control = w->child<QWidget>(name);
            return QRect(control->mapTo(&w->form, QPoint()) * shot.devicePixelRatio(),
                         control->size() * shot.devicePixelRatio());
        };
        // Each line, then the controls on either side of it at a point along it.
        for (const QString line :
             {"Line1 left.count left.pulse1", "Line1 right.count right.pulse1",
              "Line2 Label13 Label11", "Line3 Label26 Label27", "Line4 Label29 Label30"}) {
            const QStringList c = line.split(' ');
            // Across the gap between the two controls, through its middle.
            const QRect gap = QRect(place(c[1]).bottomRight(), place(c[2]).topLeft()).normalized();
            const QList<int> across =
                greys(shot, w->child<QFrame>(c[0])->frameShape() == QFrame::VLine
                                ? QRect(gap.left(), gap.center().y(), gap.width(), 1)
                                : QRect(gap.center().x(), gap.top(), 1, gap.height()));
            QVERIFY2(across.value(0, 255) < 128 && across.value(1, 255) >= 128, qPrintable(line));
        }
        // Captions, boxes, buttons and tabs: dark text, on a light ground.
        for (const QString &name : QString("Label3 Label23 Label13 Label24 left.volume "
                                           "left.pulse1 PortBox SendButton qt_tabwidget_tabbar")
                                       .split(' ')) {
            const QList<int> inside = greys(shot, place(name).adjusted(3, 3, -3, -3));
            QVERIFY2(inside.first() < 30 && inside[inside.size() / 2] > 200, qPrintable(name));
        }
        QVERIFY(greys(shot, place("Banner").adjusted(8, 8, -8, -8)).last() < 50);
        // The LCD type keeps its size where it fits and shrinks only a little.
        const double points = w->child("logo")->font().pointSizeF();
        QVERIFY(scale < 1 ? points > 20 && points < 26.25 : points == 26.25);
    }
    // The captions with a box in their gap let clicks through to the box.
    for (QLineEdit *box : {w->child("BrewerCalibration"), w->child("calibration")})
        QCOMPARE(w->form.childAt(box->mapTo(&w->form, box->rect().center())), box);
}

// Each group box's frame as the program draws it against the frame the
// application's style draws: the same corners, edges and title, to within
// a level of grey where the style's stretching rounds its blend the other
// way, and the inside without the faint shade the style lays over it; at a
// scale between whole pixels, the style's own frame.
void TestWindowLayout::groupFrames()
{
    for (const double scale : {0.85, 1.0, 2.0}) {
        w->form.resize(w->form.sizeForDesignArea(QSize(969, 700) * scale));
        for (QGroupBox *box : w->form.findChildren<QGroupBox *>()) {
            const qreal ratio = box->devicePixelRatioF();
            const auto draw = [&](QStyle *style) {
                box->setStyle(style);
                QImage image(box->size() * ratio, QImage::Format_RGB32);
                image.setDevicePixelRatio(ratio);
                box->render(&image, {}, {}, QWidget::DrawWindowBackground);
                return image;
            };
            QStyle *own = box->style();
            const QImage fusion = draw(QApplication::style());
            const QImage drawn = draw(own);
            // Where the two differ by more than rounding, and how much of that
            // is lighter by exactly the shade.
            QRect differ;
            int shaded = 0;
            for (int y = 0; y < drawn.height(); ++y)
                for (int x = 0; x < drawn.width(); ++x) {
                    const int lighter = qGray(drawn.pixel(x, y)) - qGray(fusion.pixel(x, y));
                    differ |= qAbs(lighter) > 1 ? QRect(x, y, 1, 1) : QRect();
                    shaded += lighter == 3;
                }
            const QString where = box->objectName() + " at " + QString::number(scale);
            if (ratio != qRound(ratio)) {
                // Between whole pixels the style draws the frame its own way.
                QVERIFY2(differ.isEmpty(), qPrintable(where));
                continue;
            }
            // The inside, six pixels in from the frame's sides and bottom and
            // below the title, is lighter by the shade, all of it.
            const QRect all = drawn.rect();
            const int edge = qRound(6 * ratio);
            QVERIFY2(
                qAbs(differ.left() - edge) <= 1 && qAbs(all.right() - differ.right() - edge) <= 1 &&
                    qAbs(all.bottom() - differ.bottom() - edge) <= 1 &&
                    differ.top() >=
                        edge + (box->title().isEmpty() ? 0 : box->fontMetrics().height() * ratio),
                qPrintable(where));
            QVERIFY2(shaded == differ.width() * differ.height(), qPrintable(where));
        }
    }
}

QTEST_MAIN(TestWindowLayout)
#include "tst_window_layout.moc"
