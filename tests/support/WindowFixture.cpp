// The window fixture: builds and shows the main window under the recording responder.
#include "support/WindowFixture.h"
#include "shell/ProgramPorts.h"
#include "terminal/MsgLog.h"

#include <QTest>

namespace
{
QtMessageHandler previousHandler = nullptr;

// The offscreen platform says on every fixed-size window that it cannot pass size hints on;
// that remark carries no information for a test, so it is left out of the output.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}
} // namespace

WindowFixture::WindowFixture(bool show)
{
    static const bool installed = [] {
        previousHandler = qInstallMessageHandler(quietHandler);
        return true;
    }();
    Q_UNUSED(installed);
    m_win = std::make_unique<MainWin>(programPortBackends());
    if (show) {
        m_win->show();
        if (!QTest::qWaitForWindowExposed(m_win.get()))
            qWarning("WindowFixture: the main window was not exposed");
    }
}

WindowFixture::~WindowFixture() = default;

QStringList WindowFixture::logLines() const
{
    const MsgLog* lines = door().MsgLines();
    return lines ? lines->lines() : QStringList();
}
