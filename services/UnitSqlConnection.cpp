#include "UnitSqlConnection.h"

#include "TavelkoError.h"

#include <mysql.h>

#include <cstring>

TSqlConnection::TSqlConnection(TServerConfig config) : fConfig(std::move(config)) {}

TSqlConnection::~TSqlConnection()
{
    Close();
}

void TSqlConnection::Open()
{
    Close();
    // With several servers (replicas, cluster nodes) each gets a short while to answer, in order.
    const QList<TEndpoint> endpoints = fConfig.DbEndpoints();
    QString failure = QStringLiteral("No question bank server is configured");
    for (const TEndpoint &endpoint : endpoints) {
        MYSQL *handle = mysql_init(nullptr);
        if (!handle)
            throw TTavelkoError(QStringLiteral("Out of memory"));
        // A host that does not answer must not freeze the window for minutes.
        const unsigned int connectTimeout = endpoints.size() > 1 ? 3 : 10;
        const unsigned int ioTimeout = 60;
        mysql_options(handle, MYSQL_SET_CHARSET_NAME, "utf8mb4");
        mysql_options(handle, MYSQL_OPT_CONNECT_TIMEOUT, &connectTimeout);
        mysql_options(handle, MYSQL_OPT_READ_TIMEOUT, &ioTimeout);
        mysql_options(handle, MYSQL_OPT_WRITE_TIMEOUT, &ioTimeout);
        // The connector takes "localhost" for its local socket and drops the port; a configured
        // port means a TCP server, whatever the host is called.
        if (endpoint.port != 0) {
            const unsigned int protocol = MYSQL_PROTOCOL_TCP;
            mysql_options(handle, MYSQL_OPT_PROTOCOL, &protocol);
        }
        const QByteArray host = endpoint.host.toUtf8();
        const QByteArray user = fConfig.DbUser.toUtf8();
        const QByteArray password = fConfig.DbPassword.toUtf8();
        const QByteArray database = fConfig.DbName.toUtf8();
        if (mysql_real_connect(handle, host.constData(), user.constData(), password.constData(), database.constData(),
                               endpoint.port, nullptr, 0)) {
            fHandle = handle;
            return;
        }
        failure = QString::fromUtf8(mysql_error(handle));
        mysql_close(handle);
    }
    throw TTavelkoError(failure);
}

void TSqlConnection::Close()
{
    if (fHandle) {
        mysql_close(fHandle);
        fHandle = nullptr;
    }
}

TSqlStatement::TSqlStatement(TSqlConnection &connection, const QString &sql)
{
    if (!connection.IsOpen())
        throw TTavelkoError(QStringLiteral("The question bank connection is closed"));
    fStmt = mysql_stmt_init(connection.Handle());
    if (!fStmt)
        throw TTavelkoError(QString::fromUtf8(mysql_error(connection.Handle())));
    const QByteArray text = sql.toUtf8();
    if (mysql_stmt_prepare(fStmt, text.constData(), text.size()) != 0)
        Fail();
}

TSqlStatement::~TSqlStatement()
{
    if (fStmt)
        mysql_stmt_close(fStmt);
}

void TSqlStatement::Fail() const
{
    throw TTavelkoError(QString::fromUtf8(mysql_stmt_error(fStmt)));
}

void TSqlStatement::Bind(const QList<QVariant> &values)
{
    if (values.size() != qsizetype(mysql_stmt_param_count(fStmt)))
        throw TTavelkoError(QStringLiteral("The statement expects %1 values, got %2")
                                .arg(mysql_stmt_param_count(fStmt))
                                .arg(values.size()));
    fParams.assign(values.size(), MYSQL_BIND{});
    for (qsizetype i = 0; i < values.size(); ++i) {
        MYSQL_BIND &bind = fParams[size_t(i)];
        const QVariant &value = values.at(i);
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Long:
            fParamIntegers.push_back(value.toLongLong());
            bind.buffer_type = MYSQL_TYPE_LONGLONG;
            bind.buffer = &fParamIntegers.back();
            break;
        default:
            fParamTexts.push_back(value.toString().toUtf8());
            bind.buffer_type = MYSQL_TYPE_STRING;
            bind.buffer = fParamTexts.back().data();
            bind.buffer_length = static_cast<unsigned long>(fParamTexts.back().size());
            break;
        }
    }
    if (!fParams.empty() && mysql_stmt_bind_param(fStmt, fParams.data()) != 0)
        Fail();
}

