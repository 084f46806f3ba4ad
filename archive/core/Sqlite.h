#pragma once
// A thin owner of one SQLite connection and its prepared statements: the
// handle is closed, and every statement finalized, when its owner goes.
// Errors travel as the SQLite result code plus the connection's message.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace archive {

class TStatement {
public:
    TStatement() = default;
    TStatement(sqlite3 *db, sqlite3_stmt *stmt) : db_(db), stmt_(stmt) {}
    ~TStatement();
    TStatement(TStatement &&other) noexcept;
    TStatement &operator=(TStatement &&other) noexcept;
    TStatement(const TStatement &) = delete;
    TStatement &operator=(const TStatement &) = delete;

    bool IsValid() const { return stmt_ != nullptr; }

    // Parameters are numbered from 1.
    TStatement &Bind(int index, int64_t value);
    TStatement &Bind(int index, double value);
    TStatement &Bind(int index, const QString &value);
    TStatement &Bind(int index, const QByteArray &blob);
    TStatement &BindNull(int index);
    TStatement &Bind(int index, const std::optional<int64_t> &value);
    TStatement &Bind(int index, const std::optional<double> &value);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step();
    // Steps until done; SQLITE_DONE or the error.
    int Run();
    void Reset();

    // Columns are numbered from 0.
    bool IsNull(int column) const;
    int64_t Int(int column) const;
    double Real(int column) const;
    std::optional<int64_t> OptInt(int column) const;
    std::optional<double> OptReal(int column) const;
    QString Text(int column) const;
    QByteArray Blob(int column) const;

private:
    sqlite3 *db_ = nullptr;
    sqlite3_stmt *stmt_ = nullptr;
};

class TDatabase {
public:
    TDatabase() = default;
    ~TDatabase();
    TDatabase(const TDatabase &) = delete;
    TDatabase &operator=(const TDatabase &) = delete;

    // Opens (and with create, creates) the file; SQLITE_OK or the error.
    int Open(const QString &fileName, bool create, bool readOnly = false);
    void Close();
    bool IsOpen() const { return db_ != nullptr; }

    // Runs SQL text of one or more statements without results.
    int Exec(const char *sql);
    // A prepared statement; invalid (with LastCode set) when SQL is wrong or
    // the file cannot be read.
    TStatement Prepare(const char *sql);
    // The first column of the first row of a query, as text; nullopt on error
    // or no row.
    std::optional<QString> QueryText(const char *sql);
    std::optional<int64_t> QueryInt(const char *sql);

    int LastCode() const { return lastCode_; }
    QString LastMessage() const;
    int64_t LastInsertId() const;
    sqlite3 *Handle() const { return db_; }

private:
    sqlite3 *db_ = nullptr;
    int lastCode_ = 0;
};

// A code that says the file is not a database or its content is damaged
// (as opposed to busy, locked or out of memory).
bool IsDamageCode(int code);

// BEGIN IMMEDIATE on construction; ROLLBACK on destruction unless Commit()
// succeeded.
class TTransaction {
public:
    explicit TTransaction(TDatabase &db);
    ~TTransaction();
    TTransaction(const TTransaction &) = delete;
    TTransaction &operator=(const TTransaction &) = delete;

    bool Begun() const { return begun_; }
    int Commit();

private:
    TDatabase &db_;
    bool begun_ = false;
    bool done_ = false;
};

} // namespace archive
