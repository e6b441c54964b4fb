#pragma once

namespace app {

// The process never leaves a core dump: its memory holds the database password (from
// dbconfig.txt, in the attach parameters and the client library's buffers). Called first
// thing in main.
void forbidCoreDumps();

} // namespace app
