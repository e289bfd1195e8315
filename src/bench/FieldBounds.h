#pragma once

#include "bench/BenchState.h"

namespace bench {

// testpos: brings the eight numeric fields back into their bounds and into positionFormat, and
// keeps the lenses in order to the right of the object. Never refuses a value: unreadable text
// becomes 0, values that are not positive get a replacement, values above their bound the bound.
void testpos(BenchState &s);

} // namespace bench
