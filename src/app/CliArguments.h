#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// The exit status of a command or an argument that cannot be used.
constexpr int CliExitUsage = 1;

// One line on standard error.
void printError(const QString &text);

// A command or an argument that cannot be used: the problem, then where the help is, on
// standard error. Returns CliExitUsage.
int usageError(const QString &problem);

// The arguments of one command: the options given with their values (a flag with an empty
// text), and the file named, when the command takes one.
struct CliArguments {
    QString file;
    QHash<QString, QString> values;
};

// Reads each option of `withValue` once with the value after it, each of `flags` once, and, when
// `takesFile`, one name that is not an option. The problem as "COMMAND : argument inattendu
// « ARG ».", or nothing when the arguments are well formed.
std::optional<QString> readCliArguments(const QString &command, const QStringList &args,
                                        const QStringList &withValue, const QStringList &flags,
                                        bool takesFile, CliArguments &read);
