#include "app/CliRender.h"
#include <cstdio>
int cliRender(bench::BenchState &, const QString &, int, int)
{
    std::fputs("render: pas encore disponible\n", stderr);
    return 1;
}
