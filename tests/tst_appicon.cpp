// The program's icon and desktop id: the windows show the pictures that are installed for the
// desktop, and the id the program announces names the installed desktop entry and icon.
#include "shell/AppIcon.h"
#include "shell/frmAbout.h"
#include "support/DataTable.h"
#include "support/WindowFixture.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QtTest>

class tst_appicon : public QObject
{
    Q_OBJECT
private slots:
    void windowShowsTheInstalledPicture_data();
    void windowShowsTheInstalledPicture();
    void aboutPictureIsTheWindowIcon();
    void desktopEntryCarriesTheProgramsId();
};

void tst_appicon::windowShowsTheInstalledPicture_data()
{
    addColumns<int, QString>({"size", "installed"});
    QTest::newRow("48 px") << 48 << QFINDTESTDATA("../dist/icon-48.png");
    QTest::newRow("256 px") << 256 << QFINDTESTDATA("../dist/icon-256.png");
}

void tst_appicon::windowShowsTheInstalledPicture()
{
    QFETCH(int, size);
    QFETCH(QString, installed);
    QVERIFY(!installed.isEmpty());
    const QImage expected = QImage(installed).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(expected.size(), QSize(size, size));

    WindowFixture fx(false);
    const QIcon icon = fx.win().windowIcon();
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    // The picture itself, pixel for pixel, whatever the screen's density.
    const QImage shown = icon.pixmap(QSize(size, size), 1.0)
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(shown, expected);
}

void tst_appicon::aboutPictureIsTheWindowIcon()
{
    WindowFixture fx(false);
    frmAbout about(&fx.win());
    const QImage picture = about.picIcon->pixmap().toImage();
    QVERIFY(!picture.isNull());
    const QImage windowIcon =
        fx.win()
            .windowIcon()
            .pixmap(picture.deviceIndependentSize().toSize(), picture.devicePixelRatio())
            .toImage()
            .convertToFormat(picture.format());
    QCOMPARE(picture, windowIcon);
}

void tst_appicon::desktopEntryCarriesTheProgramsId()
{
    const QString path = QFINDTESTDATA("../dist/" + kDesktopId + ".desktop");
    QVERIFY2(!path.isEmpty(), qPrintable("no desktop entry named " + kDesktopId));
    QFile entry(path);
    QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'));
    QVERIFY(lines.contains(QStringLiteral("Icon=") + kDesktopId));
    QVERIFY(QFile::exists(QFINDTESTDATA("../dist/" + kDesktopId + ".metainfo.xml")));
}

QTEST_MAIN(tst_appicon)
#include "tst_appicon.moc"
