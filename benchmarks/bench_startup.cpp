// Times the start of the program: from launching `focalines` to the end of its first
// activation, which the program reports on its standard output when FOCALINES_REPORT_START is
// set (and then leaves). Ten runs in the offscreen platform; prints each and the median.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    // The program to time: the first argument that is not an option, or the one built here.
    QString program = QStringLiteral(FOCALINES_PROGRAM);
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '-') program = QString::fromLocal8Bit(argv[i]);
    constexpr int Runs = 10;
    std::vector<double> ms;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("FOCALINES_REPORT_START"), QStringLiteral("1"));
    for (int i = 0; i < Runs; ++i) {
        QProcess p;
        p.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        p.start(program, {});
        if (!p.waitForStarted(10000)) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(program));
            return 1;
        }
        // The first line comes at the end of the first activation.
        while (!p.canReadLine() && p.state() == QProcess::Running)
            p.waitForReadyRead(10000);
        const double elapsed = timer.nsecsElapsed() / 1e6;
        if (!p.canReadLine()) {
            std::fprintf(stderr, "no start report\n");
            return 1;
        }
        ms.push_back(elapsed);
        p.waitForFinished(10000);
        std::printf("run %d: %.1f ms\n", i + 1, elapsed);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("start to first activation: median %.1f ms (min %.1f, max %.1f)\n",
                (ms[Runs / 2 - 1] + ms[Runs / 2]) / 2, ms.front(), ms.back());
    return 0;
}
