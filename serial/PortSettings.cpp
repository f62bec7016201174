// Port settings and opening: the "Comm. Settings" lists and the "Open Comm Port?" box.
#include "platform/CommSettings.h"
#include "platform/MSComm.h"
#include "platform/MessageBox.h"
#include "serial/PortName.h"
#include "shell/MainWin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QSerialPortInfo>
#include <QSignalBlocker>

void MainWin::CommPort_Apply()
{
    if (!CommOpenCbox->isChecked()) {
        RTS_Set(false);
        CommPort->setEnabled(true);
        CommBaud->setEnabled(true);
        CommFormat->setEnabled(true);
        if (MSComm1->PortOpen())
            MSComm1->setPortOpen(false);
        return;
    }

    if (MSComm1->PortOpen())
        MSComm1->setPortOpen(false);
    const QString portText = CommPort->currentText();
    const PortChoice port = choosePort(portText);
    if (!port.ok) {
        CommPort_OpenFailed(portText, port.error);
        return;
    }
    MSComm1->setCommPort(port.number);
    MSComm1->setPortName(port.deviceName);
    const QString settings = CommBaud->currentText() + QLatin1Char(',') + CommFormat->currentText();
    QString refused;
    if (!parseCommSettings(settings, nullptr, &refused) || !MSComm1->setSettings(settings)) {
        CommPort_OpenFailed(portText, refused);
        return;
    }
    MSComm1->setInBufferSize(2048);
    MSComm1->setOutBufferSize(512);
    MSComm1->setSThreshold(MSComm1->OutBufferSize() - 50);
    MSComm1->setInputLen(0);
    MSComm1->setInputMode(1);
    MSComm1->setRThreshold(1);
    RTS_Set(CmdRTSCbox->isChecked());
    QString failure;
    if (!MSComm1->setPortOpen(true, &failure)) {
        CommPort_OpenFailed(portText, failure);
        return;
    }
    CommPortOpenText = portText;
    MsgWin_Output(QStringLiteral("Open ") + portText + QStringLiteral(" for ") + settings);
}

void MainWin::CommPort_OpenFailed(const QString& portText, const QString& description)
{
    const QString line =
        QStringLiteral("Open ") + portText + QStringLiteral(" failed: ") + description;
    MsgWin_Output(line);
    messageBox(this, line + QStringLiteral("\n\nSelect another CommPort and click OPEN COMM PORT"),
               kTitlePrefix + QStringLiteral("Failed to Open CommPort"), MsgButtons::Ok);
    CommOpenCbox->setChecked(false);
}

void MainWin::CommPort_Reopen()
{
    if (MSComm1->PortOpen())
        MSComm1->setPortOpen(false);
    if (CommOpenCbox->isChecked())
        CommPort_Apply();
}

void MainWin::CommSettings_Enable()
{
    if (CommOpenCbox->isChecked())
        return;
    CommPort->setEnabled(true);
    CommBaud->setEnabled(true);
    CommFormat->setEnabled(true);
}

void MainWin::CommOpenCbox_Click()
{
    // A tick ends a wait for a lost port; the port opens as on any tick.
    if (CommOpenCbox->isChecked())
        CommWatch_Stop();
    CommPort_Apply();
    CommSettings_Enable();
}

void MainWin::CommPort_Click()
{
    // Another port chosen while the lost one is awaited: the wait is over.
    if (CommWatch.active() && CommPort->currentText() != CommWatch.portText())
        CommWatch_Stop();
    if (CommOpenCbox->isChecked())
        CommPort_Reopen();
}

void MainWin::CommBaud_Click()
{
    if (CommOpenCbox->isChecked())
        CommPort_Reopen();
}

void MainWin::CommFormat_Click()
{
    if (CommOpenCbox->isChecked())
        CommPort_Reopen();
}

// The four standard ports stay; after them the ports the system has now, and the simulated
// modem last. Refreshing the list is not a choice of port: no handler runs and the text stays.
void MainWin::CommPort_DropDown()
{
    const QString text = CommPort->currentText();
    QList<SystemPort> found;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos) {
        const QString name =
            hostPortNaming() == PortNaming::Windows ? info.portName() : info.systemLocation();
        found << SystemPort{name, info.description()};
    }
    // The adapters' stable names follow them; a replugged adapter keeps its name there.
    QList<SystemPort> links;
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    if (hostPortNaming() == PortNaming::Linux && byId.exists()) {
        const QFileInfoList entries = byId.entryInfoList(QDir::System | QDir::Files, QDir::Name);
        for (const QFileInfo& link : entries)
            links << SystemPort{link.absoluteFilePath(), link.canonicalFilePath()};
    }
    found << stableNames(found, links);
    const QSignalBlocker blocker(CommPort);
    while (CommPort->count() > 4)
        CommPort->removeItem(CommPort->count() - 1);
    for (const SystemPort& port : extraSystemPorts(found)) {
        CommPort->addItem(port.name);
        CommPort->setItemData(CommPort->count() - 1, port.description, Qt::ToolTipRole);
    }
    CommPort->addItem(QStringLiteral("SIM"));
    CommPort->setItemData(CommPort->count() - 1, QStringLiteral("The simulated radio modem"),
                          Qt::ToolTipRole);
    CommPort->setCurrentIndex(CommPort->findText(text));
    CommPort->setEditText(text);
}
