#pragma once

#include "BrewerSimulator.h"
#include "Cases.h"
#include "DataRow.h"
#include "SettingsFileAccess.h"
#include "WindowUnderTest.h"

#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

inline const QString Sent = "PELN: Send Data Successful!";
// The simulated brewer's line is a pseudo-terminal, which Windows does not
// have: there the tests that need it skip.
inline const char *const NoBrewer = "needs the simulated brewer's pseudo-terminal";

// What every window test starts from: a new window under a dark desktop
// theme (white text on black), keeping its settings file in a folder of the
// test's own, and the simulated brewer at the far end of a pseudo-terminal.
// The test functions named in `needBrewer` skip where there is none.
class WindowTest : public QObject
{
    Q_OBJECT

public:
    explicit WindowTest(QByteArrayList needBrewer = {}) : m_needBrewer(std::move(needBrewer)) {}

private slots:
    void init();
    void cleanup() { w.reset(); }

protected:
    void newWindow();
    // Writes `bytes` as the settings file and presses Load in a new window.
    void loadInNewWindow(const QByteArray &bytes);
    QString filePath() const { return m_dir->filePath("PELN PROGRAM DATA.TXT"); }
    // Types the device into the port box, as a user would, and presses Connect.
    void connectTo(const QString &device);
    // Connects to the simulated brewer's line; true when that succeeded.
    bool connectToLine();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_printed; // what the brewer printed since it was last looked at
    QTextStream m_printout{&m_printed};
    std::unique_ptr<BrewerSimulator> m_brewer;
    bool m_brewerReady = false;
    std::unique_ptr<WindowUnderTest> w;

private:
    QByteArrayList m_needBrewer;
};
