// The About window: its load step, what the Help menu makes of it, and the system-information path.
#include "platform/SysInfo.h"
#include "shell/frmAbout.h"
#include "support/DataTable.h"
#include "support/WindowFixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtMath>
#include <QtTest>

namespace
{
// Runs open(), which shows a modal window, and hands that window to inspect() once it is up;
// the window is then closed whatever inspect() found, so that open() returns.
bool whileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inspect)
{
    // The look-out stops when open() returns, shown or not, so it never outlives this call.
    QTimer lookout;
    bool seen = false;
    QObject::connect(&lookout, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        lookout.stop();
        seen = true;
        inspect(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    });
    lookout.start(5);
    open();
    return seen;
}
} // namespace

class tst_about : public QObject
{
    Q_OBJECT
private slots:
    void loadStep();
    void controls_data();
    void controls();
    void openedFromHelpShowsTheProgramVersion();
    void reopeningRewritesTheVersion();
    void okCloses();
    void descriptionShownWhole_data();
    void descriptionShownWhole();
    void systemInfoUnavailable();
    void registryValueText_data();
    void registryValueText();
#ifndef Q_OS_WIN
    void noRegistryHere();
#endif
};

void tst_about::loadStep()
{
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Tarvex Brannoc"));
    QCOMPARE(about.lblTitle->text(), QStringLiteral("Tarvex Brannoc"));
    QCOMPARE(about.lblVersion->text(), QStringLiteral("Version 0.0.1"));
    const QString description = about.lblDescription->toPlainText();
    QVERIFY(!description.isEmpty());
    QVERIFY(about.lblDescription->isReadOnly());
}

void tst_about::controls_data()
{
    addColumns<QString, QString, QString>({"name", "kind", "caption"});
    QTest::newRow("picIcon") << "picIcon"
                             << "QLabel" << QString();
    QTest::newRow("lblTitle") << "lblTitle"
                              << "QLabel" << QString();
    QTest::newRow("lblVersion") << "lblVersion"
                                << "QLabel" << QString();
    QTest::newRow("lblDescription") << "lblDescription"
                                    << "QPlainTextEdit" << QString();
    QTest::newRow("cmdOK") << "cmdOK"
                           << "QPushButton"
                           << "OK";
    QTest::newRow("cmdSysInfo") << "cmdSysInfo"
                                << "QPushButton"
                                << "&System Info...";
}

void tst_about::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    frmAbout about;
    auto* w = about.findChild<QWidget*>(name);
    QVERIFY(w);
    QVERIFY(w->inherits(kind.toLatin1()));
    if (!caption.isNull())
        QCOMPARE(qobject_cast<QPushButton*>(w)->text(), caption);
}

void tst_about::openedFromHelpShowsTheProgramVersion()
{
    WindowFixture fx;
    QString title;
    QString version;
    QString heading;
    bool blocksTheWindow = false;
    const bool shown = whileModal([&] { fx.control<QAction>("menuHelpAbout")->trigger(); },
                                  [&](QWidget* modal) {
                                      auto* about = qobject_cast<frmAbout*>(modal);
                                      if (!about)
                                          return;
                                      title = about->windowTitle();
                                      version = about->lblVersion->text();
                                      heading = about->lblTitle->text();
                                      blocksTheWindow = about->isModal();
                                  });
    QVERIFY(shown);
    QCOMPARE(title, QStringLiteral("About Tarvex Brannoc"));
    QCOMPARE(heading, QStringLiteral("Tarvex Brannoc"));
    QCOMPARE(version, QStringLiteral("Version 1.05.1"));
    QVERIFY(blocksTheWindow);
}

void tst_about::reopeningRewritesTheVersion()
{
    WindowFixture fx;
    QVERIFY(whileModal([&] { fx.door().menuHelpAbout_Click(); }, [](QWidget*) {}));
    auto* about = fx.win().findChild<frmAbout*>();
    QVERIFY(about);
    about->lblVersion->setText(QStringLiteral("Version 0.0.1"));
    QString version;
    QVERIFY(whileModal([&] { fx.door().menuHelpAbout_Click(); },
                       [&](QWidget*) { version = about->lblVersion->text(); }));
    QCOMPARE(version, QStringLiteral("Version 1.05.1"));
    QCOMPARE(fx.win().findChildren<frmAbout*>().size(), 1);
}

