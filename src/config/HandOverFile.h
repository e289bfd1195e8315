#pragma once

#include <QString>

namespace config {

// The hand-over file "TEMPtS.TMP" shared with the launcher: a record file of which this program
// owns two records, 23 (whether it runs, "OUI" or "NON") and 31 (an exercise that the launcher
// asks it to open). Each access opens, reads or writes one record in place and closes the file,
// leaving the launcher's other records as they are. A file that cannot be opened or written is
// skipped silently: the launcher is simply left without news.
class HandOverFile {
  public:
    static constexpr int RunningRecord = 23;
    static constexpr int RequestRecord = 31;
    static inline const QString FileName = QStringLiteral("TEMPtS.TMP");

    explicit HandOverFile(QString path) : path_(std::move(path)) {}
    const QString &path() const { return path_; }

    // Writes record n in place, creating the file when it is missing. False when it could not.
    bool writeRecord(int n, const QString &text) const;
    // The text of record n; empty when the file or the record is missing or unreadable.
    QString readRecord(int n) const;
    // Reads record 31 and empties it, so that a request is served once.
    QString takeRequest() const;

  private:
    QString path_;
};

} // namespace config
