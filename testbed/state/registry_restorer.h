// Undoes what an end-to-end test writes to the prefix's real registry: a key
// it names that did not exist is removed afterwards, with its subkeys, from
// the first part of its path that was missing; a value it names is put back
// as it was, or removed when there was none.
#ifndef TESTBED_REGISTRY_RESTORER_H
#define TESTBED_REGISTRY_RESTORER_H

#include "scratch_registry.h"

#include <windows.h>

#include <string>
#include <vector>

namespace testreg {

class RegistryRestorer {
public:
    RegistryRestorer() = default;
    RegistryRestorer(const RegistryRestorer&) = delete;
    RegistryRestorer& operator=(const RegistryRestorer&) = delete;
    ~RegistryRestorer();
    // Name each before the test writes there.
    void Key(HKEY root, const std::string& key);
    void Value(HKEY root, const std::string& key, const std::string& name);

private:
    struct Saved {
        HKEY root;
        std::string key;
        std::string name;
        testreg::Value value;
    };
    std::vector<std::pair<HKEY, std::string>> created_;
    std::vector<Saved> values_;
};

// Gives every program file named `exeName` (such as "ROTSEL.EXE") the
// Windows version `version` ("win95", "win98", "winxp") from its next start
// on: Wine reads HKEY_CURRENT_USER "Software\Wine\AppDefaults\<exe name>"
// "Version" when a process starts. The restorer takes the key away again.
void RunProgramAs(RegistryRestorer& restorer, const std::string& exeName, const char* version);
// That key: "Software\Wine\AppDefaults\<exe name>".
std::string AppDefaultsKey(const std::string& exeName);

}  // namespace testreg

#endif
