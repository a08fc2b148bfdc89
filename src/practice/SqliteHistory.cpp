#include "practice/SqliteHistory.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>
#include <algorithm>
#include <atomic>

namespace chordalis {

namespace {

std::atomic<int> connectionCount{0};

// Runs one statement; false, with SQLite's reason in error, when it fails.
bool exec(QSqlDatabase& db, const QString& sql, QString& error) {
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    error = q.lastError().text();
    return false;
}

// The first column of a statement's first row, or an invalid value (with the reason in error).
QVariant scalar(QSqlDatabase& db, const QString& sql, QString& error) {
    QSqlQuery q(db);
    if (!q.exec(sql)) {
        error = q.lastError().text();
        return {};
    }
    if (!q.next()) {
        error = QStringLiteral("%1 gave no row").arg(sql);
        return {};
    }
    return q.value(0);
}

const char* const CreateTables = R"(
CREATE TABLE IF NOT EXISTS items (
    item TEXT PRIMARY KEY,
    box INTEGER NOT NULL,
    due_ms INTEGER NOT NULL,
    asked INTEGER NOT NULL,
    right_count INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS answers (
    id INTEGER PRIMARY KEY,
    session TEXT NOT NULL,
    quiz TEXT NOT NULL,
    item TEXT NOT NULL,
    prompt TEXT NOT NULL,
    expected TEXT NOT NULL,
    given TEXT NOT NULL,
    grade INTEGER NOT NULL,
    seconds REAL NOT NULL,
    answered_ms INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS bests (
    item TEXT PRIMARY KEY,
    best INTEGER NOT NULL))";

// Version 1 kept the changes counted only as the answers typed: the best of each pair is the
// highest count that reads as one (digits only, 0..600, as the quiz accepts).
const char* const BestsOfVersion1 = R"(
INSERT OR IGNORE INTO bests (item, best)
    SELECT item, MAX(CAST(given AS INTEGER)) FROM answers
    WHERE quiz = 'changes' AND given <> '' AND given NOT GLOB '*[^0-9]*'
          AND CAST(given AS INTEGER) <= 600
    GROUP BY item)";

} // namespace

SqliteHistory::SqliteHistory(const QString& path, bool readOnly, Status& status, QString& error)
    : m_connection(QStringLiteral("practice-history-%1").arg(connectionCount++)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    db.setConnectOptions(
        QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1%2")
            .arg(BusyTimeoutMs)
            .arg(readOnly ? QLatin1String(";QSQLITE_OPEN_READONLY") : QLatin1String()));
    if (!db.isValid()) {
        status = Status::Failed;
        error = QStringLiteral("Qt's SQLite driver is not installed");
        return;
    }
    if (!db.open()) {
        status = Status::Failed;
        error = db.lastError().text();
        return;
    }
    // Two windows opening the same new file at once can meet in SQLite's deadlock check, which
    // answers "locked" at once rather than waiting its busy time (switching a file to the
    // write-ahead log needs it alone): try again, as long as that time lasts.
    const QDeadlineTimer deadline(BusyTimeoutMs);
    for (;;) {
        status = prepare(readOnly, error);
        if (status != Status::Failed || !error.contains(QLatin1String("locked")) ||
            deadline.hasExpired())
            break;
        error.clear();
        QThread::msleep(5);
    }
}

SqliteHistory::~SqliteHistory() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

SqliteHistory::Status SqliteHistory::prepare(bool readOnly, QString& error) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // A file that is no database fails its first read, here.
    const QVariant integrity = scalar(db, QStringLiteral("PRAGMA integrity_check"), error);
    if (!integrity.isValid())
        return error.contains(QLatin1String("not a database")) ||
                       error.contains(QLatin1String("malformed"))
                   ? Status::Damaged
                   : Status::Failed;
    if (integrity.toString() != QLatin1String("ok")) {
        error = QStringLiteral("its integrity check says: %1").arg(integrity.toString());
        return Status::Damaged;
    }
    const QVariant tables = scalar(
        db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'"), error);
    const QVariant version = scalar(db, QStringLiteral("PRAGMA user_version"), error);
    if (!tables.isValid() || !version.isValid())
        return Status::Failed;
    if (version.toInt() == 0 && tables.toInt() == 0) {
        if (readOnly)
            return Status::Ready; // nothing in it yet
        // A new file: another process may be making the same one, so create inside a write
        // transaction and only what is not there yet.
        if (!exec(db, QStringLiteral("PRAGMA journal_mode = WAL"), error) ||
            !exec(db, QStringLiteral("BEGIN IMMEDIATE"), error))
            return Status::Failed;
        bool made = true;
        for (const QString& statement : QString::fromLatin1(CreateTables).split(u';'))
            made = made && exec(db, statement, error);
        made = made &&
               exec(db, QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion), error) &&
               exec(db, QStringLiteral("COMMIT"), error);
        if (!made) {
            QString ignored;
            exec(db, QStringLiteral("ROLLBACK"), ignored);
            return Status::Failed;
        }
    } else if (version.toInt() == 1 && !readOnly) {
        if (!upgrade(error))
            return Status::Failed;
    } else if (version.toInt() == 1) {
        return Status::Ready; // read as it is: the answers and schedules, no bests
    } else if (version.toInt() != SchemaVersion) {
        error = QStringLiteral("it holds tables of another kind (schema %1, this program writes "
                               "%2)")
                    .arg(version.toInt())
                    .arg(SchemaVersion);
        return Status::Damaged;
    } else if (!readOnly && !exec(db, QStringLiteral("PRAGMA journal_mode = WAL"), error)) {
        return Status::Failed;
    }
    // The columns this program reads must all be there.
    QSqlQuery probe(db);
    if (tables.toInt() > 0 &&
        (!probe.exec(QStringLiteral("SELECT item, box, due_ms, asked, right_count FROM items "
                                    "LIMIT 0")) ||
         !probe.exec(QStringLiteral("SELECT session, quiz, item, prompt, expected, given, grade, "
                                    "seconds, answered_ms FROM answers LIMIT 0")) ||
         !probe.exec(QStringLiteral("SELECT item, best FROM bests LIMIT 0")))) {
        error = QStringLiteral("its tables lack columns: %1").arg(probe.lastError().text());
        return Status::Damaged;
    }
    return Status::Ready;
}

