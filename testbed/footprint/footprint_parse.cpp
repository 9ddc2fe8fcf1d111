// The footprint builder's description format.
#include "footprint.h"

#include <sstream>

namespace footprint {

static std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

static std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(Trim(part));
    return parts;
}

// "field=value" of an install line.
static bool SetField(Install* install, const std::string& field)
{
    size_t equals = field.find('=');
    if (equals == std::string::npos)
        return false;
    std::string name = Trim(field.substr(0, equals)), value = Trim(field.substr(equals + 1));
    if (name == "number")
        install->number = value;
    else if (name == "dir")
        install->installDir = value;
    else if (name == "board")
        install->board = value;
    else if (name == "folder")
        install->folder = value;
    else if (name == "device")
        install->device = value;
    else if (name == "device2")
        install->secondDevice = value;
    else if (name == "startup")
        install->startUp = value != "0";
    else if (name == "files") {
        install->filesGiven = true;
        install->files.clear();
        for (const std::string& file : Split(value, ','))
            if (!file.empty())
                install->files.push_back(file);
    } else
        return false;
    return true;
}

static bool ParseInstall(Kind kind, const std::string& rest, Install* install)
{
    std::vector<std::string> parts = Split(rest, ';');
    if (parts.empty() || parts[0].empty())
        return false;
    install->kind = kind;
    install->model = parts[0];
    for (size_t i = 1; i < parts.size(); ++i)
        if (!SetField(install, parts[i]))
            return false;
    return true;
}

static bool ParseLine(const std::string& line, Description* description)
{
    size_t space = line.find_first_of(" \t");
    std::string word = line.substr(0, space);
    std::string rest = space == std::string::npos ? "" : Trim(line.substr(space));
    if (word == "machine" && (rest == "PCAT" || rest == "PC98")) {
        description->machineType = rest == "PC98" ? 1 : 2;
        return true;
    }
    if (word == "present" && !rest.empty()) {
        description->present.push_back(rest);
        return true;
    }
    if (word == "others" && rest.empty()) {
        description->others = true;
        return true;
    }
    if (word == "source") {
        size_t split = rest.find_first_of(" \t");
        if (split == std::string::npos)
            return false;
        description->sources[testfiles::LowerPath(rest.substr(0, split))] = Trim(rest.substr(split));
        return true;
    }
    if (word == "driver" || word == "utility") {
        Install install;
        if (!ParseInstall(word == "driver" ? DRIVER : UTILITY, rest, &install))
            return false;
        description->installs.push_back(install);
        return true;
    }
    return false;
}

bool Parse(const std::string& text, Description* description, std::string* error)
{
    *description = Description();
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        if (!ParseLine(line, description)) {
            *error = line;
            return false;
        }
    }
    return true;
}

}  // namespace footprint
