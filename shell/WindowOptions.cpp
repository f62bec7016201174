// The window's options read from its controls, and its questions shown as its boxes.
#include "shell/WindowOptions.h"
#include "platform/MessageBox.h"
#include "platform/TextPrompt.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

QString WindowOptions::deviceConfig() const
{
    return m_c.deviceConfig->currentText();
}

bool WindowOptions::mobile() const
{
    return m_c.mobile->isChecked();
}

bool WindowOptions::configOnly() const
{
    return m_c.configOnly->isChecked();
}

bool WindowOptions::testOnly() const
{
    return m_c.testOnly->isChecked();
}

bool WindowOptions::saveTxPowerOn() const
{
    return m_c.saveTxPowerOn->isChecked();
}

bool WindowOptions::leaveInCmdMode() const
{
    return m_c.leaveInCmdMode->isChecked();
}

bool WindowOptions::leaveTxPowerOn() const
{
    return m_c.leaveTxPowerOn->isChecked();
}

bool WindowOptions::hexDisplay() const
{
    return m_c.showMode->currentIndex() == 1;
}

bool WindowOptions::showTimes() const
{
    return m_c.showTimes->isChecked();
}

MsgAnswer WindowQuestions::ask(const QString& text, const QString& title, MsgButtons buttons)
{
    return messageBox(m_window, text, title, buttons);
}

std::optional<QString> WindowQuestions::askText(const QString& title, const QString& label,
                                                const QString& prefill)
{
    return ::askText(m_window, title, label, prefill);
}

void WindowQuestions::cancelOpen()
{
    cancelOpenMessageBox();
}
