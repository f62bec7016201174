// Port text to port number and device name, and the system's ports for the port list.
#include "serial/PortName.h"

#include <QSet>
#include <algorithm>
#include <limits>

PortNaming hostPortNaming()
{
#ifdef Q_OS_WIN
    return PortNaming::Windows;
#else
    return PortNaming::Linux;
#endif
}

namespace
{
QString standardPortDevice(int number, PortNaming naming)
{
    if (naming == PortNaming::Windows)
        return QStringLiteral("COM%1").arg(number);
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
}
} // namespace

PortChoice choosePort(const QString& text, PortNaming naming)
{
    PortChoice choice;
    const QString name = text.trimmed();
    if (name.isEmpty()) {
        choice.error = QStringLiteral("no port name was given");
        return choice;
    }
    if (!name.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
        choice.ok = true;
        choice.deviceName = name;
        return choice;
    }
    const QString digits = name.mid(3);
    const bool allDigits =
        !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
    const qint64 number = allDigits && digits.size() <= 6 ? digits.toLongLong() : 0;
    if (number < 1 || number > std::numeric_limits<qint16>::max()) {
        choice.error = QStringLiteral("\"%1\" is not a port name (COM1, COM2, ... or a device "
                                      "path such as /dev/ttyUSB0)")
                           .arg(name);
        return choice;
    }
    choice.ok = true;
    choice.number = static_cast<qint16>(number);
    choice.deviceName = standardPortDevice(choice.number, naming);
    return choice;
}

QList<SystemPort> extraSystemPorts(const QList<SystemPort>& found, PortNaming naming)
{
    QSet<QString> seen;
    for (int n = 1; n <= 4; ++n)
        seen.insert(standardPortDevice(n, naming));
    QList<SystemPort> extra;
    for (const SystemPort& port : found) {
        if (port.name.isEmpty() || seen.contains(port.name))
            continue;
        seen.insert(port.name);
        extra << port;
    }
    return extra;
}

QList<SystemPort> stableNames(const QList<SystemPort>& found, const QList<SystemPort>& links)
{
    QList<SystemPort> named;
    for (const SystemPort& link : links) {
        QString description;
        for (const SystemPort& port : found) {
            if (port.name == link.description) {
                description = port.description;
                break;
            }
        }
        named << SystemPort{link.name, description};
    }
    return named;
}
