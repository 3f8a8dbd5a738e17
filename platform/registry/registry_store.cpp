#include "platform/registry/registry_store.h"

#include <fcntl.h>
#include <pthread.h>
#include <pwd.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include <zelmtools/platform/base/errors.h>
#include "platform/base/error_text.h"

namespace zelm::platform {

namespace {

thread_local std::string t_problem;

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder()
{
    std::string home = EnvironmentValue("HOME");
    if (!home.empty()) return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

}  // namespace

std::string RegistryStorePath()
{
    std::string explicitPath = EnvironmentValue("ZELM_REGISTRY");
    if (!explicitPath.empty()) return explicitPath;
    std::string config = EnvironmentValue("XDG_CONFIG_HOME");
    if (config.empty() || config[0] != '/') config = HomeFolder() + "/.config";  // relative values are invalid
    return config + "/zelmtools/registry.db";
}

std::string RegistryStoreProblem()
{
    return t_problem;
}

}  // namespace zelm::platform

namespace zelm::platform::registry {

namespace {

constexpr int kBusyTimeoutMs = 10000;
constexpr int kApplicationId = 0x7A524547;  // marks our databases, so that a foreign one is never altered
constexpr int kSchemaVersion = 1;

// The predefined root keys are the rows with ids 1 to 6 (the handle's low bits + 1);
// ids are never reused, so a handle to a deleted key cannot reach a newer one.
const char* const kSchema = R"SQL(
CREATE TABLE keys(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  parent INTEGER NOT NULL,
  name TEXT NOT NULL,
  folded TEXT NOT NULL,
  written INTEGER NOT NULL,
  UNIQUE(parent, folded));
CREATE TABLE vals(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  key INTEGER NOT NULL,
  name TEXT NOT NULL,
  folded TEXT NOT NULL,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  UNIQUE(key, folded));
INSERT INTO keys(id, parent, name, folded, written) VALUES
  (1, 0, 'HKEY_CLASSES_ROOT', 'hkey_classes_root', 0),
  (2, 0, 'HKEY_CURRENT_USER', 'hkey_current_user', 0),
  (3, 0, 'HKEY_LOCAL_MACHINE', 'hkey_local_machine', 0),
  (4, 0, 'HKEY_USERS', 'hkey_users', 0),
  (6, 0, 'HKEY_CURRENT_CONFIG', 'hkey_current_config', 0);
)SQL";

std::string SchemaWithIdentity()
{
    return std::string(kSchema) + "PRAGMA application_id = " + std::to_string(kApplicationId) +
           "; PRAGMA user_version = " + std::to_string(kSchemaVersion) + ";";
}

LONG CodeForResult(int result, bool writes)
{
    switch (result & 0xFF) {
        case SQLITE_OK: return ERROR_SUCCESS;
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return ERROR_BUSY;
        case SQLITE_NOTADB: return ERROR_BADDB;
        case SQLITE_CORRUPT: return ERROR_REGISTRY_CORRUPT;
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH: return ERROR_ACCESS_DENIED;
        case SQLITE_CANTOPEN: return ERROR_CANTOPEN;
        case SQLITE_FULL: return ERROR_DISK_FULL;
        case SQLITE_NOMEM:
        case SQLITE_TOOBIG: return ERROR_NOT_ENOUGH_MEMORY;
        case SQLITE_IOERR: return writes ? ERROR_CANTWRITE : ERROR_CANTREAD;
        default: return ERROR_BADDB;  // "no such table" and the like: not a store we understand
    }
}

// Failures after which the connection is dropped, so that a repaired or replaced file
// is picked up by the next call.
bool BreaksConnection(LONG code)
{
    return code == ERROR_BADDB || code == ERROR_REGISTRY_CORRUPT || code == ERROR_CANTREAD || code == ERROR_CANTWRITE ||
           code == ERROR_CANTOPEN;
}

LONG FailWithErrno(const std::string& what, const std::string& path)
{
    int err = errno;
    t_problem = what + " " + path + ": " + std::strerror(err);
    return static_cast<LONG>(ErrorFromErrno(err));
}

LONG FailWithDatabase(sqlite3* db, int result, const std::string& path)
{
    t_problem = "registry store " + path + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(result));
    return CodeForResult(result, true);
}

// mkdir -p for the folders above the store, private to the user as configuration is.
LONG EnsureParentFolder(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return FailWithErrno("cannot create folder", folder);
    }
    return ERROR_SUCCESS;
}

// Creates a missing store file with mode 0600 (SQLite gives its side files the same
// mode). A file we may only read is opened read-only.
LONG EnsureStoreFile(const std::string& path, bool& readOnly)
{
    readOnly = false;
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EACCES) {
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        readOnly = fd >= 0;
    }
    if (fd < 0) return FailWithErrno("cannot open registry store", path);
    struct stat info {};
    bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    if (!regular) {
        t_problem = "registry store " + path + " is not a regular file";
        return ERROR_CANTOPEN;
    }
    return ERROR_SUCCESS;
}

