#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

// Answers every modal message box that opens while it lives, as a user
// pressing OK would, and records what each one showed.
class NoticeCatcher : public QObject
{
    Q_OBJECT

public:
    struct Notice
    {
        QString text;
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QString informativeText;
    };

    NoticeCatcher();

    const QList<Notice> &notices() const { return m_notices; }
    QStringList texts() const;
    void clear() { m_notices.clear(); }

private:
    void answer();

    QTimer m_timer;
    QList<Notice> m_notices;
};
