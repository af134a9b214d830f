#include "SafeSave.h"

namespace kurvix {

namespace {

// Runs the steps that follow a successful Create; returns the first failure.
SaveStatus WriteAndReplace(SaveFileOps& ops, const std::string& temp, const std::string& path,
                           const uint8_t* data, size_t size) {
    SaveStatus status{path};
    const auto failed = [&status](SaveStep step, uint32_t error) {
        if (error == 0)
            return false;
        status.Step = step;
        status.Error = error;
        return true;
    };
    if (failed(SaveStep::Write, ops.Write(data, size)) || failed(SaveStep::Flush, ops.Flush()) ||
        failed(SaveStep::Close, ops.Close()) ||
        failed(SaveStep::Replace, ops.Replace(temp, path))) {
        ops.Close();
        ops.Remove(temp);
    }
    return status;
}

} // namespace

std::string SaveTempName(const std::string& path) { return path + ".tmp"; }

SaveStatus SaveReplacing(SaveFileOps& ops, const std::string& path, const uint8_t* data,
                         size_t size) {
    const std::string temp = SaveTempName(path);
    if (const uint32_t error = ops.Create(temp))
        return SaveStatus{path, SaveStep::Create, error};
    return WriteAndReplace(ops, temp, path, data, size);
}

const char* SaveStepText(SaveStep step) {
    switch (step) {
    case SaveStep::None:
        return "saved";
    case SaveStep::Create:
        return "creating the new file";
    case SaveStep::Write:
        return "writing the new file";
    case SaveStep::Flush:
        return "flushing the new file to the disk";
    case SaveStep::Close:
        return "closing the new file";
    case SaveStep::Replace:
        return "replacing the old file";
    }
    return "";
}

} // namespace kurvix
