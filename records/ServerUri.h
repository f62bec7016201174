// The factory server's address:
// postgresql://[user[:password]@][host][:port][/dbname][?key=value&...]
#pragma once

#include <QString>

struct ServerUri {
    QString host; // a name, an address, or a folder holding the server's Unix socket
    int port = 5432;
    QString user;
    QString password;
    QString database;
    QString connectOptions; // the other parameters, "key=value" joined with ";"

    bool operator==(const ServerUri&) const = default;
};

// The address read, or why it cannot be read (error not empty).
struct ServerUriParse {
    ServerUri uri;
    QString error;
};

// Reads a postgresql:// or postgres:// address. The parameters host, port, user, password and
// dbname set those fields (over the address's own parts); every other one goes to the connect
// options, its value quoted for the connection string where it holds a blank, quote or backslash.
ServerUriParse parseServerUri(const QString& text);

// The address without its password, for showing and for the store's marks; empty when the
// address cannot be read.
QString serverUriWithoutPassword(const QString& text);
