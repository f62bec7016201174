// Window-free pieces of the serial link: port names, error counters, failure texts, facade.
#include "platform/LineErrorCounters.h"
#include "platform/MSComm.h"
#include "platform/OpenFailure.h"
#include "platform/PortBackends.h"
#include "serial/PortName.h"
#include "support/DataTable.h"
#include "support/ScriptedDevice.h"

#include <QTemporaryFile>
#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(PortNaming)
Q_DECLARE_METATYPE(LineErrorCounters)
Q_DECLARE_METATYPE(OpenFailureKind)
Q_DECLARE_METATYPE(DeviceAccess)

class tst_serialunits : public QObject
{
    Q_OBJECT
private slots:
    void portChoice_data();
    void portChoice();
    void systemPorts();
    void stablePortNames();
    void lineEvents_data();
    void lineEvents();
    void failureText_data();
    void failureText();
    void permissionAdvice_data();
    void permissionAdvice();
    void accessOfFile_data();
    void accessOfFile();
    void facadeReadsBytesThatCameDuringTheHandler();
    void facadeStopsWhenHandlerTakesNothing();
    void facadeWithoutBackendsOpensNothing();
};

void tst_serialunits::portChoice_data()
{
    addColumns<QString, PortNaming, bool, int, QString>(
        {"text", "naming", "ok", "number", "device"});

    const auto onLinux = PortNaming::Linux;
    const auto onWindows = PortNaming::Windows;
    QTest::newRow("COM1") << "COM1" << onLinux << true << 1 << "/dev/ttyS0";
    QTest::newRow("COM4") << "COM4" << onLinux << true << 4 << "/dev/ttyS3";
    QTest::newRow("two digits") << "COM12" << onLinux << true << 12 << "/dev/ttyS11";
    QTest::newRow("lower case") << "com2" << onLinux << true << 2 << "/dev/ttyS1";
    QTest::newRow("blanks around") << "  COM3 " << onLinux << true << 3 << "/dev/ttyS2";
    QTest::newRow("largest") << "COM32767" << onLinux << true << 32767 << "/dev/ttyS32766";
    QTest::newRow("windows") << "COM3" << onWindows << true << 3 << "COM3";
    QTest::newRow("windows two digits") << "com10" << onWindows << true << 10 << "COM10";
    QTest::newRow("usb path") << "/dev/ttyUSB0" << onLinux << true << 0 << "/dev/ttyUSB0";
    QTest::newRow("pty path") << "/dev/pts/7" << onLinux << true << 0 << "/dev/pts/7";
    QTest::newRow("bare name") << "ttyACM0" << onLinux << true << 0 << "ttyACM0";
    QTest::newRow("simulated") << "SIM" << onLinux << true << 0 << "SIM";
    QTest::newRow("empty") << "" << onLinux << false << 0 << "";
    QTest::newRow("blank") << "   " << onLinux << false << 0 << "";
    QTest::newRow("COM alone") << "COM" << onLinux << false << 0 << "";
    QTest::newRow("COM0") << "COM0" << onLinux << false << 0 << "";
    QTest::newRow("letters") << "COMx" << onLinux << false << 0 << "";
    QTest::newRow("digits then letters") << "COM1a" << onLinux << false << 0 << "";
    QTest::newRow("sign") << "COM+1" << onLinux << false << 0 << "";
    QTest::newRow("negative") << "COM-1" << onLinux << false << 0 << "";
    QTest::newRow("beyond 16 bits") << "COM32768" << onLinux << false << 0 << "";
    QTest::newRow("huge") << "COM99999999999" << onLinux << false << 0 << "";
}

void tst_serialunits::portChoice()
{
    QFETCH(QString, text);
    QFETCH(PortNaming, naming);
    QFETCH(bool, ok);
    QFETCH(int, number);
    QFETCH(QString, device);

    const PortChoice choice = choosePort(text, naming);
    QCOMPARE(choice.ok, ok);
    if (ok) {
        QCOMPARE(int(choice.number), number);
        QCOMPARE(choice.deviceName, device);
        QVERIFY(choice.error.isEmpty());
    } else {
        QVERIFY(!choice.error.isEmpty());
    }
}

void tst_serialunits::systemPorts()
{
    const QList<SystemPort> found = {{"/dev/ttyS0", "builtin"}, {"/dev/ttyUSB0", "FT232R USB UART"},
                                     {"/dev/ttyS3", "builtin"}, {"/dev/ttyS4", "builtin"},
                                     {"/dev/ttyUSB0", "twice"}, {"", "nameless"},
                                     {"/dev/ttyACM0", "modem"}};
    const QList<SystemPort> linuxList = {
        {"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/ttyS4", "builtin"}, {"/dev/ttyACM0", "modem"}};
    QCOMPARE(extraSystemPorts(found, PortNaming::Linux), linuxList);

    const QList<SystemPort> windowsFound = {
        {"COM1", "Communications Port"}, {"COM5", "USB Serial Port"}, {"COM4", "x"}};
    const QList<SystemPort> windowsList = {{"COM5", "USB Serial Port"}};
    QCOMPARE(extraSystemPorts(windowsFound, PortNaming::Windows), windowsList);
}

