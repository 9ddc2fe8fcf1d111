// Undoes an end-to-end test's writes to the prefix's real registry.
#include "registry_restorer.h"

namespace testreg {

void RegistryRestorer::Key(HKEY root, const std::string& key)
{
    for (size_t end = 0; end != std::string::npos;) {
        end = key.find('\\', end + 1);
        std::string part = key.substr(0, end);
        if (!KeyExists(root, part.c_str())) {
            created_.emplace_back(root, part);
            return;
        }
    }
}

void RegistryRestorer::Value(HKEY root, const std::string& key, const std::string& name)
{
    Key(root, key);
    values_.push_back({root, key, name, Read(root, key.c_str(), name.c_str())});
}

RegistryRestorer::~RegistryRestorer()
{
    for (auto saved = values_.rbegin(); saved != values_.rend(); ++saved) {
        if (saved->value.present) {
            Write(saved->root, saved->key.c_str(), saved->name.c_str(), saved->value.type,
                  saved->value.data.data(), (DWORD)saved->value.data.size());
            continue;
        }
        HKEY key;
        if (RegOpenKeyExA(saved->root, saved->key.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, saved->name.c_str());
            RegCloseKey(key);
        }
    }
    for (auto created = created_.rbegin(); created != created_.rend(); ++created)
        DeleteTree(created->first, created->second.c_str());
}

std::string AppDefaultsKey(const std::string& exeName)
{
    return "Software\\Wine\\AppDefaults\\" + exeName;
}

void RunProgramAs(RegistryRestorer& restorer, const std::string& exeName, const char* version)
{
    std::string key = AppDefaultsKey(exeName);
    restorer.Key(HKEY_CURRENT_USER, key);
    WriteString(HKEY_CURRENT_USER, key.c_str(), "Version", version);
}

}  // namespace testreg
