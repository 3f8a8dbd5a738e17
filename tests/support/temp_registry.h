#pragma once
// A private registry store for one test: ZELM_REGISTRY points into a temporary folder
// for the object's life, then back to what it was.

#include <cstdlib>
#include <optional>
#include <string>

#include "support/temp_dir.h"

class TempRegistry {
public:
    TempRegistry() : m_file(m_dir.file("registry.db"))
    {
        if (const char* old = std::getenv("ZELM_REGISTRY")) m_previous = old;
        setenv("ZELM_REGISTRY", m_file.c_str(), 1);
    }
    ~TempRegistry()
    {
        if (m_previous)
            setenv("ZELM_REGISTRY", m_previous->c_str(), 1);
        else
            unsetenv("ZELM_REGISTRY");
    }
    TempRegistry(const TempRegistry&) = delete;
    TempRegistry& operator=(const TempRegistry&) = delete;

    const std::string& file() const { return m_file; }
    const TempDir& dir() const { return m_dir; }

private:
    TempDir m_dir;
    std::string m_file;
    std::optional<std::string> m_previous;
};