void tst_serialunits::stablePortNames()
{
    const QList<SystemPort> found = {{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/ttyACM0", ""}};
    const QList<SystemPort> links = {{"/dev/serial/by-id/usb-FTDI-if00", "/dev/ttyUSB0"},
                                     {"/dev/serial/by-id/usb-modem-if00", "/dev/ttyACM0"},
                                     {"/dev/serial/by-id/usb-gone-if00", "/dev/ttyUSB7"}};
    const QList<SystemPort> shown = {{"/dev/serial/by-id/usb-FTDI-if00", "FT232R USB UART"},
                                     {"/dev/serial/by-id/usb-modem-if00", ""},
                                     {"/dev/serial/by-id/usb-gone-if00", ""}};
    QCOMPARE(stableNames(found, links), shown);
    // Listed after the system's ports, each once.
    const QList<SystemPort> listed = extraSystemPorts(found + stableNames(found, links));
    QCOMPARE(listed.mid(2), shown);
}

void tst_serialunits::lineEvents_data()
{
    addColumns<LineErrorCounters, LineErrorCounters, QList<qint16>>({"before", "after", "events"});

    const LineErrorCounters zero;
    QTest::newRow("nothing new") << zero << zero << QList<qint16>{};
    QTest::newRow("one frame") << zero << LineErrorCounters{1, 0, 0, 0, 0}
                               << QList<qint16>{comEventFrame};
    QTest::newRow("many frames, one event")
        << LineErrorCounters{5, 0, 0, 0, 0} << LineErrorCounters{40, 0, 0, 0, 0}
        << QList<qint16>{comEventFrame};
    QTest::newRow("overrun") << zero << LineErrorCounters{0, 2, 0, 0, 0}
                             << QList<qint16>{comEventOverrun};

    QTest::newRow("all kinds") << LineErrorCounters{1, 1, 1, 1, 1}
                               << LineErrorCounters{2, 2, 2, 2, 2}
                               << QList<qint16>{comEventBreak, comEventFrame, comEventOverrun,
                                                comEventRxParity, comEventRxOver};
    QTest::newRow("counter went back")
        << LineErrorCounters{9, 9, 9, 9, 9} << zero << QList<qint16>{};
    QTest::newRow("one up, one back")
        << LineErrorCounters{3, 7, 0, 0, 0} << LineErrorCounters{0, 8, 0, 0, 0}
        << QList<qint16>{comEventOverrun};
}

void tst_serialunits::lineEvents()
{
    QFETCH(LineErrorCounters, before);
    QFETCH(LineErrorCounters, after);
    QFETCH(QList<qint16>, events);
    QCOMPARE(lineEventsBetween(before, after), events);
}

void tst_serialunits::failureText_data()
{
    addColumns<OpenFailureKind, QString>({"kind", "expected"});

    QTest::newRow("absent") << OpenFailureKind::NotFound << "there is no port /dev/ttyUSB3";
    QTest::newRow("not serial")
        << OpenFailureKind::NotSerial
        << "/dev/ttyUSB3 is not a serial port or refused the line format 9600,E,8,1 (Inappropriate "
           "ioctl for device)";
}

void tst_serialunits::failureText()
{
    QFETCH(OpenFailureKind, kind);
    QFETCH(QString, expected);
    QCOMPARE(
        openFailureText(kind, "/dev/ttyUSB3", "Inappropriate ioctl for device", {}, "9600,E,8,1"),
        expected);
}

namespace
{
// A device of root's with this mode and group, seen by a user who is not its owner.
DeviceAccess rootsDevice(int mode, const QString& group, bool userInGroup)
{
    DeviceAccess a;
    a.known = true;
    a.owner = "root";
    a.group = group;
    a.groupIsRoot = group == "root";
    a.ownerReadWrite = (mode & 0600) == 0600;
    a.groupReadWrite = (mode & 0060) == 0060;
    a.othersReadWrite = (mode & 0006) == 0006;
    a.userInGroup = userInGroup;
    return a;
}

const QString kDenied = QStringLiteral("permission denied on /dev/ttyUSB3; ");
const QString kOwnerOnly = QStringLiteral(
    ". To grant access, add a udev rule that gives the device to a group of yours with read and "
    "write permission; on a standard system serial ports belong to the group \"dialout\" (sudo "
    "usermod -aG dialout $USER), then log out and log in again");
const QString kElsewhere = QStringLiteral(
    "its permissions let your user read and write it, but the system refuses access for another "
    "reason (an access control list, a security policy, or a file system mounted without device "
    "access)");
} // namespace

void tst_serialunits::permissionAdvice_data()
{
    addColumns<DeviceAccess, QString>({"access", "expected"});

    QTest::newRow("group rw: join it")
        << rootsDevice(0660, "dialout", false)
        << kDenied + "your user must be a member of the group \"dialout\" that owns the device "
                     "(for example: sudo usermod -aG dialout $USER), then log out and log in again";
    QTest::newRow("group rw, but the group is root")
        << rootsDevice(0660, "root", false)
        << kDenied + "only its owner (root) can open it" + kOwnerOnly;
    QTest::newRow("group none") << rootsDevice(0600, "dialout", false)
                                << kDenied + "only its owner (root) can open it" + kOwnerOnly;
    QTest::newRow("group none, root's")
        << rootsDevice(0600, "root", false)
        << kDenied + "only its owner (root) can open it" + kOwnerOnly;
    QTest::newRow("world rw") << rootsDevice(0666, "root", false) << kDenied + kElsewhere;
    QTest::newRow("group rw, already a member")
        << rootsDevice(0660, "dialout", true) << kDenied + kElsewhere;

    DeviceAccess own = rootsDevice(0066, "dialout", true);
    own.owner = "ann";
    own.userIsOwner = true;
    QTest::newRow("own device without owner rw")
        << own
        << kDenied + "its permissions deny read and write even to you, its owner (for "
                     "example: chmod u+rw /dev/ttyUSB3)";
    QTest::newRow("nothing known")
        << DeviceAccess{} << kDenied + "only its owner can open it" + kOwnerOnly;
}

void tst_serialunits::permissionAdvice()
{
    QFETCH(DeviceAccess, access);
    QFETCH(QString, expected);
    QCOMPARE(openFailureText(OpenFailureKind::PermissionDenied, "/dev/ttyUSB3", "Permission denied",
                             access, "9600,N,8,1"),
             expected);
}

// The three modes a device file is made with, read from a file of this user's.
void tst_serialunits::accessOfFile_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("group rw") << 0660;
    QTest::newRow("group none") << 0600;
    QTest::newRow("world rw") << 0666;
}

void tst_serialunits::accessOfFile()
{
    QFETCH(int, mode);
    QTemporaryFile file;
    QVERIFY(file.open());
    QCOMPARE(::chmod(QFile::encodeName(file.fileName()).constData(), mode_t(mode)), 0);
    const struct group* mine = ::getgrgid(::getegid());
    QVERIFY(mine);

    const DeviceAccess a = deviceAccess(file.fileName());
    QVERIFY(a.known);
    QCOMPARE(a.group, QString::fromLocal8Bit(mine->gr_name));
    QVERIFY(a.userIsOwner);
    QVERIFY(a.userInGroup);
    QVERIFY(a.ownerReadWrite);
    QCOMPARE(a.groupReadWrite, (mode & 0060) == 0060);
    QCOMPARE(a.othersReadWrite, (mode & 0006) == 0006);
    QVERIFY(!accessDenied(file.fileName()));

    QVERIFY(!deviceAccess(file.fileName() + ".absent").known);
    QVERIFY(!accessDenied(file.fileName() + ".absent"));
}

// A receive handler that lets more bytes in while it runs (here: fed from inside it) must not
// leave them unread just because the device will not signal for them again.
void tst_serialunits::facadeReadsBytesThatCameDuringTheHandler()
{
    MSComm comm;
    auto line = ScriptedLine::create();
    line->installOn(comm);
    QVERIFY(comm.setPortOpen(true));

    QByteArray received;
    int events = 0;
    connect(&comm, &MSComm::OnComm, this, [&] {
        if (comm.CommEvent() != comEvReceive)
            return;
        ++events;
        const QByteArray bytes = comm.Input();
        received += bytes;
        if (bytes == "a")
            line->feed("bcdefgh"); // more than before, while the handler runs
    });
    line->feed("a");
    QTRY_COMPARE(received, QByteArray("abcdefgh"));
    QCOMPARE(line->unread(), QByteArray());
    QVERIFY(events >= 2);
}

void tst_serialunits::facadeStopsWhenHandlerTakesNothing()
{
    MSComm comm;
    auto line = ScriptedLine::create();
    line->installOn(comm);
    QVERIFY(comm.setPortOpen(true));
    int events = 0;
    connect(&comm, &MSComm::OnComm, this, [&] { ++events; });
    line->feed("xyz");
    QTRY_COMPARE(events, 1);
    QCoreApplication::processEvents();
    QCOMPARE(events, 1);
    QCOMPARE(comm.InBufferCount(), 3);
}

// A component given no device factory opens no name, not even the simulated modem's, and says
// why.
void tst_serialunits::facadeWithoutBackendsOpensNothing()
{
    MSComm comm;
    for (const QString& name : {QStringLiteral("SIM"), QStringLiteral("/dev/null")}) {
        comm.setPortName(name);
        QString error;
        QVERIFY(!comm.setPortOpen(true, &error));
        QCOMPARE(error, QStringLiteral("no such device"));
        QVERIFY(!comm.PortOpen());
        QVERIFY(!comm.device());
    }
}

QTEST_MAIN(tst_serialunits)
#include "tst_serialunits.moc"