int QueryInt(sqlite3* db, const char* sql, int& value)
{
    sqlite3_stmt* stmt = nullptr;
    int result = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (result == SQLITE_OK) {
        result = sqlite3_step(stmt);
        if (result == SQLITE_ROW) {
            value = sqlite3_column_int(stmt, 0);
            result = SQLITE_OK;
        }
    }
    sqlite3_finalize(stmt);
    return result;
}

enum class Identity { Ours, Empty, Foreign, Newer };

int ReadIdentity(sqlite3* db, Identity& identity)
{
    int applicationId = 0, version = 0, objects = 0;
    int result = QueryInt(db, "PRAGMA application_id", applicationId);
    if (result == SQLITE_OK) result = QueryInt(db, "PRAGMA user_version", version);
    if (result == SQLITE_OK) result = QueryInt(db, "SELECT count(*) FROM sqlite_master", objects);
    if (applicationId == kApplicationId)
        identity = version > kSchemaVersion ? Identity::Newer : Identity::Ours;
    else
        identity = applicationId == 0 && objects == 0 ? Identity::Empty : Identity::Foreign;
    return result;
}

// Creates the schema in an empty database; another process may be doing the same, so
// the check is repeated under the write lock.
int CreateSchemaIfEmpty(sqlite3* db, Identity& identity)
{
    int result = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (result == SQLITE_OK) result = ReadIdentity(db, identity);
    if (result == SQLITE_OK && identity == Identity::Empty) {
        result = sqlite3_exec(db, SchemaWithIdentity().c_str(), nullptr, nullptr, nullptr);
        if (result == SQLITE_OK) identity = Identity::Ours;
    }
    if (result == SQLITE_OK) return sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return result;
}

LONG CheckIdentity(sqlite3* db, bool readOnly, const std::string& path)
{
    Identity identity = Identity::Foreign;
    int result = ReadIdentity(db, identity);
    if (result == SQLITE_OK && identity == Identity::Empty && !readOnly) result = CreateSchemaIfEmpty(db, identity);
    if (result != SQLITE_OK) return FailWithDatabase(db, result, path);
    if (identity == Identity::Ours) return ERROR_SUCCESS;
    t_problem = "registry store " + path +
                (identity == Identity::Newer ? " was written by a newer version of the library"
                                             : " is a database of another kind, not a registry store");
    return ERROR_BADDB;
}

LONG ConfigureConnection(sqlite3* db, bool readOnly, const std::string& path)
{
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    LONG code = CheckIdentity(db, readOnly, path);
    if (code != ERROR_SUCCESS || readOnly) return code;
    // WAL lets readers go on while one writer commits; NORMAL sync keeps every commit
    // through a crash of the program (only a power loss can take back the last ones).
    int result = sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    return result == SQLITE_OK ? ERROR_SUCCESS : FailWithDatabase(db, result, path);
}

// The process's one connection, opened on demand and dropped before a fork (a child
// must never use its parent's SQLite state).
class Connection {
public:
    LONG Ensure(CallKind kind);
    void Close();
    sqlite3* Database() const { return m_db; }
    const std::string& Path() const { return m_path; }
    sqlite3_stmt* Cached(const char* sql, int& result);

private:
    LONG Open(const std::string& path);
    LONG OpenStandIn(const std::string& path);
    LONG Adopt(sqlite3* db, LONG code, const std::string& path, bool standIn);

    sqlite3* m_db = nullptr;
    // A read of a store that does not exist yet runs on an empty store in memory, so
    // that reading creates neither the file nor its folders.
    bool m_standIn = false;
    std::string m_path;
    pid_t m_pid = 0;
    std::unordered_map<const char*, sqlite3_stmt*> m_statements;
};

LONG Connection::Ensure(CallKind kind)
{
    std::string path = RegistryStorePath();
    if (m_db != nullptr && m_pid != getpid()) {
        // Forked without our fork handlers: the parent's connection must be left alone.
        m_db = nullptr;
        m_statements.clear();
    }
    bool current = m_db != nullptr && path == m_path;
    if (current && !m_standIn) return ERROR_SUCCESS;
    struct stat info {};
    bool standIn = kind == CallKind::Read && stat(path.c_str(), &info) != 0 && errno == ENOENT;
    if (current && standIn) return ERROR_SUCCESS;
    Close();
    return standIn ? OpenStandIn(path) : Open(path);
}

LONG Connection::OpenStandIn(const std::string& path)
{
    sqlite3* db = nullptr;
    int result = sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    LONG code = result == SQLITE_OK ? CheckIdentity(db, false, path) : FailWithDatabase(db, result, path);
    return Adopt(db, code, path, true);
}

LONG Connection::Open(const std::string& path)
{
    bool readOnly = false;
    LONG code = EnsureParentFolder(path);
    if (code == ERROR_SUCCESS) code = EnsureStoreFile(path, readOnly);
    if (code != ERROR_SUCCESS) return code;
    sqlite3* db = nullptr;
    int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    int result = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    code = result == SQLITE_OK ? ConfigureConnection(db, readOnly, path) : FailWithDatabase(db, result, path);
    return Adopt(db, code, path, false);
}

