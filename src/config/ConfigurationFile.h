#pragma once

#include "bench/BenchState.h"

#include <QString>

#include <array>
#include <optional>
#include <variant>

namespace config {

// The magic text of record 1.
inline const QString ConfigurationMagic = QStringLiteral("FOCALINES");
constexpr int ConfigurationRecordCount = 35;

// A message box's title and text, for a refused file or a failed save.
struct FileError {
    QString title;
    QString text;
};

// The items of a configuration file, read and checked, before they reach the bench.
struct Configuration {
    int precisionIndex = 0;
    int axisLengthStep = 1;
    int axisLength = 60;
    float drawScale = 0;
    int arrowPositionTenths = 5;
    int lens1DiameterTenths = 80;
    int apparentDiameterTenths = 100;
    bool objectAtInfinity = false;
    std::array<bool, bench::OptionCount> options{};
    std::array<QString, bench::FieldCount> fields;
};

// Reads and checks a whole configuration file. A file whose first record is not exactly
// "FOCALINES" (a missing or empty file included) is "Fichier non valide"; a file that cannot be
// read, is shorter than 35 records, has a record longer than a record can hold, or holds a value
// that its control could not take is "Erreur lors du chargement du fichier".
std::variant<Configuration, FileError> readConfiguration(const QString &path);

// Puts a checked configuration into the bench as the controls would take it, one after the
// other, each running its change handler, then runs the position test. The figure update is the
// caller's.
void applyConfiguration(bench::BenchState &s, const Configuration &c);

// readConfiguration then applyConfiguration: a refused file leaves the bench untouched.
std::optional<FileError> loadConfiguration(bench::BenchState &s, const QString &path);

// The 35 records of the bench as a file's bytes; no value when a field's text takes more than a
// record holds.
std::optional<QByteArray> configurationBytes(const bench::BenchState &s);

// Writes the bench to the file, through a temporary file renamed over it, so that a failed save
// leaves an existing file intact. On failure: "Enregistrement impossible".
std::optional<FileError> saveConfiguration(const bench::BenchState &s, const QString &path);

// The main window's title once a configuration file was saved or opened.
QString titleForConfiguration(const QString &fileName);

} // namespace config
