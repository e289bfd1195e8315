#include "config/RecordFile.h"
