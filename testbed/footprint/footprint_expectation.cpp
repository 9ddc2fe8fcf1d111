// What is left of a laid footprint once an uninstall has removed some of it.
#include "footprint.h"

#include <algorithm>
#include <functional>

namespace footprint {

namespace {

bool PathIsWithin(const std::string& path, const std::string& top)
{
    return testfiles::IsWithin(path, top);
}

bool SamePath(const std::string& a, const std::string& b)
{
    return testfiles::SamePath(a, b);
}

// An item laid for several installs stays while one of them does.
bool AllRemoved(const std::set<std::string>& tags, const std::set<std::string>& removed)
{
    for (const std::string& tag : tags)
        if (!removed.count(tag))
            return false;
    return true;
}

}  // namespace

void Remove(const Footprint& footprint, const std::set<std::string>& removed, testreg::Tree* registry,
            testfiles::FileTree* files)
{
    auto eraseKeys = [&](const std::function<bool(const testreg::TreeEntry&)>& gone) {
        registry->erase(std::remove_if(registry->begin(), registry->end(), gone), registry->end());
    };
    auto eraseFiles = [&](const std::function<bool(const testfiles::FileEntry&)>& gone) {
        files->erase(std::remove_if(files->begin(), files->end(), gone), files->end());
    };
    // Deepest first, so that a folder or key is judged after what was in it.
    std::vector<const Item*> items;
    for (const Item& item : footprint.items)
        if (AllRemoved(item.tags, removed))
            items.push_back(&item);
    std::stable_sort(items.begin(), items.end(),
                     [](const Item* a, const Item* b) { return a->path.size() > b->path.size(); });
    for (const Item* item : items) {
        const std::string& path = item->path;
        auto below = [&](const std::string& other) { return PathIsWithin(other, path) && !SamePath(other, path); };
        switch (item->type) {
        case Item::KEY_IF_EMPTY:
            if (std::any_of(registry->begin(), registry->end(),
                            [&](const testreg::TreeEntry& e) { return e.isKey && below(e.path); }))
                break;
            // fall through: nothing but values left
        case Item::KEY:
            eraseKeys([&](const testreg::TreeEntry& e) { return PathIsWithin(e.path, path); });
            break;
        case Item::VALUE:
            eraseKeys([&](const testreg::TreeEntry& e) {
                return !e.isKey && SamePath(e.path, path) && SamePath(e.name, item->name);
            });
            break;
        case Item::FOLDER_IF_EMPTY:
            if (std::any_of(files->begin(), files->end(), [&](const testfiles::FileEntry& e) { return below(e.path); }))
                break;
            // fall through: an empty folder goes like a file
        case Item::FILE:
            eraseFiles([&](const testfiles::FileEntry& e) { return SamePath(e.path, path); });
            break;
        }
    }
}

std::string RemovePendingLines(const Footprint& footprint, const std::set<std::string>& removed, std::string before)
{
    for (const PendingLine& line : footprint.pending) {
        size_t at = before.find(line.text + "\r\n");
        if (AllRemoved(line.tags, removed) && at != std::string::npos)
            before.erase(at, line.text.size() + 2);
    }
    return before;
}

std::set<std::string> AllTags(const Footprint& footprint)
{
    std::set<std::string> tags;
    for (const Item& item : footprint.items)
        tags.insert(item.tags.begin(), item.tags.end());
    for (const PendingLine& line : footprint.pending)
        tags.insert(line.tags.begin(), line.tags.end());
    return tags;
}

}  // namespace footprint