bool SqliteHistory::upgrade(QString& error) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!exec(db, QStringLiteral("PRAGMA journal_mode = WAL"), error) ||
        !exec(db, QStringLiteral("BEGIN IMMEDIATE"), error))
        return false;
    // Another window may have upgraded it meanwhile: asked again inside the transaction.
    const QVariant version = scalar(db, QStringLiteral("PRAGMA user_version"), error);
    bool done = version.isValid();
    if (done && version.toInt() == 1) {
        for (const QString& statement : QString::fromLatin1(CreateTables).split(u';'))
            done = done && exec(db, statement, error);
        done = done && exec(db, QString::fromLatin1(BestsOfVersion1), error) &&
               exec(db, QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion), error);
    }
    if (done && exec(db, QStringLiteral("COMMIT"), error))
        return true;
    QString ignored;
    exec(db, QStringLiteral("ROLLBACK"), ignored);
    return false;
}

std::map<QString, int> SqliteHistory::bests() {
    std::map<QString, int> bests;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(QStringLiteral("SELECT item, best FROM bests")))
        return bests; // a version 1 file read as it is
    while (q.next())
        bests[q.value(0).toString()] = q.value(1).toInt();
    return bests;
}

std::map<QString, ItemState> SqliteHistory::states() {
    std::map<QString, ItemState> states;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(QStringLiteral("SELECT item, box, due_ms, asked, right_count FROM items")))
        return states;
    while (q.next())
        states[q.value(0).toString()] = {q.value(1).toInt(), q.value(2).toLongLong(),
                                         q.value(3).toInt(), q.value(4).toInt()};
    return states;
}

std::optional<ItemState> SqliteHistory::record(const AnswerRecord& a, QString& error) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!exec(db, QStringLiteral("BEGIN IMMEDIATE"), error))
        return std::nullopt;
    auto fail = [&](const QSqlQuery& q) {
        error = q.lastError().text();
        QString ignored;
        exec(db, QStringLiteral("ROLLBACK"), ignored);
        return std::nullopt;
    };
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT box, due_ms, asked, right_count FROM items WHERE item = ?"));
    q.addBindValue(a.item);
    if (!q.exec())
        return fail(q);
    ItemState state;
    if (q.next())
        state = {q.value(0).toInt(), q.value(1).toLongLong(), q.value(2).toInt(),
                 q.value(3).toInt()};
    q.finish();
    state = schedule(state, a.grade, a.answeredMs);

    q.prepare(QStringLiteral("INSERT INTO answers (session, quiz, item, prompt, expected, given, "
                             "grade, seconds, answered_ms) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant& v : {QVariant(a.session), QVariant(a.quiz), QVariant(a.item),
                              QVariant(a.prompt), QVariant(a.expected), QVariant(a.given),
                              QVariant(int(a.grade)), QVariant(a.seconds), QVariant(a.answeredMs)})
        q.addBindValue(v);
    if (!q.exec())
        return fail(q);
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO items (item, box, due_ms, asked, "
                             "right_count) VALUES (?, ?, ?, ?, ?)"));
    for (const QVariant& v : {QVariant(a.item), QVariant(state.box), QVariant(state.dueMs),
                              QVariant(state.asked), QVariant(state.right)})
        q.addBindValue(v);
    if (!q.exec())
        return fail(q);
    if (a.score >= 0) {
        q.prepare(QStringLiteral("INSERT INTO bests (item, best) VALUES (?, ?) ON CONFLICT(item) "
                                 "DO UPDATE SET best = max(best, excluded.best)"));
        q.addBindValue(a.item);
        q.addBindValue(a.score);
        if (!q.exec())
            return fail(q);
    }
    if (!exec(db, QStringLiteral("COMMIT"), error)) {
        QString ignored;
        exec(db, QStringLiteral("ROLLBACK"), ignored);
        return std::nullopt;
    }
    return state;
}

