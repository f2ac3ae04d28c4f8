#include "WindowTest.h"

#include "Translation.h"

#include <QProxyStyle>

namespace {

// Fusion under a desktop theme: its standard palette is the theme's, here a
// dark one.
struct ThemedFusion : QProxyStyle
{
    ThemedFusion() : QProxyStyle(QStringLiteral("Fusion")) {}
    QPalette standardPalette() const override { return QPalette(Qt::white, Qt::black); }
};

} // namespace

void WindowTest::init()
{
    // The window in the language the run names (the tests' own is English).
    static const bool themed =
        (QApplication::setStyle(new ThemedFusion), operations::installTranslation(*qApp), true);
    Q_UNUSED(themed);
    QApplication::setPalette(QPalette(Qt::white, Qt::black));
    m_dir = std::make_unique<QTemporaryDir>();
    m_printed.clear();
    m_brewer = std::make_unique<BrewerSimulator>(m_printout);
    m_brewerReady = m_brewer->start();
#ifdef Q_OS_UNIX
    QVERIFY2(m_brewerReady, qPrintable(m_brewer->errorString()));
#endif
    if (!m_brewerReady && m_needBrewer.contains(QTest::currentTestFunction()))
        QSKIP(NoBrewer);
    newWindow();
}

void WindowTest::newWindow()
{
    w.reset();
    w = std::make_unique<WindowUnderTest>();
    w->form.setSettingsDirectory(m_dir->path());
}

void WindowTest::loadInNewWindow(const QByteArray &bytes)
{
    QString reason;
    QVERIFY2(writeSettingsFile(filePath(), bytes, &reason), qPrintable(reason));
    newWindow();
    w->click("LoadButton");
}

void WindowTest::connectTo(const QString &device)
{
    w->child<QComboBox>("PortBox")->lineEdit()->selectAll();
    QTest::keyClicks(w->child<QComboBox>("PortBox")->lineEdit(), device);
    w->told();
    w->click("ConnectButton");
}

bool WindowTest::connectToLine()
{
    connectTo(m_brewer->devicePath());
    return w->told() == QStringList{"PELN: COM Connect Successful "} &&
           w->form.serialLink().isOpen();
}
