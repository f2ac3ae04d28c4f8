#include "PortSuggestions.h"

#include "SerialLink.h"

#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QLineEdit>
#include <QStringListModel>

PortSuggestions::PortSuggestions(QComboBox *box, const SerialLink &link)
    : QObject(box), m_box(box), m_link(link), m_completions(new QStringListModel(this))
{
    // The completer goes on the line edit itself, so that choosing a
    // completion only fills in the text, as typing it would; through the box
    // it would also change the selected entry (to none for a device).
    auto *completer = new QCompleter(m_completions, this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains); // "usb" finds /dev/ttyUSB0
    box->lineEdit()->setCompleter(completer);
    box->installEventFilter(this);
}

bool PortSuggestions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::ToolTip)
        refresh();
    return QObject::eventFilter(watched, event);
}

// The devices, then the box's entries, which the box completed on its own
// before.
void PortSuggestions::refresh()
{
    const QList<SerialDevice> devices = m_link.presentDevices();
    QStringList completions;
    for (const SerialDevice &device : devices)
        completions << device.path;
    for (int entry = 0; entry < m_box->count(); ++entry)
        completions << m_box->itemText(entry);
    m_completions->setStringList(completions);
    m_box->setToolTip(presentDevicesText(devices, true));
}
