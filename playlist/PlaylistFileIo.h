#pragma once
// Whole-file reading and replacing for playlist files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads the whole file; false when it can not be opened or read, or when it
// is larger than maxBytes (a playlist that large is not a playlist).
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, size_t maxBytes);

// Writes the bytes to a new file in the target's folder and puts it in the
// target's place only once it is complete and flushed. On any failure the
// target keeps its old content, the new file is removed and the result is
// false.
bool ReplaceFileContent(const std::wstring& path, const std::vector<uint8_t>& bytes);
