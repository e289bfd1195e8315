#pragma once

#include "bench/BenchState.h"

#include <QString>
#include <QStringList>

#include <functional>

// Loads the bench that the window would show (the start-up bench, or a configuration file put
// into it) and returns the exit status of a refused file, its message written.
using CliBenchLoader = std::function<int(const QString &file, bench::BenchState &state)>;

// `focalines-cli series`: an automatic series of measurements on the bench, by the code of the
// measurements window. Prints one JSON object, the rows and the fit, and writes the CSV file
// when asked. Returns the process exit status.
int cliSeries(const QStringList &args, const CliBenchLoader &loadBench);
