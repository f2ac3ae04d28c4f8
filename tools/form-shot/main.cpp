// Shows the main window and saves screenshots of it, step by step as the
// command line says, into the output directory (first argument):
//   WIDTHxHEIGHT   the window at that size of its design area (the status
//                  line lies below it): form-WxH.png
//   opened         the window at the size it opened at on its screen:
//                  form-opened-on-WxH.png for a W x H screen
//   as:LABEL       names the shots that follow form-...-LABEL.png
//   NAME=TEXT      types TEXT into the box named NAME ("Text19=5")
//   click:NAME     clicks the button named NAME ("connect", "Command1");
//                  each notice it opens is saved, form-notice-N.png, and
//                  answered
//   brewer         starts a simulated brewer and types its port into the
//                  port box; brewer:COMMAND gives it a command ("p 2 30")
// With a scale factor other than 1 the names end in "@1.5x" and so on. The
// LCD boxes hold a logo and a banner, so that their type shows. Run it under
// a display, real or virtual; scripts/screenshots.sh does that with Xvfb.
#include "BrewerSimulator.h"
#include "Form1.h"
#include "Translation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextStream>
#include <QTimer>

namespace {

// Runs the event loop for a while: the window manager (if any), the paint
// events and the brewer's answers settle.
void settle(int ms = 300)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget &widget, const QString &file)
{
    if (!widget.grab().save(file)) {
        QTextStream(stderr) << "cannot write " << file << '\n';
        return false;
    }
    QTextStream(stdout) << file << '\n';
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    operations::installTranslation(app);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        QTextStream(stderr) << "usage: form-shot OUTPUT-DIR [WIDTHxHEIGHT | opened | as:LABEL | "
                               "NAME=TEXT | click:NAME | brewer[:COMMAND] ...]\n";
        return 2;
    }
    const QDir outDir(args.takeFirst());
    if (args.isEmpty())
        args << QStringLiteral("969x700");

    Form1 window;
    window.findChild<QLineEdit *>(QStringLiteral("Textsend"))->setText(QStringLiteral("Hg jpq 42"));
    window.findChild<QLineEdit *>(QStringLiteral("textreceive"))
        ->setText(QStringLiteral("    Logo Set    "));
    window.show();

    // Every notice is saved as it opens, then answered.
    int notices = 0;
    bool failed = false;
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        settle(100);
        failed |= !save(*box, outDir.filePath(QStringLiteral("form-notice-%1.png").arg(++notices)));
        box->button(QMessageBox::Ok)->click();
    });
    answering.start(50);

    QString printout;
    QTextStream brewerOut(&printout);
    BrewerSimulator brewer(brewerOut);
    QString label;
    const QRegularExpression sizePattern(QStringLiteral("^(\\d+)x(\\d+)$"));
    for (const QString &arg : args) {
        const QString head = arg.section(u':', 0, 0), rest = arg.section(u':', 1);
        const auto match = sizePattern.match(arg);
        QString name;
        if (auto *box = window.findChild<QLineEdit *>(arg.section(u'=', 0, 0));
            box && arg.contains(u'=')) {
            box->setFocus();
            box->selectAll();
            box->insert(arg.section(u'=', 1));
            continue;
        }
        if (head == QLatin1String("as")) {
            label = rest.isEmpty() ? QString() : u'-' + rest;
            continue;
        }
        if (head == QLatin1String("click")) {
            if (auto *button = window.findChild<QPushButton *>(rest))
                button->click();
            settle();
            continue;
        }
        if (arg == QLatin1String("brewer")) {
            if (!brewer.start()) {
                QTextStream(stderr) << "no simulated brewer: " << brewer.errorString() << '\n';
                return 1;
            }
            window.findChild<QComboBox *>(QStringLiteral("Combo1"))
                ->setCurrentText(brewer.devicePath());
            continue;
        }
        if (head == QLatin1String("brewer")) {
            brewer.command(rest);
            settle();
            continue;
        }
        if (arg == QLatin1String("opened")) {
            const QSize screen = window.screen()->size();
            name = QStringLiteral("opened-on-%1x%2").arg(screen.width()).arg(screen.height());
        } else if (match.hasMatch()) {
            window.resize(window.sizeForDesignArea(
                QSize(match.captured(1).toInt(), match.captured(2).toInt())));
            name = arg;
        } else {
            QTextStream(stderr) << "not a step: " << arg << '\n';
            return 2;
        }
        settle();
        if (window.devicePixelRatio() != 1)
            name += QStringLiteral("@%1x").arg(window.devicePixelRatio());
        if (!save(window, outDir.filePath(QStringLiteral("form-%1%2.png").arg(name, label))))
            return 1;
    }
    return failed ? 1 : 0;
}