void TSqlStatement::Execute()
{
    if (mysql_stmt_execute(fStmt) != 0)
        Fail();
    MYSQL_RES *metadata = mysql_stmt_result_metadata(fStmt);
    if (!metadata)
        return; // no rows come from this statement
    const unsigned int count = mysql_num_fields(metadata);
    MYSQL_FIELD *fields = mysql_fetch_fields(metadata);
    fColumns.resize(count);
    fResultBinds.assign(count, MYSQL_BIND{});
    for (unsigned int i = 0; i < count; ++i) {
        fColumns[i].name = QByteArray(fields[i].name);
        fColumns[i].buffer.resize(256);
    }
    mysql_free_result(metadata);
    for (unsigned int i = 0; i < count; ++i) {
        MYSQL_BIND &bind = fResultBinds[i];
        bind.buffer_type = MYSQL_TYPE_STRING;
        bind.buffer = fColumns[i].buffer.data();
        bind.buffer_length = static_cast<unsigned long>(fColumns[i].buffer.size());
        bind.length = &fColumns[i].length;
        bind.is_null = reinterpret_cast<my_bool *>(&fColumns[i].isNull);
        bind.error = reinterpret_cast<my_bool *>(&fColumns[i].error);
    }
    if (mysql_stmt_bind_result(fStmt, fResultBinds.data()) != 0)
        Fail();
}

bool TSqlStatement::Next()
{
    if (fColumns.empty())
        return false;
    const int rc = mysql_stmt_fetch(fStmt);
    if (rc == MYSQL_NO_DATA)
        return false;
    if (rc == 1)
        Fail();
    if (rc == MYSQL_DATA_TRUNCATED) {
        // A value longer than its buffer: grow the buffer, fetch the value again, and keep the
        // larger buffer for the rows that follow.
        bool rebind = false;
        for (size_t i = 0; i < fColumns.size(); ++i) {
            TColumn &column = fColumns[i];
            if (!column.error)
                continue;
            column.buffer.resize(qsizetype(column.length) + 1);
            MYSQL_BIND &bind = fResultBinds[i];
            bind.buffer = column.buffer.data();
            bind.buffer_length = static_cast<unsigned long>(column.buffer.size());
            if (mysql_stmt_fetch_column(fStmt, &bind, static_cast<unsigned int>(i), 0) != 0)
                Fail();
            rebind = true;
        }
        if (rebind && mysql_stmt_bind_result(fStmt, fResultBinds.data()) != 0)
            Fail();
    }
    return true;
}

int TSqlStatement::ColumnIndex(const char *name) const
{
    for (size_t i = 0; i < fColumns.size(); ++i) {
        if (fColumns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

bool TSqlStatement::IsNull(int column) const
{
    return fColumns.at(size_t(column)).isNull != 0;
}

QByteArrayView TSqlStatement::Utf8(int column) const
{
    const TColumn &c = fColumns.at(size_t(column));
    if (c.isNull)
        return {};
    return QByteArrayView(c.buffer.constData(), qsizetype(c.length));
}

qint64 TSqlStatement::Integer(int column) const
{
    bool ok = false;
    const QByteArrayView text = Utf8(column);
    const qint64 value = text.toLongLong(&ok);
    if (!ok)
        throw TTavelkoError(QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(text)));
    return value;
}
