// Measuring helpers of the benchmark: a clock shared by parent and child processes, medians, the
// process's peak resident memory, and waiting for the GL driver to finish queued drawing.
#pragma once

#include <vector>

// Seconds on the system's monotonic clock, comparable between processes.
double monotonicSeconds();
double median(std::vector<double> values);
// Peak resident set size of this process so far (VmHWM), in MiB; 0 if unknown.
double peakResidentMb();
// Blocks until the GL driver has carried out every drawing command issued so far.
void finishDrawing();
