#pragma once

#include "practice/History.h"

#include <QString>

namespace chordalis {

// The practice history in an SQLite file through Qt SQL. Write-ahead log; one transaction per
// answer, begun IMMEDIATE so that a second window waits its turn (up to BusyTimeoutMs) instead
// of failing; the schema's version in `PRAGMA user_version`. Made by openHistory().
class SqliteHistory final : public PracticeHistory {
public:
    // The version of the tables this program writes: 2 added the bests. A file of version 1 is
    // brought up to it when opened for writing (its answers kept, the bests worked out from
    // them); read-only, it is read as it is, without bests.
    static constexpr int SchemaVersion = 2;
    // How long a write waits for another process's transaction, in milliseconds.
    static constexpr int BusyTimeoutMs = 10000;

    // What opening found. Damaged: the file is no database, fails its integrity check or holds
    // another schema; Failed: it could not be opened or written (a read-only file or folder).
    enum class Status { Ready, Damaged, Failed };

    // Opens the file (creating it and its tables when missing); readOnly opens it only to read.
    // The status and, unless Ready, why in error.
    SqliteHistory(const QString& path, bool readOnly, Status& status, QString& error);
    ~SqliteHistory() override;
    SqliteHistory(const SqliteHistory&) = delete;
    SqliteHistory& operator=(const SqliteHistory&) = delete;

    std::map<QString, ItemState> states() override;
    std::optional<ItemState> record(const AnswerRecord& answer, QString& error) override;
    std::vector<AnswerRecord> answers() override;
    std::map<QString, int> bests() override;
    bool lasts() const override { return true; }

private:
    Status prepare(bool readOnly, QString& error);
    // Brings a version 1 file up to SchemaVersion in one transaction; false with the reason.
    bool upgrade(QString& error);
    QString m_connection;
};

} // namespace chordalis
