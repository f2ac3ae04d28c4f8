#pragma once

#include "Form1.h"
#include "NoticeCatcher.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The main window as a test drives it: shown, every notice answered and
// recorded, each control found by its name.
struct WindowUnderTest
{
    Form1 form;
    NoticeCatcher notices;

    WindowUnderTest() { form.show(); }

    template <typename T = QLineEdit> T *child(const QString &name) const
    {
        auto *widget = form.findChild<T *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QString text(const QString &field) const { return child(field)->text(); }
    QColor lamp(const QString &name) const
    {
        return child<QWidget>(name)->property("FillColor").value<QColor>();
    }
    QString slot(int index) const
    {
        return form.settingsTable().slot(index).value_or(QStringLiteral("unset"));
    }
    void click(const QString &button) const
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }

    // Sets fields from "Name=text" items, in order, as the program would.
    void set(const QStringList &items) const
    {
        for (const QString &item : items)
            child(item.section('=', 0, 0))->setText(item.section('=', 1));
    }

    // The items of `expected` ("Name=text" for a field, "slot=text" for a
    // slot of the settings table) with the texts the window holds now.
    QStringList observed(const QStringList &expected) const
    {
        QStringList items;
        for (const QString &item : expected) {
            const QString key = item.section('=', 0, 0);
            bool isSlot = false;
            const int index = key.toInt(&isSlot);
            items << key + '=' + (isSlot ? slot(index) : text(key));
        }
        return items;
    }

    // The name of button field 0..26: Text1..Text9, Text21..Text29, Text31..Text39.
    static QString gridName(int index)
    {
        const int first[] = {1, 21, 31};
        return QStringLiteral("Text%1").arg(first[index / 9] + index % 9);
    }
};
