#pragma once

namespace qb {

// Major version of Windows (5 = 2000/XP, 6 = Vista to 8.1, 10 = 10 and 11); 0 when it cannot be
// read. Correct only because the manifest declares the supported systems: without it Windows 8.1
// and later report 6.2.
int GetOsMajorVersion();

}  // namespace qb
