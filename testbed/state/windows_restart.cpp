// Pending file operations carried out as Windows 95 does at its start.
#include "windows_restart.h"
#include "scratch_files.h"

#include <windows.h>

#include <sstream>

namespace teststate {

namespace {

bool SameAsciiText(const std::string& a, const char* b)
{
    return lstrcmpiA(a.c_str(), b) == 0;
}

// WININIT runs in the Windows directory: a bare name is a file there.
std::string InWindows(const std::string& windows, const std::string& path)
{
    return path.find('\\') == std::string::npos ? windows + "\\" + path : path;
}

bool CarryOut(const std::string& windows, const PendingOperation& operation)
{
    std::string source = InWindows(windows, operation.source);
    if (SameAsciiText(operation.target, "NUL"))
        return DeleteFileA(source.c_str()) != FALSE;
    return MoveFileExA(source.c_str(), InWindows(windows, operation.target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != FALSE;
}

}  // namespace

std::vector<PendingOperation> CarryOutPendingOperations(const std::string& windowsDirectory)
{
    const std::string pending = windowsDirectory + "\\wininit.ini";
    std::vector<PendingOperation> operations;
    bool found = false;
    std::istringstream lines(testfiles::Read(pending, &found));
    if (!found)
        return operations;
    bool inRename = false;
    std::string line;
    while (std::getline(lines, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        if (!line.empty() && line[0] == '[') {
            inRename = SameAsciiText(line, "[rename]");
            continue;
        }
        size_t equals = line.find('=');
        if (!inRename || equals == std::string::npos)
            continue;
        PendingOperation operation = {line.substr(0, equals), line.substr(equals + 1), false};
        operation.done = CarryOut(windowsDirectory, operation);
        operations.push_back(operation);
    }
    MoveFileExA(pending.c_str(), (windowsDirectory + "\\wininit.bak").c_str(), MOVEFILE_REPLACE_EXISTING);
    return operations;
}

}  // namespace teststate
