// FOOTPRINT.EXE <description file>: lays an install footprint down on this
// machine (its registry, Windows, system and INF directories, the Windows
// directory's drive root and Program Manager) and lists what it laid, one
// item a line: its kind, path (and value name) and tags.
#include "footprint.h"
#include "scratch_files.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: footprint <description file>\n");
        return 2;
    }
    bool found = false;
    std::string text = testfiles::Read(argv[1], &found);
    footprint::Description description;
    std::string error;
    if (!found || !footprint::Parse(text, &description, &error)) {
        std::fprintf(stderr, "footprint: cannot use %s: %s\n", argv[1], found ? error.c_str() : "not found");
        return 1;
    }
    footprint::Footprint laid = footprint::Lay(description, footprint::MachinePlaces());
    static const char* const KINDS[] = {"key", "key-if-empty", "value", "file", "folder-if-empty"};
    for (const footprint::Item& item : laid.items) {
        std::string tags;
        for (const std::string& tag : item.tags)
            tags += (tags.empty() ? "" : ", ") + tag;
        std::printf("%s\t%s%s%s\t%s\n", KINDS[item.type], item.path.c_str(), item.name.empty() ? "" : " : ",
                    item.name.c_str(), tags.c_str());
    }
    for (const footprint::PendingLine& line : laid.pending)
        std::printf("pending\t%s\t%s\n", line.text.c_str(), line.tags.begin()->c_str());
    return 0;
}
