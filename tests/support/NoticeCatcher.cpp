#include "NoticeCatcher.h"

#include <QAbstractButton>
#include <QApplication>

NoticeCatcher::NoticeCatcher()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &NoticeCatcher::answer);
    m_timer.start();
}

QStringList NoticeCatcher::texts() const
{
    QStringList result;
    for (const Notice &notice : m_notices)
        result << notice.text;
    return result;
}

void NoticeCatcher::answer()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    m_notices.append({box->text(), box->windowTitle(), box->icon(), box->standardButtons(),
                      box->informativeText()});
    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
        ok->click();
    else
        box->reject();
}
