// The plain mining passes and report loop: the straightforward rendering of
// the rules over ens_tc, comparing every pair the rules name by scanning the
// store and the new-concept lists. They are the reference that the indexed
// passes and report of the program must match exactly.
#pragma once

#include <string>

namespace reference {

void find_ts_v3();
void find_rs();
void find_ds();

// The report loop built on test_inclusionFINAL: appends the report lines and
// the user lines to the two strings instead of files, and fills ens_tc2.
void write_report(std::string& concepts, std::string& users);

}  // namespace reference
