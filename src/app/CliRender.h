#pragma once

#include "bench/BenchState.h"

#include <QString>

// Draws the figure of a bench into a picture file, as the main window's figure shows it: a PNG,
// or an SVG or a PDF when the name ends in ".svg" or ".pdf". Returns the process exit status
// (0 on success) and writes a French message on standard error on failure.
int cliRender(bench::BenchState &state, const QString &output, int width, int height);
