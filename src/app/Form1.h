#pragma once

#include "ProportionalLayout.h"
#include "SerialLink.h"
#include "SettingFields.h"
#include "SettingsForm.h"

#include <QMessageBox>
#include <QWidget>

#include <memory>

class QLineEdit;

namespace Ui {
class Form1;
}

// The program's one window: every field, button and lamp, the settings
// table, and the handlers that wire them to the rules of the core.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    const SettingsTable &settingsTable() const { return m_form.table(); }
    const SettingsForm &settingsForm() const { return m_form; }
    const SerialLink &serialLink() const { return m_link; }
    SerialLink &serialLink() { return m_link; }

    // The application's title: the window's title and the caption of every
    // notice that names no other.
    static QString appTitle();

    // Where Save and Load keep the settings file; the program's own
    // directory unless set otherwise.
    void setSettingsDirectory(const QString &directory) { m_settingsDirectory = directory; }
    QString settingsFilePath() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load();
    void nameControlArrays();
    void placeGapCaptions();
    void describeFields();
    void wireSettingFields();
    void wireButtons();
    void wireFileButtons();
    void wireBrewerLink();

    // Handlers.
    void saveClick();
    void loadClick();
    void connectClick();
    void sendClick();
    void readClick();
    void linkLost(const QString &reason);

    QLineEdit *settingField(int index) const;

    // A modal message box with one OK button.
    void notice(const QString &text, const QString &caption = appTitle(),
                QMessageBox::Icon icon = QMessageBox::NoIcon);
    // The same with a second, smaller text under the first.
    void detailedNotice(const QString &text, const QString &details, const QString &caption,
                        QMessageBox::Icon icon);

    std::unique_ptr<Ui::Form1> ui;
    SettingsForm m_form;                // the setting fields' texts and the settings table
    SerialLink m_link;                  // the brewer's serial port
    QList<QLineEdit *> m_settingFields; // in the order of settingFields()
    QString m_settingsDirectory;        // empty: the program's directory

    // Proportional layout: every control's design geometry is recorded once
    // at start-up, and each resize places every control from that record.
    void ResizeInit(QWidget &FormName);
    void ResizeForm(QWidget &FormName);
    void Form_Resize();

    ProportionalLayout m_layout;
};
