#pragma once

#include "UnitConfig.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <deque>
#include <memory>
#include <vector>

struct st_mysql;
struct st_mysql_stmt;
struct st_mysql_bind;

// One connection to the question bank through MariaDB Connector/C. Texts travel as utf8mb4.
class TSqlConnection
{
public:
    explicit TSqlConnection(TServerConfig config);
    ~TSqlConnection();
    TSqlConnection(const TSqlConnection &) = delete;
    TSqlConnection &operator=(const TSqlConnection &) = delete;

    // Raises TTavelkoError with the connector's message when the server cannot be reached or
    // refuses the login.
    void Open();
    void Close();
    bool IsOpen() const { return fHandle != nullptr; }
    st_mysql *Handle() const { return fHandle; }

private:
    TServerConfig fConfig;
    st_mysql *fHandle = nullptr;
};

// A prepared statement: every value reaches the server as a bound parameter, never as SQL text.
// Result columns are read as text (numbers in decimal) by position or name. Failures raise
// TTavelkoError with the server's message.
class TSqlStatement
{
public:
    TSqlStatement(TSqlConnection &connection, const QString &sql);
    ~TSqlStatement();
    TSqlStatement(const TSqlStatement &) = delete;
    TSqlStatement &operator=(const TSqlStatement &) = delete;

    // Values for the "?" markers, in order: integers as 64-bit, everything else as text.
    void Bind(const QList<QVariant> &values);
    void Execute();
    // Advances to the next row of the result; false after the last.
    bool Next();

    int ColumnIndex(const char *name) const; // -1 when there is no such column
    bool IsNull(int column) const;
    QByteArrayView Utf8(int column) const;
    QString Text(int column) const { return QString::fromUtf8(Utf8(column)); }
    // Raises TTavelkoError when the value is not a decimal integer.
    qint64 Integer(int column) const;

private:
    [[noreturn]] void Fail() const;

    struct TColumn
    {
        QByteArray name;
        QByteArray buffer;
        unsigned long length = 0;
        char isNull = 0;
        char error = 0;
    };

    st_mysql_stmt *fStmt = nullptr;
    std::vector<st_mysql_bind> fParams;
    std::deque<QByteArray> fParamTexts;
    std::deque<long long> fParamIntegers;
    std::vector<st_mysql_bind> fResultBinds;
    std::vector<TColumn> fColumns;
};
