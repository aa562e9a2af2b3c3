#pragma once

// The window tells the user of a failed table by its fault, and shows a
// StoreError (a read the code gets wrong) rather than end; it knows both
// through here, and never the tables themselves.
#include "store/StoreError.h"
#include "store/StoreFault.h"
