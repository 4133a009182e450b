#pragma once
// Runs a keyword scan on the user-interface thread: in slices of about one
// frame, one per timer tick, so that between slices a progress bar moves and
// a Cancel press is heard at once.
#include <functional>

namespace search {

class KeywordScan;

// Runs scan to its end. progress gets the percentage after each slice;
// when *stop turns true (set by an event handled between slices) the scan
// ends where it stands.
void runKeywordScan(KeywordScan &scan, const std::function<void(int)> &progress, const bool &stop);

} // namespace search
