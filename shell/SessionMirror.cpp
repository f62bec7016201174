// The window as a view of its session: the session's state shown in the controls (their handlers
// do not run while they only mirror it), the Do buttons while a run is under way.
#include "session/RecordKeeper.h"
#include "session/UnitSession.h"
#include "shell/ComboBoxAccessible.h"
#include "shell/MainWin.h"
#include "shell/StateLine.h"
#include "shell/VerdictColour.h"
#include "terminal/MsgLogView.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>

namespace
{
void mirrorCheck(QCheckBox* box, bool on)
{
    const QSignalBlocker blocker(box);
    box->setChecked(on);
}

// The list shows the text's item; screen readers hear the new choice as after a pick.
void mirrorChoice(QComboBox* list, const QString& text)
{
    const QSignalBlocker blocker(list);
    setChoice(list, list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}
} // namespace

void MainWin::mirrorSession()
{
    UnitSession* s = Session;
    connect(s, &UnitSession::portOpenBoxChanged, this,
            [this](bool on) { mirrorCheck(CommOpenCbox, on); });
    connect(s, &UnitSession::cmdRtsBoxChanged, this,
            [this](bool on) { mirrorCheck(CmdRTSCbox, on); });
    connect(s, &UnitSession::breakBoxChanged, this,
            [this](bool on) { mirrorCheck(CmdBreakCbox, on); });
    connect(s, &UnitSession::baudTextChanged, this,
            [this](const QString& text) { mirrorChoice(CommBaud, text); });
    connect(s, &UnitSession::testNewBaudChanged, this,
            [this](const QString& text) { mirrorChoice(TestNewBaud, text); });
    connect(s, &UnitSession::stateLineChanged, this,
            [this](const QString& text) { TestStateWin_Show(text); });
    connect(s, &UnitSession::verdictChanged, this,
            [this](RunVerdict verdict) { showVerdict(TestStateWin, verdict); });
    connect(s, &UnitSession::progressShown, this,
            [this](bool shown) { TestProgress_SetShown(shown); });
    connect(s, &UnitSession::progressChanged, this, [this](int value, const QString& text) {
        TestProgress->setValue(value);
        TestProgress->setFormat(text);
        TestProgress->setAccessibleDescription(text);
    });
    connect(s, &UnitSession::statChanged, this, [this](int index, qint32 value) {
        if (QLineEdit* view = StatsView.value(index))
            view->setText(QString::number(value));
    });
    connect(s, &UnitSession::busyChanged, this, [this](bool busy) { DoButtons_ShowBusy(busy); });
    connect(s, &UnitSession::undoClearChanged, this, [this] { MsgWin_UndoClearRefresh(); });
    connect(s, &UnitSession::previousRunKept, this,
            [this] { menuLogSavePrevious->setEnabled(true); });
    connect(s, &UnitSession::recordsFolderChanged, this,
            [this](const QString& folder) { KeepRecords_Show(folder); });
    connect(s, &UnitSession::runToKeep, Keeper, &RecordKeeper::keep);
    connect(Keeper, &RecordKeeper::storeProblem, this,
            [this](const QString& error) { Records_ShowStore(error); });
    connect(Keeper, &RecordKeeper::folderStatus, this,
            [this](qint64 waiting, const QString& folder, const QString& error) {
                Records_ShowFolder(waiting, folder, error);
            });
}

void MainWin::Records_ShowStore(const QString& error)
{
    if (error.isEmpty()) {
        StoreTroubleSaid = false;
        return;
    }
    if (std::exchange(StoreTroubleSaid, true))
        return;
    Session->MsgWin_Output(QStringLiteral("The station's store cannot be written: ") + error);
}

void MainWin::Records_ShowFolder(qint64 waiting, const QString& folder, const QString& error)
{
    RecordsWaiting->setVisible(waiting > 0);
    RecordsWaiting->setText(waiting == 1 ? QStringLiteral("1 run not yet in the folder")
                                         : QString::number(waiting) +
                                               QStringLiteral(" runs not yet in the folder"));
    RecordsWaiting->setToolTip(error);
    if (error.isEmpty() || waiting == 0) {
        RecordsTroubleSaid = false;
        return;
    }
    if (std::exchange(RecordsTroubleSaid, true))
        return;
    Session->MsgWin_Output(QStringLiteral("The records folder ") +
                           QDir::toNativeSeparators(folder) +
                           QStringLiteral(" cannot be written: ") + error);
}

void MainWin::TestStateWin_Show(const QString& text)
{
    TestStateWin->setText(text);
    // A long state line shows its beginning (the run's name), not its end.
    TestStateWin->setCursorPosition(0);
}

// A greyed button hands the focus on to the next control, whose keys would change a setting (the
// display mode, the modem baud). So the focus waits in the message window instead and goes back
// to the button when the run ends, unless the user has put it elsewhere.
void MainWin::DoButtons_ShowBusy(bool busy)
{
    QWidget* focused = focusWidget();
    if (busy && (focused == CfgDoIt || focused == TestDoIt)) {
        RunFocusButton = focused;
        MsgWin->setFocus(Qt::OtherFocusReason);
    }
    CfgDoIt->setEnabled(!busy);
    TestDoIt->setEnabled(!busy);
    menuFileStopRun->setEnabled(busy);
    if (!busy && RunFocusButton) {
        if (focusWidget() == MsgWin)
            RunFocusButton->setFocus(Qt::OtherFocusReason);
        RunFocusButton = nullptr;
    }
}

void MainWin::MsgWin_UndoClearRefresh()
{
    menuLogUndoClear->setEnabled(Session->undoClearOffered());
}
