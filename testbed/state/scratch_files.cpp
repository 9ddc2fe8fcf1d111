// File helpers for tests.
#include "scratch_files.h"

namespace testfiles {

// Paths in the form that Windows takes as they are.
static std::string Literal(const std::string& path)
{
    return path.compare(0, 4, "\\\\?\\") == 0 ? path : "\\\\?\\" + path;
}

ScratchFolder::ScratchFolder(const char* prefix)
{
    static int serial = 0;
    path_ = std::string("C:\\") + prefix + "_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++serial);
    Remove(path_);
    MakeFolder(path_);
}

ScratchFolder::~ScratchFolder()
{
    Remove(path_);
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(Literal(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Read(const std::string& path, bool* found)
{
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (found)
        *found = file != INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD read;
    while (ReadFile(file, buffer, sizeof(buffer), &read, NULL) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

bool Write(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool MakeFolder(const std::string& path)
{
    return CreateDirectoryA(Literal(path).c_str(), NULL) != FALSE;
}

void Remove(const std::string& path)
{
    std::string literal = Literal(path);
    DWORD attributes = GetFileAttributesA(literal.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(literal.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(literal.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((literal + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..")
                Remove(literal + "\\" + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(literal.c_str());
}

}  // namespace testfiles
