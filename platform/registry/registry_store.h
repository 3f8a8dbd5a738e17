#pragma once
// The registry's store: where the database lives, the process's connection to it, and
// the transaction that every registry call runs in.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include <zelmtools/platform/base/win_types.h>

struct sqlite3;
struct sqlite3_stmt;

namespace zelm::platform {

// The store file: $ZELM_REGISTRY when set, else $XDG_CONFIG_HOME/zelmtools/registry.db,
// else ~/.config/zelmtools/registry.db. Read again on every call, so that a change of
// the environment switches stores.
std::string RegistryStorePath();

// What went wrong with the store itself in this thread's last registry call, in words
// that name the file; empty when the call failed for a reason of its own (a missing key,
// a small buffer).
std::string RegistryStoreProblem();

}  // namespace zelm::platform

namespace zelm::platform::registry {

// Thrown inside a registry call to end it with an error code; the call's transaction is
// rolled back.
struct CallFailure {
    LONG code;
};

class Session;

// A prepared statement of the connection's cache, reset when this object goes.
class Statement {
public:
    Statement(Session& session, sqlite3_stmt* stmt) : m_session(session), m_stmt(stmt) {}
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, std::string_view text);
    Statement& BindBlob(int index, const void* data, std::size_t size);

    // True while there is a row to read; a database error ends the call.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();

    std::int64_t Int(int column) const;
    std::string Text(int column) const;
    // The column's bytes, valid until the next Step.
    std::string_view Blob(int column) const;

private:
    Session& m_session;
    sqlite3_stmt* m_stmt;
};

// A registry call in progress: the process's store lock and an open transaction.
class Session {
public:
    Session(sqlite3* db, const std::string& path, bool writes) : m_db(db), m_path(path), m_writes(writes) {}

    // A cached statement for this SQL text (a string literal: the cache keys on its address).
    Statement Prepare(const char* sql);
    const std::string& StorePath() const { return m_path; }
    // Ends the call with the error code for a database result.
    [[noreturn]] void Fail(int sqliteResult);

private:
    sqlite3* m_db;
    const std::string& m_path;
    bool m_writes;
};

enum class CallKind { Read, Write };

// Runs body in one transaction on the store: commits when it returns ERROR_SUCCESS,
// rolls back otherwise. Returns body's result or the store's error code; a failure also
// becomes the thread's last error.
LONG RunCall(CallKind kind, const std::function<LONG(Session&)>& body);

// Ends a call whose arguments are wrong before it reaches the store: the code becomes
// the thread's last error and the result.
LONG RejectCall(LONG code);

}  // namespace zelm::platform::registry
