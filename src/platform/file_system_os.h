// The few file operations that OutputFile needs from each OS; the platform's own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace mivalto::os_file {

// A file open for writing: a descriptor, or a Windows HANDLE; kNoFile for none.
using Handle = std::intptr_t;
inline constexpr Handle kNoFile = -1;

// How an output reaches its target.
enum class Delivery {
  kReplace,  // a regular file, or a name not taken yet: a new file is moved over it
  kInPlace,  // a device, FIFO, socket or descriptor: opened and written as it is
};

struct Destination {
  Delivery delivery = Delivery::kReplace;
  std::string path;  // the target, or the file its symbolic links end at
};

// Where the bytes for the target go, its symbolic links followed; a folder is an error.
Destination DestinationOf(const std::string& utf8_target, FileError& error);

// Creates a new, empty file in the target's folder under a name no one else uses, with the
// target's permissions when it exists; temporary_path receives its name.
Handle CreateBeside(const std::string& utf8_target, std::string& temporary_path, FileError& error);
// Opens an existing device, FIFO, socket or descriptor for writing.
Handle OpenInPlace(const std::string& utf8_path, FileError& error);
FileError WriteAll(Handle file, const char* bytes, std::size_t size);
// Flushes the file to the disk and closes it.
FileError SyncAndClose(Handle file);
FileError Close(Handle file);
FileError MoveOver(const std::string& utf8_from, const std::string& utf8_to);
void Remove(const std::string& utf8_path);

}  // namespace mivalto::os_file
