// The session's life: its line, timers and log, and the start-up state every session begins in.
#include "session/UnitSession.h"
#include "platform/MSComm.h"
#include "platform/ProgramEnd.h"
#include "session/SessionQuestions.h"

#include <QSysInfo>
#include <QTimer>

UnitSession::UnitSession(PortBackends backends, SessionOptions& options,
                         SessionQuestions& questions, QObject* parent)
    : QObject(parent), Options(options), Questions(questions), Backends(std::move(backends)),
      MSComm1(new MSComm(this)), StartKludgeTimer(new QTimer(this)),
      CmdReplyTimer(new QTimer(this)), CommWatchTimer(new QTimer(this)),
      RxIdleTimer(new QTimer(this)), DelayCalTimer(new QTimer(this)),
      MsgLines(std::make_unique<MsgLog>()), CommWatch(Backends.probe)
{
    MSComm1->setDeviceFactory(Backends.openDevice);
    // Tests find the timers by name, as they find controls.
    StartKludgeTimer->setObjectName(QStringLiteral("StartKludgeTimer"));
    CmdReplyTimer->setObjectName(QStringLiteral("CmdReplyTimer"));
    CommWatchTimer->setObjectName(QStringLiteral("CommWatchTimer"));
    RxIdleTimer->setObjectName(QStringLiteral("RxIdleTimer"));
    DelayCalTimer->setObjectName(QStringLiteral("DelayCalTimer"));
    CommWatchTimer->setInterval(PortWatch::kTickMs);
    RecordsStation = QSysInfo::machineHostName();
    connect(StartKludgeTimer, &QTimer::timeout, this, [this] { StartKludgeTimer_Timer(); });
    connect(CmdReplyTimer, &QTimer::timeout, this, [this] { CmdReplyTimer_Timer(); });
    connect(CommWatchTimer, &QTimer::timeout, this, [this] { CommWatchTimer_Timer(); });
    connect(MSComm1, &MSComm::OnComm, this, [this] { MSComm1_OnComm(); });
    connect(MSComm1, &MSComm::OnLost, this, [this](const QString& r) { MSComm1_OnLost(r); });
    connect(MSComm1, &MSComm::OnNotice, this, [this](const QString& t) { MSComm1_OnNotice(t); });
    Form_Load();
}

UnitSession::~UnitSession() = default;

void UnitSession::Form_Load()
{
    PowerCycleMsg = QStringLiteral("With the serial cable connected, remove and reapply power to "
                                   "the Modem now -- the STATUS LED should come ON.") +
                    QLatin1Char('\n') +
                    QStringLiteral("Once power has been re-applied, click OK within 10 seconds "
                                   "to continue.");
    rx.stopCapturing();
    ReplyOK = QByteArrayLiteral("OK\r\n");
    ReplyER = QByteArrayLiteral("ER\r\n");
    DelayJifValue = 314159;
    DelayCalTimer->stop();
    RxIdleTimer->stop();
    CmdReplyTimer->stop();
    Rx_Reset();
    Stat_Clear();
    MsgWin_Clear();
    CommPort_Apply();
    TestStateWin_Ready();
}

void UnitSession::StartKludgeTimer_Timer()
{
    StartKludgeTimer->stop();
}

bool UnitSession::portOpen() const
{
    return MSComm1->PortOpen();
}

void UnitSession::releasePort()
{
    MSComm1->setOutBufferCount(0);
    MSComm1->setPortOpen(false);
}

void UnitSession::ReportInternalError(const QString& text)
{
    Questions.ask(QStringLiteral("Oops! An Internal Error Occurred: ") + text,
                  kTitlePrefix + QStringLiteral("Internal Error"), MsgButtons::Ok);
    endProgram(kInternalErrorStatus);
}
