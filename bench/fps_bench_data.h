// Result files made up for measuring the reader: groups of lines as the benchmark batch
// files write them, with level names of varied length and varied figures.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace quorvath::bench {

// Appends the four lines of group `index` (numbered from 0), each ended by CR LF.
void AppendFpsGroup(std::string& out, std::size_t index);

// A whole file of `groups` groups, in memory.
std::string MakeFpsFileBytes(std::size_t groups);

// Writes a file of `groups` groups to `file` a megabyte at a time, so that writing it does
// not weigh on the memory of the program that then reads it. False on a write error.
bool WriteFpsFile(std::FILE* file, std::size_t groups);

}  // namespace quorvath::bench
