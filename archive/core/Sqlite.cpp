#include "archive/core/Sqlite.h"

#include <QFile>
#include <sqlite3.h>

#include <utility>

namespace archive {

TStatement::~TStatement() { sqlite3_finalize(stmt_); }

TStatement::TStatement(TStatement &&other) noexcept
    : db_(std::exchange(other.db_, nullptr)), stmt_(std::exchange(other.stmt_, nullptr))
{
}

TStatement &TStatement::operator=(TStatement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(stmt_);
        db_ = std::exchange(other.db_, nullptr);
        stmt_ = std::exchange(other.stmt_, nullptr);
    }
    return *this;
}

TStatement &TStatement::Bind(int index, int64_t value)
{
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

TStatement &TStatement::Bind(int index, double value)
{
    sqlite3_bind_double(stmt_, index, value);
    return *this;
}

TStatement &TStatement::Bind(int index, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

TStatement &TStatement::Bind(int index, const QByteArray &blob)
{
    if (blob.isNull())
        return BindNull(index);
    sqlite3_bind_blob(stmt_, index, blob.constData(), int(blob.size()), SQLITE_TRANSIENT);
    return *this;
}

TStatement &TStatement::BindNull(int index)
{
    sqlite3_bind_null(stmt_, index);
    return *this;
}

TStatement &TStatement::Bind(int index, const std::optional<int64_t> &value)
{
    return value ? Bind(index, *value) : BindNull(index);
}

TStatement &TStatement::Bind(int index, const std::optional<double> &value)
{
    return value ? Bind(index, *value) : BindNull(index);
}

int TStatement::Step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE; }

int TStatement::Run()
{
    int code = Step();
    while (code == SQLITE_ROW)
        code = Step();
    return code;
}

void TStatement::Reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool TStatement::IsNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
int64_t TStatement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }
double TStatement::Real(int column) const { return sqlite3_column_double(stmt_, column); }

std::optional<int64_t> TStatement::OptInt(int column) const
{
    return IsNull(column) ? std::nullopt : std::optional<int64_t>(Int(column));
}

std::optional<double> TStatement::OptReal(int column) const
{
    return IsNull(column) ? std::nullopt : std::optional<double>(Real(column));
}

QString TStatement::Text(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(stmt_, column)) : QString();
}

QByteArray TStatement::Blob(int column) const
{
    const void *data = sqlite3_column_blob(stmt_, column);
    return data ? QByteArray(static_cast<const char *>(data), sqlite3_column_bytes(stmt_, column)) : QByteArray();
}

TDatabase::~TDatabase() { Close(); }

int TDatabase::Open(const QString &fileName, bool create, bool readOnly)
{
    Close();
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (create && !readOnly)
        flags |= SQLITE_OPEN_CREATE;
    flags |= SQLITE_OPEN_NOMUTEX;
    lastCode_ = sqlite3_open_v2(QFile::encodeName(fileName).constData(), &db_, flags, nullptr);
    if (lastCode_ != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        return lastCode_;
    }
    sqlite3_extended_result_codes(db_, 0);
    return lastCode_;
}

void TDatabase::Close()
{
    if (db_)
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

int TDatabase::Exec(const char *sql)
{
    lastCode_ = db_ ? sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) : SQLITE_MISUSE;
    return lastCode_;
}

TStatement TDatabase::Prepare(const char *sql)
{
    sqlite3_stmt *stmt = nullptr;
    lastCode_ = db_ ? sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr) : SQLITE_MISUSE;
    if (lastCode_ != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return {};
    }
    return {db_, stmt};
}

std::optional<QString> TDatabase::QueryText(const char *sql)
{
    TStatement stmt = Prepare(sql);
    if (!stmt.IsValid())
        return std::nullopt;
    lastCode_ = stmt.Step();
    if (lastCode_ != SQLITE_ROW)
        return std::nullopt;
    lastCode_ = SQLITE_OK;
    return stmt.Text(0);
}

std::optional<int64_t> TDatabase::QueryInt(const char *sql)
{
    TStatement stmt = Prepare(sql);
    if (!stmt.IsValid())
        return std::nullopt;
    lastCode_ = stmt.Step();
    if (lastCode_ != SQLITE_ROW)
        return std::nullopt;
    lastCode_ = SQLITE_OK;
    return stmt.Int(0);
}

QString TDatabase::LastMessage() const
{
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(lastCode_));
}

int64_t TDatabase::LastInsertId() const { return db_ ? sqlite3_last_insert_rowid(db_) : 0; }

bool IsDamageCode(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_FORMAT;
}

TTransaction::TTransaction(TDatabase &db) : db_(db) { begun_ = db_.Exec("BEGIN IMMEDIATE") == SQLITE_OK; }

TTransaction::~TTransaction()
{
    if (begun_ && !done_)
        db_.Exec("ROLLBACK");
}

int TTransaction::Commit()
{
    if (!begun_)
        return db_.LastCode();
    const int code = db_.Exec("COMMIT");
    done_ = code == SQLITE_OK;
    return code;
}

} // namespace archive
