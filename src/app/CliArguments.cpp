#include "app/CliArguments.h"

#include <cstdio>

void printError(const QString &text) {
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

int usageError(const QString &problem) {
    printError(problem);
    printError(QStringLiteral("Essayez « focalines-cli --help »."));
    return CliExitUsage;
}

std::optional<QString> readCliArguments(const QString &command, const QStringList &args,
                                        const QStringList &withValue, const QStringList &flags,
                                        bool takesFile, CliArguments &read) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (withValue.contains(arg) && i + 1 < args.size() && !read.values.contains(arg))
            read.values.insert(arg, args[++i]);
        else if (flags.contains(arg) && !read.values.contains(arg))
            read.values.insert(arg, QString());
        else if (takesFile && !arg.startsWith(u'-') && read.file.isEmpty())
            read.file = arg;
        else
            return QStringLiteral("%1 : argument inattendu « %2 ».").arg(command, arg);
    }
    return std::nullopt;
}
