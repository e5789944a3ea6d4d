// Sets an environment variable for one test and puts the old value back.
#pragma once

#include <optional>
#include <string>

class ScopedEnv {
public:
    // A null value removes the variable for the scope.
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};
