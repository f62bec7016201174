// System information: registry lookup on Windows; elsewhere the lookup fails.
#include "platform/SysInfo.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

void registryValueText(quint32 type, const QByteArray& data, QString& KeyVal)
{
    if (type == kRegString) {
        QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(data.constData()),
                                          data.size() / 2);
        if (text.endsWith(QChar(0)))
            text.chop(1);
        KeyVal = text;
    } else if (type == kRegNumber) {
        // Every byte counts with its two hexadecimal digits: 01 02 00 00 is 0x201, not 0x21.
        quint32 value = 0;
        for (qsizetype i = qMin<qsizetype>(data.size(), 4) - 1; i >= 0; --i)
            value = (value << 8) | static_cast<quint8>(data.at(i));
        KeyVal = QString::number(value);
    }
}

#ifdef Q_OS_WIN
bool GetKeyValue(quint32 KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    HKEY key = nullptr;
    // Root keys are sign-extended handle values. Reading needs read access only; asking for full
    // access fails for users without rights to change machine settings.
    if (RegOpenKeyExW(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(KeyRoot))),
                      reinterpret_cast<LPCWSTR>(KeyName.utf16()), 0, KEY_READ,
                      &key) != ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }
    QByteArray buffer(1024, '\0');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG result = RegQueryValueExW(key, reinterpret_cast<LPCWSTR>(SubKeyRef.utf16()), nullptr,
                                         &type, reinterpret_cast<LPBYTE>(buffer.data()), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }
    buffer.truncate(static_cast<qsizetype>(size));
    registryValueText(type, buffer, KeyVal);
    return true;
}
#else
bool GetKeyValue(quint32, const QString&, const QString&, QString& KeyVal)
{
    KeyVal.clear();
    return false;
}
#endif
