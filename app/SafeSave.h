// A save that never destroys the file it replaces. The new contents go completely into a
// temporary file beside the target, are flushed to the disk, and then take the target's place
// in one rename. A crash, a kill or a full disk at any moment leaves either the old or the new
// complete file under the target's name; a failed save removes its temporary file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kurvix {

// The file operations a save is made of. Each returns 0 on success or the system's error code.
// One file is open at a time; Close of a file that is not open does nothing.
class SaveFileOps {
  public:
    virtual ~SaveFileOps() = default;
    virtual uint32_t Create(const std::string& path) = 0; // new or truncated, for writing
    virtual uint32_t Write(const uint8_t* data, size_t size) = 0;
    virtual uint32_t Flush() = 0; // the written bytes reach the disk
    virtual uint32_t Close() = 0;
    virtual uint32_t Replace(const std::string& from, const std::string& to) = 0; // atomic
    virtual uint32_t Remove(const std::string& path) = 0;
};

enum class SaveStep { None, Create, Write, Flush, Close, Replace };

// The outcome of a save: Step is None when it succeeded, otherwise the step that failed with
// the system's error code.
struct SaveStatus {
    std::string Path; // the target file
    SaveStep Step = SaveStep::None;
    uint32_t Error = 0;

    bool Ok() const { return Step == SaveStep::None; }
};

// The temporary file a save of path writes first: the same folder, path + ".tmp". A file of
// that name left by a save that was killed is overwritten by the next save.
std::string SaveTempName(const std::string& path);

// Writes size bytes as the new contents of path through ops, as described above.
SaveStatus SaveReplacing(SaveFileOps& ops, const std::string& path, const uint8_t* data,
                         size_t size);

// What failed, in words ("writing the new file"), for messages and logs.
const char* SaveStepText(SaveStep step);

} // namespace kurvix
