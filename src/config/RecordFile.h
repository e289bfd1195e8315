#pragma once

#include "files/AtomicFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace config {

// Record files: fixed 128-byte records, record n (from 1) at byte (n − 1) × 128, each a 16-bit
// little-endian length L followed by L Windows-1252 bytes and a zero filler. Configurations,
// exercise descriptions, the getting-started file and the hand-over file all use this layout.
constexpr int RecordSize = 128;
constexpr int RecordTextMax = RecordSize - 2;

// One record as a reader sees it.
struct Record {
    enum Status {
        Ok,        // the text was read
        Missing,   // the file ends before this record
        BadLength, // the length field exceeds what a record can hold
    };
    Status status = Missing;
    QString text;
};

// The records of a file held in memory. Reading never goes beyond the bytes held.
class RecordReader {
  public:
    RecordReader() = default;
    explicit RecordReader(QByteArray bytes);

    // Whole records held.
    int recordCount() const;
    // Record n, counted from 1.
    Record read(int n) const;

  private:
    QByteArray bytes_;
};

// Builds the bytes of a record file, record after record.
class RecordWriter {
  public:
    // Sets record n (from 1), growing the file with empty records as needed. Returns false,
    // changing nothing, when the text takes more than 126 bytes in Windows-1252 or n < 1.
    bool put(int n, const QString &text);
    const QByteArray &bytes() const { return bytes_; }

  private:
    QByteArray bytes_;
};

// Reads at most the first `maxRecords` records of a file. A missing file reads as an empty one;
// a file that exists but cannot be read (a directory, a pipe or a device, no permission) gives
// no value.
std::optional<QByteArray> readRecordFile(const QString &path, int maxRecords);

// Record files, like every file the program writes, are replaced whole or not at all.
using files::writeFileReplacing;

} // namespace config
