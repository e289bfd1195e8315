#pragma once

#include "bench/BenchState.h"
#include "printing/PageLayout.h"

#include <QString>

// Prints the figure of a bench into a PDF file as the print window prints it: one landscape A4
// page per copy with the title and the figure at its natural size. Returns the process exit
// status (0 on success) and writes a French message on standard error on failure.
int cliPrint(bench::BenchState &state, const QString &output, int width, int height,
             const printing::PrintSettings &settings);