void tst_about::okCloses()
{
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

void tst_about::descriptionShownWhole_data()
{
    QTest::addColumn<int>("pointSize");
    QTest::newRow("the desktop's font") << 0;
    QTest::newRow("a large font") << 16;
}

// The description fits its box: no scrolling, and no more than a line of space left over.
void tst_about::descriptionShownWhole()
{
    QFETCH(int, pointSize);
    const QFont before = QApplication::font();
    if (pointSize > 0) {
        QFont large = before;
        large.setPointSize(pointSize);
        QApplication::setFont(large);
    }
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QApplication::setFont(before);
    QPlainTextEdit* description = about.lblDescription;
    const int lines = description->document()->lineCount();
    QVERIFY(lines >= 3);
    QCOMPARE(description->verticalScrollBar()->maximum(), 0);
    // Room for one more line would be room to spare (the margins above and below included).
    const int lineHeight = QFontMetrics(description->font()).lineSpacing();
    const int margins = 2 * qCeil(description->document()->documentMargin());
    QVERIFY2(description->viewport()->height() < (lines + 1) * lineHeight + margins,
             qPrintable(QString::number(description->viewport()->height())));
}

void tst_about::systemInfoUnavailable()
{
#ifdef Q_OS_WIN
    QSKIP("The system-information program may exist here.");
#endif
    MessageBoxRecorder recorder;
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.cmdSysInfo, Qt::LeftButton);
    QCOMPARE(recorder.boxes().size(), 1);
    QCOMPARE(recorder.boxes().at(0).text,
             QStringLiteral("System Information Is Unavailable At This Time"));
    QCOMPARE(recorder.boxes().at(0).title, QStringLiteral("Modem Config - System Information"));
    QCOMPARE(recorder.boxes().at(0).buttons, MsgButtons::Ok);
    QVERIFY(about.isVisible());
}

void tst_about::registryValueText_data()
{
    addColumns<quint32, QByteArray, QString>({"type", "data", "expected"});
    auto utf16 = [](const QString& text, bool terminated) {
        QByteArray bytes(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        if (terminated)
            bytes.append(2, '\0');
        return bytes;
    };
    const QString path = QStringLiteral("C:\\Program Files\\Common Files\\MSINFO\\MSINFO32.EXE");
    QTest::newRow("string with its terminator") << kRegString << utf16(path, true) << path;
    QTest::newRow("string without terminator") << kRegString << utf16(path, false) << path;
    QTest::newRow("empty string") << kRegString << utf16(QString(), true) << QString();
    QTest::newRow("number 1") << kRegNumber << QByteArray("\x01\x00\x00\x00", 4) << "1";
    // A byte below 0x10 in a higher place keeps its leading zero digit: 0x0201, not 0x21.
    QTest::newRow("number 513") << kRegNumber << QByteArray("\x01\x02\x00\x00", 4) << "513";
    QTest::newRow("number 0x10203") << kRegNumber << QByteArray("\x03\x02\x01\x00", 4) << "66051";
    QTest::newRow("largest number")
        << kRegNumber << QByteArray("\xff\xff\xff\xff", 4) << "4294967295";
    QTest::newRow("other type leaves the text") << 3u << QByteArray("\x01\x02", 2) << "unchanged";
}

void tst_about::registryValueText()
{
    QFETCH(quint32, type);
    QFETCH(QByteArray, data);
    QFETCH(QString, expected);
    QString value = QStringLiteral("unchanged");
    ::registryValueText(type, data, value);
    QCOMPARE(value, expected);
}

#ifndef Q_OS_WIN
void tst_about::noRegistryHere()
{
    QString value = QStringLiteral("stale");
    QVERIFY(!GetKeyValue(kHKeyLocalMachine,
                         QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                         QStringLiteral("PATH"), value));
    QCOMPARE(value, QString());
}
#endif

QTEST_MAIN(tst_about)
#include "tst_about.moc"
