// The port list: the system's ports and the simulated modem, refreshed each time it opens.
#include "serial/PortName.h"
#include "shell/MainWin.h"

#include <QComboBox>
#include <QDir>
#include <QSerialPortInfo>
#include <QSignalBlocker>

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