std::vector<AnswerRecord> SqliteHistory::answers() {
    std::vector<AnswerRecord> answers;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(QStringLiteral("SELECT session, quiz, item, prompt, expected, given, grade, "
                               "seconds, answered_ms FROM answers ORDER BY id")))
        return answers;
    while (q.next()) {
        AnswerRecord a;
        a.session = q.value(0).toString();
        a.quiz = q.value(1).toString();
        a.item = q.value(2).toString();
        a.prompt = q.value(3).toString();
        a.expected = q.value(4).toString();
        a.given = q.value(5).toString();
        a.grade = Grade(std::clamp(q.value(6).toInt(), 0, 2));
        a.seconds = q.value(7).toDouble();
        a.answeredMs = q.value(8).toLongLong();
        answers.push_back(a);
    }
    return answers;
}

namespace {

// Whether the file (when it exists) and its folder may be written. The owner's write permission
// is asked as well as access(2), so that a file the user marked read-only is left alone even by
// an administrator.
bool writable(const QFileInfo& info) {
    return info.isWritable() && (info.permissions() & QFileDevice::WriteOwner);
}

// Renames the file and its log aside with the time; never over an existing file. The name it
// got, or nothing.
std::optional<QString> setAside(const QString& path, const WallClock& clock) {
    const QString stamp = QDateTime::fromMSecsSinceEpoch(clock.nowMs(), Qt::UTC)
                              .toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1; n < 1000; ++n) {
        QString aside = path + QStringLiteral(".damaged-") + stamp;
        if (n > 1)
            aside += QStringLiteral("-%1").arg(n);
        const QStringList suffixes = {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")};
        bool taken = false;
        for (const QString& s : suffixes)
            taken = taken || QFileInfo::exists(aside + s);
        if (taken)
            continue;
        if (!QFile::rename(path, aside))
            return std::nullopt;
        // The log belongs to the damaged file: left in place, SQLite would replay it into the
        // fresh one.
        for (const QString& s : {QStringLiteral("-wal"), QStringLiteral("-shm")})
            if (QFileInfo::exists(path + s))
                QFile::rename(path + s, aside + s);
        return aside;
    }
    return std::nullopt;
}

OpenedHistory inMemory(const QString& path, const QString& why) {
    return {std::make_unique<MemoryHistory>(),
            QStringLiteral("The practice history %1 %2: this session's answers will not be "
                           "saved.")
                .arg(QDir::toNativeSeparators(path), why)};
}

} // namespace

OpenedHistory openHistory(const QString& path, const WallClock& clock) {
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    if (!QDir().mkpath(folder))
        return inMemory(path, QStringLiteral("cannot be made (its folder cannot be created)"));
    if (!writable(QFileInfo(folder)) || (file.exists() && !writable(file))) {
        // Read what it holds, so the schedule still serves; write nothing.
        OpenedHistory opened = inMemory(path, QStringLiteral("is read-only"));
        if (file.exists()) {
            SqliteHistory::Status status{};
            QString error;
            SqliteHistory reader(path, true, status, error);
            if (status == SqliteHistory::Status::Ready) {
                auto memory = std::make_unique<MemoryHistory>();
                for (const AnswerRecord& a : reader.answers()) {
                    QString ignored;
                    memory->record(a, ignored);
                }
                memory->keepBests(reader.bests());
                opened.history = std::move(memory);
            }
        }
        return opened;
    }
    SqliteHistory::Status status{};
    QString error;
    auto history = std::make_unique<SqliteHistory>(path, false, status, error);
    if (status == SqliteHistory::Status::Ready)
        return {std::move(history), {}};
    history.reset();
    if (status == SqliteHistory::Status::Failed)
        return inMemory(path, QStringLiteral("cannot be opened (%1)").arg(error));
    const QString damage = error;
    const auto aside = setAside(path, clock);
    if (!aside)
        return inMemory(path,
                        QStringLiteral("is damaged (%1) and cannot be moved aside").arg(damage));
    history = std::make_unique<SqliteHistory>(path, false, status, error);
    const QString told =
        QStringLiteral("The practice history %1 was damaged (%2); it was kept as "
                       "%3 and a new one started.")
            .arg(QDir::toNativeSeparators(path), damage, QDir::toNativeSeparators(*aside));
    if (status != SqliteHistory::Status::Ready)
        return inMemory(path, QStringLiteral("cannot be started afresh (%1)").arg(error));
    return {std::move(history), told};
}

} // namespace chordalis
