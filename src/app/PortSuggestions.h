#pragma once

#include <QObject>

class QComboBox;
class QStringListModel;
class SerialLink;

// Offers the serial devices that the link finds on this computer in the
// port box: as completions while the user types, and in the box's tooltip
// with what is known of each. The list is asked for afresh each time the box
// takes the focus or is about to show its tooltip, so that an adapter
// plugged in later appears, and never at start-up, which would only slow it.
// The box's own entries stay as they are.
class PortSuggestions : public QObject
{
    Q_OBJECT

public:
    PortSuggestions(QComboBox *box, const SerialLink &link);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();

    QComboBox *m_box;
    const SerialLink &m_link;
    QStringListModel *m_completions;
};