// Keeps a database that opened well (code ERROR_SUCCESS) as this connection's; closes it otherwise.
LONG Connection::Adopt(sqlite3* db, LONG code, const std::string& path, bool standIn)
{
    if (code != ERROR_SUCCESS) {
        sqlite3_close_v2(db);
        return code;
    }
    m_db = db;
    m_path = path;
    m_pid = getpid();
    m_standIn = standIn;
    return ERROR_SUCCESS;
}

void Connection::Close()
{
    for (auto& [sql, stmt] : m_statements) sqlite3_finalize(stmt);
    m_statements.clear();
    if (m_db != nullptr) sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.clear();
}

sqlite3_stmt* Connection::Cached(const char* sql, int& result)
{
    result = SQLITE_OK;
    auto found = m_statements.find(sql);
    if (found != m_statements.end()) return found->second;
    sqlite3_stmt* stmt = nullptr;
    result = sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (result != SQLITE_OK) return nullptr;
    m_statements.emplace(sql, stmt);
    return stmt;
}

std::mutex g_lock;

Connection& TheConnection()
{
    static Connection* connection = new Connection;  // used until the process ends
    return *connection;
}

void BeforeFork()
{
    g_lock.lock();
    TheConnection().Close();
}

void AfterFork()
{
    g_lock.unlock();
}

// Closing at exit folds the write-ahead log back into the database file and removes it.
// A call still running in another thread keeps the connection open.
void CloseAtExit()
{
    if (!g_lock.try_lock()) return;
    TheConnection().Close();
    g_lock.unlock();
}

void InstallProcessHandlers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        pthread_atfork(BeforeFork, AfterFork, AfterFork);
        std::atexit(CloseAtExit);
    });
}

thread_local bool t_connectionBroken = false;

LONG RunInTransaction(Connection& connection, CallKind kind, const std::function<LONG(Session&)>& body)
{
    bool writes = kind == CallKind::Write;
    Session session(connection.Database(), connection.Path(), writes);
    LONG code = ERROR_SUCCESS;
    try {
        session.Prepare(writes ? "BEGIN IMMEDIATE" : "BEGIN").Run();
        code = body(session);
        if (code == ERROR_SUCCESS) session.Prepare("COMMIT").Run();
    } catch (const CallFailure& failure) {
        code = failure.code;
    }
    if (!sqlite3_get_autocommit(connection.Database()))
        sqlite3_exec(connection.Database(), "ROLLBACK", nullptr, nullptr, nullptr);
    return code;
}

}  // namespace

Statement::~Statement()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

Statement& Statement::Bind(int index, std::int64_t value)
{
    int result = sqlite3_bind_int64(m_stmt, index, value);
    if (result != SQLITE_OK) m_session.Fail(result);
    return *this;
}

Statement& Statement::Bind(int index, std::string_view text)
{
    int result = sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    if (result != SQLITE_OK) m_session.Fail(result);
    return *this;
}

Statement& Statement::BindBlob(int index, const void* data, std::size_t size)
{
    // A null pointer would bind NULL, not an empty value.
    int result = sqlite3_bind_blob64(m_stmt, index, data ? data : "", size, SQLITE_TRANSIENT);
    if (result != SQLITE_OK) m_session.Fail(result);
    return *this;
}

bool Statement::Step()
{
    int result = sqlite3_step(m_stmt);
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    m_session.Fail(result);
}

void Statement::Run()
{
    while (Step()) {
    }
}

std::int64_t Statement::Int(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

std::string Statement::Text(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? std::string(text, sqlite3_column_bytes(m_stmt, column)) : std::string();
}

std::string_view Statement::Blob(int column) const
{
    const auto* data = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
    return data ? std::string_view(data, sqlite3_column_bytes(m_stmt, column)) : std::string_view();
}

Statement Session::Prepare(const char* sql)
{
    int result = SQLITE_OK;
    sqlite3_stmt* stmt = TheConnection().Cached(sql, result);
    if (stmt == nullptr) Fail(result);
    return Statement(*this, stmt);
}

void Session::Fail(int sqliteResult)
{
    t_problem = "registry store " + m_path + ": " + sqlite3_errmsg(m_db);
    LONG code = CodeForResult(sqliteResult, m_writes);
    if (BreaksConnection(code)) t_connectionBroken = true;
    throw CallFailure{code};
}

LONG RunCall(CallKind kind, const std::function<LONG(Session&)>& body)
{
    InstallProcessHandlers();
    std::lock_guard guard(g_lock);
    t_problem.clear();
    t_connectionBroken = false;
    Connection& connection = TheConnection();
    LONG code = connection.Ensure(kind);
    if (code == ERROR_SUCCESS) code = RunInTransaction(connection, kind, body);
    if (t_connectionBroken) connection.Close();
    if (code != ERROR_SUCCESS) SetLastError(static_cast<DWORD>(code));
    return code;
}

LONG RejectCall(LONG code)
{
    SetLastError(static_cast<DWORD>(code));
    return code;
}

}  // namespace zelm::platform::registry
