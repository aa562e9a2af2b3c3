#pragma once

namespace kucun {

// Keeps memory that a reloaded list freed for the next reload instead of
// handing it back to the system: a list of ten thousand models is rebuilt
// after every booking, and memory handed back must be faulted in again
// page by page, which costs more than reading the list.
void keepFreedMemoryForReuse();

} // namespace kucun
