#pragma once

#include "Controls.h"
#include "Form1.h"
#include "Lamp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// A notice as the user saw it.
struct Told
{
    QString text;
    QString title;
    QString details; // the smaller text under the first, if any
    QMessageBox::Icon icon;
    QColor ground; // the box's background
};

// The main window as a test drives it: shown, every notice answered with its
// one OK button and recorded, a question with the button `answer` names,
// each control found by its name or by what it is (see Controls.h).
struct WindowUnderTest
{
    Form1 form;
    QList<Told> notices;
    QString answer;     // the text of the button that answers a question
    QStringList opened; // each menu's entries, each file dialog's title and files
    QTimer answering;

    WindowUnderTest()
    {
        QObject::connect(&answering, &QTimer::timeout, [this] {
            // A menu or a file dialog is recorded, then closed.
            if (QWidget *menu = QApplication::activePopupWidget()) {
                QStringList texts;
                for (const QAction *action : menu->actions())
                    texts << action->text();
                opened << texts.join('|');
                menu->close();
            } else if (auto *files =
                           qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                opened << files->windowTitle() + ": " + files->nameFilters().join(";;");
                files->reject();
            }
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            // A notice has one button, OK; a question is answered as told.
            QAbstractButton *chosen =
                box->buttons().size() == 1 ? box->button(QMessageBox::Ok) : nullptr;
            for (QAbstractButton *button : box->buttons())
                chosen = box->buttons().size() > 1 && button->text() == answer ? button : chosen;
            if (!chosen)
                qFatal("a notice with other buttons than OK: %s", qPrintable(box->text()));
            notices.append({box->text(), box->windowTitle(), box->informativeText(), box->icon(),
                            box->palette().color(QPalette::Window)});
            chosen->click();
        });
        answering.start(5);
        form.show();
    }

    // "Caption: text" of every notice since the last call.
    QStringList told()
    {
        QStringList lines;
        for (const Told &notice : std::exchange(notices, {}))
            lines << notice.title + ": " + notice.text;
        return lines;
    }

    template <typename T = QLineEdit> T *child(const QString &name) const
    {
        auto *widget = form.findChild<T *>(controlName(name));
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QString text(const QString &field) const { return child(field)->text(); }
    // A box's or a label's text, a toggle's "down" or "up", or a lamp's
    // colour: "green", "red" or its RGB.
    QString shown(const QString &name) const
    {
        if (form.findChild<QLineEdit *>(controlName(name)))
            return text(name);
        if (const auto *toggle = form.findChild<QPushButton *>(controlName(name)))
            return toggle->isChecked() ? "down" : "up";
        if (const auto *label = form.findChild<QLabel *>(controlName(name)))
            return label->text();
        const QColor colour = child<Lamp>(name)->fillColor();
        return colour == Lamp::Green ? "green" : colour == Lamp::Red ? "red" : colour.name();
    }
    void click(const QString &button) const
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }

    // Sets boxes from "name=text" items, in order, as the program would.
    void set(const QStringList &items) const
    {
        for (const QString &item : items)
            child(item.section('=', 0, 0))->setText(item.section('=', 1));
    }

    // What differs from `expected` ("name=text" for what a box or lamp shows,
    // "N=text" for slot N of the settings table); "" when nothing does.
    QString differences(const QStringList &expected) const
    {
        return ::differences(expected, [this](const QString &key) {
            bool isSlot = false;
            const int index = key.toInt(&isSlot);
            return isSlot ? form.settingsTable().slot(index).value_or("unset") : shown(key);
        });
    }
    // The same for items given as one string, separated by spaces.
    QString diff(const QString &expected) const { return differences(expected.split(' ')); }
};
