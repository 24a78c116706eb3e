// The few file operations that ReplacementFile needs from each OS; the platform's own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace mivalto::os_file {

// A file open for writing: a descriptor, or a Windows HANDLE; kNoFile for none.
using Handle = std::intptr_t;
inline constexpr Handle kNoFile = -1;

// Creates a new, empty file in the target's folder under a name no one else uses, with the
// target's permissions when it exists; temporary_path receives its name.
Handle CreateBeside(const std::string& utf8_target, std::string& temporary_path, FileError& error);
FileError WriteAll(Handle file, const char* bytes, std::size_t size);
// Flushes the file to the disk and closes it.
FileError SyncAndClose(Handle file);
FileError MoveOver(const std::string& utf8_from, const std::string& utf8_to);
void Remove(const std::string& utf8_path);

}  // namespace mivalto::os_file
